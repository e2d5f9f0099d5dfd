#include "app/platform/x11/X11FokusOrt.hpp"

#include "app/platform/x11/EwmhAbfrage.hpp"

namespace parlix {

std::optional<QRect> X11FokusOrt::fokusFenster() {
    if (!verbindung_ || verbindung_->verloren()) {
        verbindung_ = XVerbindung::oeffne();
    }
    if (!verbindung_) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*verbindung_);
    const auto fenster = ewmh.aktivesFenster();
    return fenster ? ewmh.rahmen(*fenster) : std::nullopt;
}

} // namespace parlix
