#pragma once

#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/x11/X11Ablage.hpp"

#include <chrono>

namespace parlix {

class MainQueue;
class VordergrundApp;
class XTestTasten;

// Copies the frontmost application's selection with its copy shortcut (Ctrl+C, in
// terminals Ctrl+Shift+C) and notices the copy by the clipboard's change of owner; the
// clipboard's previous text goes back afterwards. An unchanged clipboard is left alone
// (putting a text back would drop what else it held, an image for instance). xterm,
// urxvt, terminals known only by their process and windows of unknown kind get no copy
// key: their selection is read from the primary selection.
// Construct on the main thread; it does its clipboard work there.
class X11AuswahlKopierer final : public AuswahlKopierer {
public:
    static constexpr std::chrono::milliseconds kWarten{140};
    // Longest wait for the main thread to take a step.
    static constexpr std::chrono::milliseconds kMainFrist{2000};

    X11AuswahlKopierer(MainQueue& mainQueue, VordergrundApp& vordergrund, XTestTasten& tasten)
        : mainQueue_(mainQueue)
        , vordergrund_(vordergrund)
        , tasten_(tasten) {}

    QString auswahlText() override;

private:
    struct Kopie;
    Kopie kopiere();
    QString nimmKopie(const Kopie& kopie);

    MainQueue& mainQueue_;
    VordergrundApp& vordergrund_;
    XTestTasten& tasten_;
    Zwischenablage ablage_{QClipboard::Clipboard};
    Zwischenablage primaer_{QClipboard::Selection};
};

} // namespace parlix
