#pragma once

#include <functional>
#include <memory>

namespace parlix {

// Watches the Escape key everywhere on the desktop, also while another application has
// the focus, without taking the key away from it.
class EscMonitor {
public:
    // An installed watch; destroying it removes the watch. Main thread.
    class Abo {
    public:
        virtual ~Abo() = default;
    };

    virtual ~EscMonitor() = default;

    // Calls `beiEscape` on the main thread for every press (key down) of Escape until
    // the returned watch is destroyed. Main thread.
    virtual std::unique_ptr<Abo> installiere(std::function<void()> beiEscape) = 0;
};

} // namespace parlix
