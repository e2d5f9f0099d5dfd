#include "app/platform/wayland/toplevel/ToplevelVollbildSonde.hpp"

#include "app/platform/wayland/toplevel/AktivesFenster.hpp"

namespace parlix {

ToplevelVollbildSonde::~ToplevelVollbildSonde() {
    beendeBeobachtung();
}

std::optional<bool> ToplevelVollbildSonde::meldetVollbild() {
    const auto aktiv = fenster_.aktiv();
    return aktiv && aktiv->vollbild;
}

void ToplevelVollbildSonde::beobachteWechsel(std::function<void()> wechsel) {
    wechsel_.beginne(std::move(wechsel));
    fenster_.beiWechsel(wechsel_.melder(mainQueue_));
}

void ToplevelVollbildSonde::beendeBeobachtung() {
    fenster_.beiWechsel({});
    wechsel_.ende();
}

} // namespace parlix
