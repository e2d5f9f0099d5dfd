#include "core/concurrency/ArbeitsFaden.hpp"

namespace parlix {

ArbeitsFaden::ArbeitsFaden()
    : faden_([this](std::stop_token stop) { laufe(stop); }) {}

ArbeitsFaden::~ArbeitsFaden() {
    faden_.request_stop();
    faden_.join();
}

void ArbeitsFaden::post(Job job) {
    {
        std::lock_guard lock(sperre_);
        jobs_.push_back(std::move(job));
    }
    neuerJob_.notify_one();
}

void ArbeitsFaden::laufe(std::stop_token stop) {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(sperre_);
            if (!neuerJob_.wait(lock, stop, [this] { return !jobs_.empty(); })) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(stop);
    }
}

} // namespace parlix
