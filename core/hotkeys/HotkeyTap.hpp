#pragma once

#include "core/hotkeys/HotkeyManager.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <atomic>
#include <memory>
#include <vector>

namespace parlix {

// Offers every key event of the user to the hotkey managers and swallows the events
// they claim. While a full-screen application has the focus (game mode) every event
// passes through untouched and starts nothing; only the release of a hold-to-talk key
// still reaches its manager, so that a recording held since before game mode ends.
class HotkeyTap {
public:
    // manager: dictation, action, prompt, lock, in this order.
    HotkeyTap(std::vector<std::shared_ptr<HotkeyManager>> manager,
              std::unique_ptr<TastenQuelle> quelle);
    // Stops the key source before the managers go.
    ~HotkeyTap();

    HotkeyTap(const HotkeyTap&) = delete;
    HotkeyTap& operator=(const HotkeyTap&) = delete;

    // Loads every manager's hotkey, then starts the key source. Main thread, once.
    void starte();

    // Key source's thread: decides one event; true swallows it.
    bool behandle(quint32 typ, qint64 keyCode, quint64 flags);

    // Main thread writes, the key thread reads.
    void setzeGameModeAktiv(bool aktiv) { gameModeAktiv_ = aktiv; }
    bool gameModeAktiv() const { return gameModeAktiv_; }

private:
    static void meldeBereit(bool erstellt);

    const std::vector<std::shared_ptr<HotkeyManager>> manager_;
    std::unique_ptr<TastenQuelle> quelle_;
    std::atomic<bool> gameModeAktiv_{false};
};

} // namespace parlix
