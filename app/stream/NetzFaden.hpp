#pragma once

#include <functional>
#include <memory>

class QObject;

namespace parlix {

// The network thread of the streaming clients: a thread with its own Qt event loop on
// which every stream socket lives. The application starts one and shares it between all
// clients, so opening a stream at the start of a recording costs no thread start, and
// dropping a client on the main thread never waits for a thread to end. Sockets still
// open when it ends are closed and deleted on the thread. It must outlive its clients.
class NetzFaden {
public:
    NetzFaden();
    ~NetzFaden();
    NetzFaden(const NetzFaden&) = delete;
    NetzFaden& operator=(const NetzFaden&) = delete;

    // Runs the job on the network thread. Any thread; jobs posted from one thread run in
    // the order they were posted.
    void post(std::function<void()> job);
    // The parent for objects that live on the network thread. On that thread only.
    QObject& wurzel();

private:
    class Faden;
    std::unique_ptr<Faden> faden_;
};

} // namespace parlix
