#pragma once

#include "core/concurrency/MainQueue.hpp"

#include <condition_variable>
#include <map>
#include <mutex>

namespace parlix::test {

// A main queue driven by the test: jobs run only inside laufe(), vorspulen() and
// warteBis(), on the calling (test) thread, and the clock moves only when the test
// advances it. Posting is safe from any thread.
class VirtuelleMainQueue final : public MainQueue {
public:
    VirtuelleMainQueue();

    void post(std::function<void()> job) override;
    Zeitpunkt jetzt() const override;

    // Runs every job that is due now, including jobs those jobs post. Returns the count.
    int laufe();
    // Moves the clock forward, running every job in the order of its due time.
    void vorspulen(Dauer dauer);
    // Runs jobs, and waits in real time for jobs posted by other threads, until the
    // condition holds (true) or the real-time limit passes (false).
    bool warteBis(const std::function<bool()>& bedingung,
                  std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Jobs waiting, due or not.
    int wartend() const;

protected:
    void planeNach(Dauer verzoegerung, std::function<void()> job) override;

private:
    bool fuehreNaechstenAusBis(Zeitpunkt grenze);

    mutable std::mutex sperre_;
    std::condition_variable neuerJob_;
    Zeitpunkt jetzt_;
    long long reihenfolge_ = 0;
    // Ordered by due time, then by posting order.
    std::map<std::pair<Zeitpunkt, long long>, std::function<void()>> jobs_;
};

} // namespace parlix::test
