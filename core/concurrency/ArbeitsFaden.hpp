#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace parlix {

// A thread of our own that runs jobs one after another, for blocking work that must
// stay off the main thread. Each job gets a stop token that is requested when the
// worker is destroyed; the destructor then waits for the running job (which should
// honour the token) and drops the jobs that have not started.
class ArbeitsFaden {
public:
    using Job = std::function<void(std::stop_token)>;

    ArbeitsFaden();
    ~ArbeitsFaden();
    ArbeitsFaden(const ArbeitsFaden&) = delete;
    ArbeitsFaden& operator=(const ArbeitsFaden&) = delete;

    // Any thread.
    void post(Job job);

private:
    void laufe(std::stop_token stop);

    std::mutex sperre_;
    std::condition_variable_any neuerJob_;
    std::deque<Job> jobs_;
    std::jthread faden_; // last: it starts after, and stops before, the members above
};

} // namespace parlix
