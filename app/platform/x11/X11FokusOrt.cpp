#include "app/platform/x11/X11FokusOrt.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace parlix {

struct X11FokusOrt::Verbindung {
    Display* anzeige = XOpenDisplay(nullptr);
    Atom aktiv = anzeige != nullptr ? XInternAtom(anzeige, "_NET_ACTIVE_WINDOW", False) : None;

    Verbindung() = default;
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;
    ~Verbindung() {
        if (anzeige != nullptr) {
            XCloseDisplay(anzeige);
        }
    }

    Window aktivesFenster() const {
        Atom typ = None;
        int format = 0;
        unsigned long anzahl = 0;
        unsigned long rest = 0;
        unsigned char* daten = nullptr;
        Window fenster = None;
        if (XGetWindowProperty(anzeige, DefaultRootWindow(anzeige), aktiv, 0, 1, False, XA_WINDOW,
                               &typ, &format, &anzahl, &rest, &daten) == Success &&
            daten != nullptr) {
            if (typ == XA_WINDOW && format == 32 && anzahl == 1) {
                fenster = *reinterpret_cast<Window*>(daten);
            }
            XFree(daten);
        }
        if (fenster == None) {
            int zurueck = 0;
            XGetInputFocus(anzeige, &fenster, &zurueck);
        }
        return fenster == static_cast<Window>(PointerRoot) ? None : fenster;
    }
};

X11FokusOrt::X11FokusOrt()
    : verbindung_(std::make_unique<Verbindung>()) {}

X11FokusOrt::~X11FokusOrt() = default;

bool X11FokusOrt::verbunden() const {
    return verbindung_->anzeige != nullptr;
}

std::optional<QRect> X11FokusOrt::fokusFenster() {
    if (!verbunden()) {
        return std::nullopt;
    }
    Display* anzeige = verbindung_->anzeige;
    const Window fenster = verbindung_->aktivesFenster();
    // The window may vanish between the requests: the error that causes is ignored.
    const auto vorher = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XWindowAttributes merkmale{};
    Window kind = None;
    int x = 0;
    int y = 0;
    const bool gelesen =
        fenster != None && XGetWindowAttributes(anzeige, fenster, &merkmale) != 0 &&
        XTranslateCoordinates(anzeige, fenster, DefaultRootWindow(anzeige), 0, 0, &x, &y, &kind) !=
            0;
    XSync(anzeige, False);
    XSetErrorHandler(vorher);
    if (!gelesen || merkmale.width <= 1 || merkmale.height <= 1) {
        return std::nullopt;
    }
    return QRect(x, y, merkmale.width, merkmale.height);
}

} // namespace parlix
