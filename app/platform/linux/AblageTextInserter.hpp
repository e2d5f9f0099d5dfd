#pragma once

#include "app/platform/TextInserter.hpp"
#include "app/platform/linux/EinfuegeTasten.hpp"
#include "core/concurrency/MainQueue.hpp"

#include <chrono>
#include <functional>

namespace parlix {

class Ablage;
class DefaultsStore;
class TastenSender;
class VordergrundApp;

// Pastes on Wayland: the text goes on the clipboard (data-control or the portal's) and
// the paste shortcut (the terminal's own for terminals) through a TastenSender. The old text goes
// back only after the target has read ours (GTK drops a paste whose source vanishes
// right after the first read), at the latest kLesenFrist later, and only while the
// clipboard still holds ours. Without a way to post keys the text stays on the
// clipboard and beiNurKopiert is called: the user pastes by hand. When the clipboard
// cannot take the text, no key is posted (it would paste the user's old text) and the
// log says the text was not pasted.
class WaylandTextInserter final : public TextInserter {
public:
    static constexpr std::chrono::milliseconds kLesenFrist{2000};
    static constexpr std::chrono::milliseconds kLesenTakt{50};

    // `tasten` may be null: then nothing can be posted.
    WaylandTextInserter(MainQueue& mainQueue, DefaultsStore& speicher, VordergrundApp& vordergrund,
                        Ablage& ablage, TastenSender* tasten);

    void fuegeEin(const QString& text) override;

    // Called on the main thread when a text was only copied, not pasted.
    std::function<void()> beiNurKopiert;

private:
    struct Vorgang {
        EinfuegeTasten tasten;
        bool wiederherstellen = true;
        quint64 ablage = 0;
        quint64 primaer = 0;
        MainQueue::Zeitpunkt lesenBis;
    };

    void fuegeEin(const Vorgang& vorgang);
    void stelleWiederHer(const Vorgang& vorgang);

    MainQueue& mainQueue_;
    DefaultsStore& speicher_;
    VordergrundApp& vordergrund_;
    Ablage& ablage_;
    TastenSender* tasten_;
};

} // namespace parlix
