#include "app/platform/x11/XVerbindung.hpp"

#include "app/platform/x11/XFehlerFalle.hpp"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <atomic>
#include <memory>
#include <mutex>

namespace parlix {

struct XVerbindung::Kern {
    Display* anzeige = nullptr;
    std::atomic<bool> verloren{false};

    ~Kern() {
        if (anzeige != nullptr) {
            XFehlerFalle::gibFrei(anzeige);
            XCloseDisplay(anzeige);
        }
    }
};

namespace {

// Called instead of Xlib's exit once the connection broke; the display stays unusable.
void verbindungVerloren(Display*, void* kern) {
    static_cast<std::atomic<bool>*>(kern)->store(true);
}

} // namespace

std::optional<XVerbindung> XVerbindung::oeffne(const QByteArray& name) {
    // Several threads hold connections of their own; Xlib must know before the first.
    static std::once_flag einmal;
    std::call_once(einmal, [] { XInitThreads(); });
    Display* anzeige = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (anzeige == nullptr) {
        return std::nullopt;
    }
    auto kern = std::make_unique<Kern>();
    kern->anzeige = anzeige;
    XFehlerFalle::uebernimm(anzeige);
    XSetIOErrorExitHandler(anzeige, verbindungVerloren, &kern->verloren);
    return XVerbindung(std::move(kern));
}

const XVerbindung* XVerbindung::offen(std::optional<XVerbindung>& platz) {
    if (!platz || platz->verloren()) {
        platz = oeffne();
    }
    return platz ? &*platz : nullptr;
}

XVerbindung::XVerbindung(std::unique_ptr<Kern> kern)
    : kern_(std::move(kern)) {}

XVerbindung::~XVerbindung() = default;
XVerbindung::XVerbindung(XVerbindung&& andere) noexcept = default;
XVerbindung& XVerbindung::operator=(XVerbindung&& andere) noexcept = default;

_XDisplay* XVerbindung::anzeige() const {
    return kern_->anzeige;
}

quint64 XVerbindung::wurzel() const {
    return XDefaultRootWindow(kern_->anzeige);
}

quint64 XVerbindung::atom(const char* name) const {
    return XInternAtom(kern_->anzeige, name, False);
}

int XVerbindung::dateideskriptor() const {
    return XConnectionNumber(kern_->anzeige);
}

bool XVerbindung::verloren() const {
    return kern_->verloren.load();
}

void XVerbindung::gleicheAb() const {
    XSync(kern_->anzeige, False);
}

XTastenTabelle XVerbindung::tastenTabelle() const {
    Display* anzeige = this->anzeige();
    int kleinster = 0;
    int groesster = 0;
    XDisplayKeycodes(anzeige, &kleinster, &groesster);
    int jeTaste = 0;
    const std::unique_ptr<KeySym, int (*)(void*)> mapping(
        XGetKeyboardMapping(anzeige, static_cast<KeyCode>(kleinster), groesster - kleinster + 1,
                            &jeTaste),
        XFree);
    return XTastenTabelle([&](quint8 x) -> quint64 {
        if (!mapping || x < kleinster || x > groesster || jeTaste < 1) {
            return NoSymbol;
        }
        return mapping.get()[(x - kleinster) * jeTaste];
    });
}

} // namespace parlix
