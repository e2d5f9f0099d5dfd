#pragma once

#include "core/concurrency/WarteAufJob.hpp"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace parlix {

// The process's connection to the accessibility bus, on a thread of its own. libatspi
// keeps process-wide state and is not thread-safe, so every accessibility call runs on
// this one thread, which also dispatches the bus's messages (else they would pile up).
// libatspi hangs its connections on GLib's default main context, so that thread runs
// the default context: the Qt application must be created with QT_NO_GLIB=1, else
// there is no accessibility (logged). At the start it switches the desktop's
// accessibility on (org.a11y.Status IsEnabled), so that applications started from then
// on expose their widgets. One per process.
class AtspiVerbindung {
public:
    AtspiVerbindung();
    ~AtspiVerbindung();
    AtspiVerbindung(const AtspiVerbindung&) = delete;
    AtspiVerbindung& operator=(const AtspiVerbindung&) = delete;

    // Whether the accessibility bus answered. Any thread; false until the start is done.
    bool erreichbar() const;

    // Runs `job` on the accessibility thread and waits up to `frist` for its result;
    // nothing when it did not finish in time (it still runs to its end). Any thread but
    // the accessibility thread itself.
    template <class T>
    std::optional<T> fuehreAus(std::function<T()> job, std::chrono::milliseconds frist) {
        return warteAufJob<T>([this](std::function<void()> j) { poste(std::move(j)); },
                              std::move(job), frist);
    }

private:
    void poste(std::function<void()> job);

    struct Kern;
    std::unique_ptr<Kern> kern_;
};

} // namespace parlix
