#pragma once

#include "app/platform/TextInserter.hpp"
#include "app/platform/x11/EinfuegeTasten.hpp"

#include <chrono>
#include <functional>

namespace parlix {

class DefaultsStore;
class MainQueue;
class TastenSender;
class VordergrundApp;
class WaylandAblage;

// Pastes on Wayland: the text goes on the clipboard through data-control and the paste
// shortcut (the terminal's own for terminals) through a TastenSender. The old text goes
// back only after the target has read ours (GTK drops a paste whose source vanishes
// right after the first read), at the latest kLesenFrist later, and only while the
// clipboard still holds ours. Without a way to post keys the text stays on the
// clipboard and beiNurKopiert is called: the user pastes by hand.
class WaylandTextInserter final : public TextInserter {
public:
    static constexpr std::chrono::milliseconds kLesenFrist{2000};
    static constexpr std::chrono::milliseconds kLesenTakt{50};

    // `tasten` may be null: then nothing can be posted.
    WaylandTextInserter(MainQueue& mainQueue, DefaultsStore& speicher, VordergrundApp& vordergrund,
                        WaylandAblage& ablage, TastenSender* tasten);

    void fuegeEin(const QString& text) override;

    // Called on the main thread when a text was only copied, not pasted.
    std::function<void()> beiNurKopiert;

private:
    struct Vorgang {
        EinfuegeTasten tasten;
        bool wiederherstellen = true;
        quint64 ablage = 0;
        quint64 primaer = 0;
        std::chrono::steady_clock::time_point lesenBis;
    };

    void fuegeEin(const Vorgang& vorgang);
    void stelleWiederHer(const Vorgang& vorgang);

    MainQueue& mainQueue_;
    DefaultsStore& speicher_;
    VordergrundApp& vordergrund_;
    WaylandAblage& ablage_;
    TastenSender* tasten_;
};

} // namespace parlix
