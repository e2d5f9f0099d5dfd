#include "tests/support/VirtuelleMainQueue.hpp"

namespace parlix::test {

// Starts far from the clock's epoch so that "the distant past" lies before it.
VirtuelleMainQueue::VirtuelleMainQueue()
    : jetzt_(Zeitpunkt{} + std::chrono::hours(24)) {}

void VirtuelleMainQueue::post(std::function<void()> job) {
    planeNach(Dauer::zero(), std::move(job));
}

MainQueue::Zeitpunkt VirtuelleMainQueue::jetzt() const {
    std::lock_guard sperre(sperre_);
    return jetzt_;
}

void VirtuelleMainQueue::planeNach(Dauer verzoegerung, std::function<void()> job) {
    {
        std::lock_guard sperre(sperre_);
        const Dauer nichtNegativ = std::max(verzoegerung, Dauer::zero());
        jobs_.emplace(std::pair(jetzt_ + nichtNegativ, reihenfolge_++), std::move(job));
    }
    neuerJob_.notify_all();
}

bool VirtuelleMainQueue::fuehreNaechstenAusBis(Zeitpunkt grenze) {
    std::function<void()> job;
    {
        std::lock_guard sperre(sperre_);
        if (jobs_.empty() || jobs_.begin()->first.first > grenze) {
            return false;
        }
        auto knoten = jobs_.extract(jobs_.begin());
        jetzt_ = std::max(jetzt_, knoten.key().first);
        job = std::move(knoten.mapped());
    }
    job();
    return true;
}

int VirtuelleMainQueue::laufe() {
    int anzahl = 0;
    while (fuehreNaechstenAusBis(jetzt())) {
        ++anzahl;
    }
    return anzahl;
}

void VirtuelleMainQueue::vorspulen(Dauer dauer) {
    const Zeitpunkt ziel = jetzt() + dauer;
    while (fuehreNaechstenAusBis(ziel)) {
    }
    std::lock_guard sperre(sperre_);
    jetzt_ = std::max(jetzt_, ziel);
}

bool VirtuelleMainQueue::warteBis(const std::function<bool()>& bedingung,
                                  std::chrono::milliseconds limit) {
    const auto ende = std::chrono::steady_clock::now() + limit;
    for (;;) {
        laufe();
        if (bedingung()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= ende) {
            return false;
        }
        // Other threads may change what the condition looks at without posting, so
        // wake up now and then even when no job arrives.
        std::unique_lock sperre(sperre_);
        neuerJob_.wait_for(sperre, std::chrono::milliseconds(5), [this] {
            return !jobs_.empty() && jobs_.begin()->first.first <= jetzt_;
        });
    }
}

int VirtuelleMainQueue::wartend() const {
    std::lock_guard sperre(sperre_);
    return static_cast<int>(jobs_.size());
}

} // namespace parlix::test
