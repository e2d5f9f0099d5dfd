#pragma once

#include "app/platform/AuswahlKopierer.hpp"

#include <chrono>
#include <functional>

namespace parlix {

class Ablage;
class TastenSender;
class VordergrundApp;

// Copies the frontmost application's selection with its copy shortcut (Ctrl+C, in
// terminals Ctrl+Shift+C) and notices the copy by the clipboard's change; the
// clipboard's previous text goes back afterwards. An unchanged clipboard is left alone
// (putting a text back would drop what else it held, an image for instance). Terminals
// without a copy key, and windows of unknown kind, give their primary selection.
class AblageAuswahlKopierer final : public AuswahlKopierer {
public:
    static constexpr std::chrono::milliseconds kWarten{140};

    // Runs a step of the copy (reading the clipboard, posting the key, asking for the
    // frontmost application) where the desktop's services want it and waits for it;
    // false when it did not run in time. The wait between the steps stays on the
    // calling thread.
    using Ausfuehrer = std::function<bool(std::function<void()> schritt)>;
    // Runs each step at once on the calling thread.
    static Ausfuehrer aufDiesemThread();

    // `tasten` may be null: then only the primary selection can be read.
    AblageAuswahlKopierer(VordergrundApp& vordergrund, Ablage& ablage, TastenSender* tasten,
                          Ausfuehrer ausfuehrer);

    QString auswahlText() override;

private:
    struct Kopie;
    Kopie kopiere();
    QString nimmKopie(const Kopie& kopie);

    VordergrundApp& vordergrund_;
    Ablage& ablage_;
    TastenSender* tasten_;
    Ausfuehrer ausfuehrer_;
};

} // namespace parlix
