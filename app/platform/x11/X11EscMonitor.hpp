#pragma once

#include "app/platform/EscMonitor.hpp"
#include "app/platform/x11/XFaden.hpp"
#include "core/concurrency/MainQueue.hpp"

#include <map>
#include <memory>

namespace parlix {

// Escape everywhere on the X11 desktop, from the raw key events of a thread and
// connection of its own: the focused application receives the key as always. Several
// watches may be installed at once (the recording, the history panel); each is called
// for every press. The thread starts with the object and waits for the server in
// between; without an X display no watch is ever called. Main thread.
class X11EscMonitor final : public EscMonitor {
public:
    explicit X11EscMonitor(MainQueue& queue);
    ~X11EscMonitor() override;

    std::unique_ptr<Abo> installiere(std::function<void()> beiEscape) override;

private:
    class X11Abo;
    // The installed watches, by number. Main thread; posted jobs hold it weakly.
    struct Wachen {
        std::map<int, std::function<void()>> handler;
        int naechste = 0;
        void meldeEscape();
    };

    MainQueue& queue_;
    std::shared_ptr<Wachen> wachen_;
    XFaden faden_;
};

} // namespace parlix
