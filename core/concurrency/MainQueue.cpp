#include "core/concurrency/MainQueue.hpp"

namespace parlix {

std::shared_ptr<GeplanterJob> MainQueue::after(Dauer verzoegerung, std::function<void()> job) {
    auto geplant = std::make_shared<GeplanterJob>();
    planeNach(verzoegerung, [geplant, job = std::move(job)] {
        if (!geplant->abgebrochen()) {
            job();
        }
    });
    return geplant;
}

} // namespace parlix
