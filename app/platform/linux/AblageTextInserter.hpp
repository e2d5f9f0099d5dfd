#pragma once

#include "app/platform/TextInserter.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "core/concurrency/MainQueue.hpp"

#include <chrono>
#include <optional>

namespace parlix {

class Ablage;
class DefaultsStore;
class TastenSender;
class VordergrundApp;

// Pastes through the desktop's clipboard (X11's, data-control or the RemoteDesktop
// portal's) and a paste shortcut posted by a TastenSender, kEinfuegenNach after the call
// (however long writing the clipboard took); terminals get their own paste key
// (EinfuegeTasten). The shortcut waits (up to kLoslassenFrist) until the user has let go
// of every modifier key, so that a hotkey's Control or Alt still held does not turn it
// into something else. The old text goes back only after the target has read ours (GTK
// drops a paste whose source vanishes right after the first read), at the latest
// kLesenFrist later, and only while the clipboard still holds ours. Without a way to
// post keys the text stays on the clipboard: the user pastes by hand. When the clipboard
// cannot take the text, no key is posted (it would paste the user's old text).
class AblageTextInserter final : public TextInserter {
public:
    static constexpr std::chrono::milliseconds kLoslassenFrist{1000};
    static constexpr std::chrono::milliseconds kLoslassenTakt{5};
    static constexpr std::chrono::milliseconds kLesenFrist{2000};
    static constexpr std::chrono::milliseconds kLesenTakt{50};

    // `tasten` may be null: then nothing can be posted.
    AblageTextInserter(MainQueue& mainQueue, DefaultsStore& speicher, VordergrundApp& vordergrund,
                       Ablage& ablage, TastenSender* tasten);

    void fuegeEin(const QString& text, Rueckmeldung fertig) override;

private:
    struct Vorgang {
        EinfuegeTasten tasten;
        bool wiederherstellen = true;
        quint64 ablage = 0;
        quint64 primaer = 0;
        // What goes back, as it was before our text.
        std::optional<QString> vorherAblage;
        std::optional<QString> vorherPrimaer;
        MainQueue::Zeitpunkt loslassenBis;
        MainQueue::Zeitpunkt lesenBis;
        Rueckmeldung fertig;
    };

    void fuegeEinWennLosgelassen(const Vorgang& vorgang);
    void stelleWiederHer(const Vorgang& vorgang);

    MainQueue& mainQueue_;
    DefaultsStore& speicher_;
    VordergrundApp& vordergrund_;
    Ablage& ablage_;
    TastenSender* tasten_;
};

} // namespace parlix
