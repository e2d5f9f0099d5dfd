#pragma once

#include "core/concurrency/MainQueue.hpp"

#include <functional>
#include <memory>

namespace parlix {

// Hands changes seen on another thread to a callback on the main thread until the
// watch ends: a change posted before ende() finds the callback gone. Main thread, except
// the function melder() returns.
class Wechselmeldung {
public:
    void beginne(std::function<void()> wechsel) {
        ziel_ = std::make_shared<std::function<void()>>(std::move(wechsel));
    }
    void ende() { ziel_.reset(); }

    // For the other thread: posts one call of the callback.
    std::function<void()> melder(MainQueue& queue) const {
        return [&queue, ziel = std::weak_ptr(ziel_)] {
            queue.post([ziel] {
                if (const auto wechsel = ziel.lock()) {
                    (*wechsel)();
                }
            });
        };
    }

private:
    std::shared_ptr<std::function<void()>> ziel_;
};

} // namespace parlix
