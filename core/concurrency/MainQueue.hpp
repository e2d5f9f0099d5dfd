#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace parlix {

// A delayed job on the main queue. Cancelled on the main thread, it is guaranteed not
// to run afterwards.
class GeplanterJob {
public:
    void abbrechen() { abgebrochen_.store(true); }
    bool abgebrochen() const { return abgebrochen_.load(); }

private:
    std::atomic<bool> abgebrochen_{false};
};

// The main thread's queue: code on other threads posts work to it, and timed work
// ("0.5 s later on the main thread") is scheduled on it. The Qt implementation runs on
// the event loop; tests use a virtual clock so that timing rules are exact and instant.
class MainQueue {
public:
    using Uhr = std::chrono::steady_clock;
    using Zeitpunkt = Uhr::time_point;
    using Dauer = std::chrono::nanoseconds;

    virtual ~MainQueue() = default;

    // Runs the job on the main thread soon, after work posted before it. Any thread.
    virtual void post(std::function<void()> job) = 0;

    // Runs the job on the main thread after the delay unless it is cancelled first.
    // Any thread.
    std::shared_ptr<GeplanterJob> after(Dauer verzoegerung, std::function<void()> job);

    // The clock that after() counts in.
    virtual Zeitpunkt jetzt() const = 0;

protected:
    virtual void planeNach(Dauer verzoegerung, std::function<void()> job) = 0;
};

} // namespace parlix
