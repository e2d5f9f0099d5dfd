#pragma once

#include "core/concurrency/MainQueue.hpp"
#include "core/hotkeys/VollbildSonde.hpp"

#include <chrono>
#include <functional>
#include <memory>

namespace parlix {

// Watches whether the frontmost application shows a full-screen window (a game) and
// reports changes, so that the hotkeys can be switched off meanwhile. The state is
// checked at every application or workspace switch and every three seconds. Main thread.
class GameModeMonitor {
public:
    static constexpr MainQueue::Dauer pruefIntervall = std::chrono::seconds(3);

    GameModeMonitor(MainQueue& queue, VollbildSonde& sonde);
    ~GameModeMonitor();

    GameModeMonitor(const GameModeMonitor&) = delete;
    GameModeMonitor& operator=(const GameModeMonitor&) = delete;

    // Starts watching and checks once at once.
    void starte();
    // Stops watching; no check runs afterwards.
    void stoppe();
    // Checks now; logs and calls onChange only when the state changed.
    void pruefe();

    // A window of the frontmost application, at the ordinary level, as large as one of
    // the screens (positions are not compared); or, where the desktop reports the state
    // itself, its word.
    bool istVollbildAktiv();
    bool aktiv() const { return aktiv_; }

    std::function<void(bool aktiv)> onChange;

private:
    void planeNaechstePruefung();

    MainQueue& queue_;
    VollbildSonde& sonde_;
    bool aktiv_ = false;
    bool beobachtet_ = false;
    std::shared_ptr<GeplanterJob> timer_;
};

} // namespace parlix
