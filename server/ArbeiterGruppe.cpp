#include "server/ArbeiterGruppe.hpp"

namespace parlix {

ArbeiterGruppe::ArbeiterGruppe(int faeden, int maxWartend, std::function<void()> beimEnde)
    : maxWartend_(static_cast<std::size_t>(maxWartend))
    , beimEnde_(std::move(beimEnde)) {
    for (int i = 0; i < faeden; ++i) {
        faeden_.emplace_back([this] { arbeite(); });
    }
}

ArbeiterGruppe::~ArbeiterGruppe() {
    {
        std::lock_guard lock(sperre_);
        ende_ = true;
        schlange_.clear();
    }
    neu_.notify_all();
    for (std::thread& faden : faeden_) {
        faden.join();
    }
}

bool ArbeiterGruppe::reiheEin(std::function<void()> auftrag) {
    {
        std::lock_guard lock(sperre_);
        if (ende_ || schlange_.size() >= maxWartend_) {
            return false;
        }
        schlange_.push_back(std::move(auftrag));
    }
    neu_.notify_one();
    return true;
}

void ArbeiterGruppe::arbeite() {
    for (;;) {
        std::function<void()> auftrag;
        {
            std::unique_lock lock(sperre_);
            neu_.wait(lock, [this] { return ende_ || !schlange_.empty(); });
            if (ende_) {
                break;
            }
            auftrag = std::move(schlange_.front());
            schlange_.pop_front();
        }
        auftrag();
    }
    if (beimEnde_) {
        beimEnde_();
    }
}

} // namespace parlix
