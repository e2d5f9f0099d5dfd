#pragma once

#include "app/platform/Klangspieler.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace parlix {

// Plays cues through libcanberra: a bundled cue of that name, else the sound theme's
// event sound of that name ("Tink" stands for a short tick). Sound libraries may wait
// for the sound server, so all playing happens on a worker thread of this object that
// sleeps while there is nothing to play; spiele() only queues the name.
class CanberraKlangspieler final : public Klangspieler {
public:
    CanberraKlangspieler();
    ~CanberraKlangspieler() override;
    CanberraKlangspieler(const CanberraKlangspieler&) = delete;
    CanberraKlangspieler& operator=(const CanberraKlangspieler&) = delete;

    void spiele(const QString& name) override;

private:
    void arbeite();

    std::mutex sperre_;
    std::condition_variable neuerAuftrag_;
    std::deque<QString> auftraege_;
    bool ende_ = false;
    std::thread arbeiter_;
};

} // namespace parlix
