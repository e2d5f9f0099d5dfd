#include "app/platform/wayland/toplevel/ToplevelVollbildSonde.hpp"

#include "app/platform/wayland/toplevel/FremdeFenster.hpp"
#include "core/concurrency/MainQueue.hpp"

namespace parlix {

ToplevelVollbildSonde::~ToplevelVollbildSonde() {
    beendeBeobachtung();
}

std::optional<bool> ToplevelVollbildSonde::meldetVollbild() {
    const auto aktiv = fenster_.aktiv();
    return aktiv && aktiv->vollbild;
}

void ToplevelVollbildSonde::beobachteWechsel(std::function<void()> wechsel) {
    wechsel_ = std::make_shared<std::function<void()>>(std::move(wechsel));
    fenster_.beiWechsel([&queue = mainQueue_, ziel = std::weak_ptr(wechsel_)] {
        queue.post([ziel] {
            if (const auto wechsel = ziel.lock()) {
                (*wechsel)();
            }
        });
    });
}

void ToplevelVollbildSonde::beendeBeobachtung() {
    fenster_.beiWechsel({});
    wechsel_.reset();
}

} // namespace parlix
