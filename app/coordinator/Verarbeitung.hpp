#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace parlix {

// The pipeline threads of the coordinator: one per finished recording. Cancelling asks
// the current one to stop and lets it wind down on its own, so the main thread never
// waits for it; finished threads are joined when the next one starts, and destruction
// stops and joins them all. Main thread.
class Verarbeitung {
public:
    using Arbeit = std::function<void(std::stop_token)>;

    Verarbeitung() = default;
    ~Verarbeitung();
    Verarbeitung(const Verarbeitung&) = delete;
    Verarbeitung& operator=(const Verarbeitung&) = delete;

    // Starts the work on a new thread; it becomes the current one.
    void starte(Arbeit arbeit);
    // Requests the current thread to stop; it is no longer the current one.
    void brichAb();
    // Requests every thread to stop and waits for all of them.
    void beendeAlle();

private:
    struct Faden {
        std::shared_ptr<std::atomic<bool>> fertig;
        std::jthread faden;
    };

    void raeumeAuf();

    std::vector<Faden> faeden_;
    // Whether the last thread in faeden_ is the current one.
    bool aktuell_ = false;
};

} // namespace parlix
