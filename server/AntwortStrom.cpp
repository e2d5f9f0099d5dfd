#include "server/AntwortStrom.hpp"

namespace parlix {

void AntwortStrom::gib(QByteArrayView bytes) {
    std::unique_lock lock(sperre_);
    vorrat_.bytes.append(bytes);
    wecke(lock);
}

void AntwortStrom::beende(Ende ende) {
    std::unique_lock lock(sperre_);
    if (vorrat_.ende == Ende::offen) {
        vorrat_.ende = ende;
        wecke(lock);
    }
}

void AntwortStrom::verbinde(std::function<void()> wecker) {
    std::lock_guard lock(sperre_);
    wecker_ = std::move(wecker);
}

AntwortStrom::Vorrat AntwortStrom::nimm() {
    std::lock_guard lock(sperre_);
    wach_ = false;
    Vorrat genommen{std::exchange(vorrat_.bytes, {}), vorrat_.ende};
    return genommen;
}

void AntwortStrom::wecke(std::unique_lock<std::mutex>& lock) {
    if (wach_ || !wecker_) {
        return;
    }
    wach_ = true;
    const std::function<void()> wecker = wecker_;
    lock.unlock();
    wecker();
}

} // namespace parlix
