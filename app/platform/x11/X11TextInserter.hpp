#pragma once

#include "app/platform/TextInserter.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "app/platform/x11/X11Ablage.hpp"
#include "core/concurrency/MainQueue.hpp"

#include <chrono>

namespace parlix {

class DefaultsStore;
class VordergrundApp;
class XTestTasten;

// Pastes through the clipboard and a synthetic paste shortcut on X11, kEinfuegenNach
// after the call (however long writing the clipboard took). The shortcut waits (up to
// kLoslassenFrist) until the user has let go of every modifier key, so that a hotkey's Control or
// Alt still held does not turn Ctrl+V into something else; terminals get their own paste key
// (EinfuegeTasten). The old clipboard text goes back only while the clipboard still holds ours.
class X11TextInserter final : public TextInserter {
public:
    static constexpr std::chrono::milliseconds kLoslassenFrist{1000};
    static constexpr std::chrono::milliseconds kLoslassenTakt{5};

    X11TextInserter(MainQueue& mainQueue, DefaultsStore& speicher, VordergrundApp& vordergrund,
                    XTestTasten& tasten);

    void fuegeEin(const QString& text) override;

private:
    struct Vorgang {
        EinfuegeTasten tasten;
        bool wiederherstellen = true;
        quint64 ablage = 0;
        quint64 primaer = 0;
        MainQueue::Zeitpunkt loslassenBis;
    };

    void fuegeEinWennLosgelassen(const Vorgang& vorgang);
    void stelleWiederHer(const Vorgang& vorgang);

    MainQueue& mainQueue_;
    DefaultsStore& speicher_;
    VordergrundApp& vordergrund_;
    XTestTasten& tasten_;
    Zwischenablage ablage_{QClipboard::Clipboard};
    Zwischenablage primaer_{QClipboard::Selection};
};

} // namespace parlix
