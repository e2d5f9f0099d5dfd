#include "app/platform/wayland/toplevel/AktivesFenster.hpp"

namespace parlix {

std::optional<AktivesFenster::Aktiv> AktivesFenster::aktiv() const {
    const std::lock_guard lock(sperre_);
    return aktiv_;
}

void AktivesFenster::beiWechsel(std::function<void()> wechsel) {
    const std::lock_guard lock(sperre_);
    wechsel_ = std::move(wechsel);
}

void AktivesFenster::veroeffentliche(const std::optional<Aktiv>& neu) {
    const std::lock_guard lock(sperre_);
    if (neu == aktiv_) {
        return;
    }
    aktiv_ = neu;
    // Under the lock, so that no call comes after beiWechsel({}) has returned.
    if (wechsel_) {
        wechsel_();
    }
}

} // namespace parlix
