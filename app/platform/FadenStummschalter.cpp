#include "app/platform/FadenStummschalter.hpp"

#include <future>

namespace parlix {

FadenStummschalter::FadenStummschalter(std::unique_ptr<Stummschalter> innen)
    : innen_(std::move(innen)) {}

FadenStummschalter::~FadenStummschalter() {
    // The thread drops what has not started when it stops: the calls still queued run first.
    std::promise<void> fertig;
    faden_.post([&fertig](std::stop_token) { fertig.set_value(); });
    fertig.get_future().wait();
}

void FadenStummschalter::absenken(int prozent) {
    faden_.post([this, prozent](std::stop_token) { innen_->absenken(prozent); });
}

void FadenStummschalter::wiederherstellen() {
    faden_.post([this](std::stop_token) { innen_->wiederherstellen(); });
}

} // namespace parlix
