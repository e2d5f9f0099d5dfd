#include "app/platform/atspi/LinuxVertrauen.hpp"

#include "app/platform/atspi/AtspiVerbindung.hpp"

#include <X11/Xlib.h>

namespace parlix {

namespace {

bool hatErweiterung(Display* anzeige, const char* name) {
    int code = 0;
    int ereignis = 0;
    int fehler = 0;
    return XQueryExtension(anzeige, name, &code, &ereignis, &fehler) != 0;
}

} // namespace

LinuxVertrauen::LinuxVertrauen(const AtspiVerbindung& verbindung)
    : verbindung_(verbindung) {
    if (Display* anzeige = XOpenDisplay(nullptr)) {
        erweiterungen_ =
            hatErweiterung(anzeige, "XTEST") && hatErweiterung(anzeige, "XInputExtension");
        XCloseDisplay(anzeige);
    }
}

bool LinuxVertrauen::istVertraut() {
    return erweiterungen_ && verbindung_.erreichbar();
}

} // namespace parlix
