#include "app/platform/x11/X11Arbeitsflaeche.hpp"

#include "app/platform/x11/EwmhAbfrage.hpp"

#include <X11/Xlib.h>

namespace parlix {

std::optional<QRect> X11Arbeitsflaeche::fokusFenster() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*v);
    const auto fenster = ewmh.aktivesFenster();
    return fenster ? ewmh.rahmen(*fenster) : std::nullopt;
}

bool X11Arbeitsflaeche::durchscheinend() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return false;
    }
    Display* anzeige = v->anzeige();
    const QByteArray auswahl = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(anzeige));
    return XGetSelectionOwner(anzeige, v->atom(auswahl.constData())) != None;
}

} // namespace parlix
