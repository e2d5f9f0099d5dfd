#include "app/platform/x11/XRohTasten.hpp"

#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace parlix {

bool XRohTasten::abonniere(const XVerbindung& verbindung) {
    Display* anzeige = verbindung.anzeige();
    int ereignisBasis = 0;
    int fehlerBasis = 0;
    if (!XQueryExtension(anzeige, "XInputExtension", &opcode_, &ereignisBasis, &fehlerBasis)) {
        return false;
    }
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(anzeige, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 1)) {
        return false;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    // The master keyboards carry every physical and synthetic keyboard once.
    XIEventMask maske{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(anzeige, verbindung.wurzel(), &maske, 1);
    tabelle_ = verbindung.tastenTabelle();
    return true;
}

bool XRohTasten::mappingGeaendert(const XVerbindung& verbindung, _XEvent& ereignis) {
    if (ereignis.type != MappingNotify) {
        return false;
    }
    XRefreshKeyboardMapping(&ereignis.xmapping);
    if (ereignis.xmapping.request == MappingPointer) {
        return false;
    }
    tabelle_ = verbindung.tastenTabelle();
    return true;
}

std::optional<XRohTasten::Taste> XRohTasten::lies(const XVerbindung& verbindung,
                                                  _XEvent& ereignis) {
    if (ereignis.type == KeyPress || ereignis.type == KeyRelease) {
        return liesGegriffen(ereignis);
    }
    return liesRoh(verbindung, ereignis);
}

std::optional<XRohTasten::Taste> XRohTasten::liesRoh(const XVerbindung& verbindung,
                                                     _XEvent& ereignis) {
    XGenericEventCookie& keks = ereignis.xcookie;
    if (keks.type != GenericEvent || keks.extension != opcode_ ||
        (keks.evtype != XI_RawKeyPress && keks.evtype != XI_RawKeyRelease) ||
        !XGetEventData(verbindung.anzeige(), &keks)) {
        return std::nullopt;
    }
    const auto* roh = static_cast<const XIRawEvent*>(keks.data);
    const Taste taste{static_cast<quint8>(roh->detail), keks.evtype == XI_RawKeyPress,
                      (roh->flags & XIKeyRepeat) != 0};
    if (taste.gedrueckt) {
        letzterDruck_ = taste.xKeycode;
        letzteDruckZeit_ = roh->time;
    }
    XFreeEventData(verbindung.anzeige(), &keks);
    return taste;
}

std::optional<XRohTasten::Taste> XRohTasten::liesGegriffen(const _XEvent& ereignis) const {
    const XKeyEvent& taste = ereignis.xkey;
    const bool gedrueckt = taste.type == KeyPress;
    if (gedrueckt && taste.keycode == letzterDruck_ && taste.time == letzteDruckZeit_) {
        return std::nullopt;
    }
    return Taste{static_cast<quint8>(taste.keycode), gedrueckt, false};
}

} // namespace parlix
