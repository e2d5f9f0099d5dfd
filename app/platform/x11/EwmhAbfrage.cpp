#include "app/platform/x11/EwmhAbfrage.hpp"

#include "app/platform/x11/XFehlerFalle.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <memory>

namespace parlix {

namespace {

// Longer properties than this (in 32-bit units) are cut; no list we read comes near.
constexpr long hoechstLaenge = 1 << 16;

struct XFreigabe {
    void operator()(void* daten) const { XFree(daten); }
};
using XDaten = std::unique_ptr<unsigned char, XFreigabe>;

struct Eigenschaft {
    Atom typ = None;
    int format = 0;
    unsigned long anzahl = 0;
    XDaten daten;
};

// A property as the server holds it; a window that vanished gives an empty one (its error
// lands in the trap).
Eigenschaft lies(const XVerbindung& verbindung, quint64 fenster, const char* name, Atom typ) {
    XFehlerFalle falle(verbindung);
    Eigenschaft e;
    unsigned long rest = 0;
    unsigned char* daten = nullptr;
    if (XGetWindowProperty(verbindung.anzeige(), fenster, verbindung.atom(name), 0, hoechstLaenge,
                           False, typ, &e.typ, &e.format, &e.anzahl, &rest, &daten) != Success) {
        return {};
    }
    e.daten.reset(daten);
    return e;
}

} // namespace

std::vector<quint64> EwmhAbfrage::werte32(quint64 fenster, const char* eigenschaft,
                                          quint64 typ) const {
    const Eigenschaft e = lies(verbindung_, fenster, eigenschaft, typ);
    if (e.typ != typ || e.format != 32 || !e.daten) {
        return {};
    }
    // Xlib hands 32-bit items over as longs.
    const auto* werte = reinterpret_cast<const unsigned long*>(e.daten.get());
    return {werte, werte + e.anzahl};
}

std::optional<quint64> EwmhAbfrage::aktivesFenster() const {
    const auto werte = werte32(verbindung_.wurzel(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    if (werte.empty() || werte.front() == None) {
        return std::nullopt;
    }
    return werte.front();
}

std::optional<qint64> EwmhAbfrage::pid(quint64 fenster) const {
    const auto werte = werte32(fenster, "_NET_WM_PID", XA_CARDINAL);
    if (werte.empty() || werte.front() == 0) {
        return std::nullopt;
    }
    return static_cast<qint64>(werte.front());
}

std::optional<QRect> EwmhAbfrage::rahmen(quint64 fenster) const {
    Display* anzeige = verbindung_.anzeige();
    XFehlerFalle falle(verbindung_);
    XWindowAttributes attribute;
    int x = 0;
    int y = 0;
    Window kind = None;
    if (XGetWindowAttributes(anzeige, fenster, &attribute) == 0 ||
        XTranslateCoordinates(anzeige, fenster, verbindung_.wurzel(), 0, 0, &x, &y, &kind) == 0) {
        return std::nullopt;
    }
    QRect rechteck(x, y, attribute.width, attribute.height);
    // left, right, top, bottom
    const auto rand = werte32(fenster, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (rand.size() == 4) {
        rechteck.adjust(-static_cast<int>(rand[0]), -static_cast<int>(rand[2]),
                        static_cast<int>(rand[1]), static_cast<int>(rand[3]));
    }
    return rechteck;
}

std::optional<EwmhAbfrage::Klasse> EwmhAbfrage::klasse(quint64 fenster) const {
    XFehlerFalle falle(verbindung_);
    XClassHint hinweis{nullptr, nullptr};
    if (XGetClassHint(verbindung_.anzeige(), fenster, &hinweis) == 0) {
        return std::nullopt;
    }
    const XDaten instanz(reinterpret_cast<unsigned char*>(hinweis.res_name));
    const XDaten klasse(reinterpret_cast<unsigned char*>(hinweis.res_class));
    // ICCCM strings are Latin-1.
    return Klasse{QString::fromLatin1(hinweis.res_name), QString::fromLatin1(hinweis.res_class)};
}

std::optional<QString> EwmhAbfrage::text(quint64 fenster, const char* eigenschaft) const {
    const Eigenschaft e = lies(verbindung_, fenster, eigenschaft, AnyPropertyType);
    if (e.format != 8 || !e.daten || e.anzahl == 0) {
        return std::nullopt;
    }
    const auto* zeichen = reinterpret_cast<const char*>(e.daten.get());
    const auto laenge = static_cast<qsizetype>(e.anzahl);
    // A list of strings is separated by NULs; the first is the value.
    const QString wert = e.typ == verbindung_.atom("UTF8_STRING")
                             ? QString::fromUtf8(zeichen, laenge)
                             : QString::fromLatin1(zeichen, laenge);
    const QString erster = wert.section(QChar(u'\0'), 0, 0);
    if (erster.isEmpty()) {
        return std::nullopt;
    }
    return erster;
}

std::vector<quint64> EwmhAbfrage::atome(quint64 fenster, const char* eigenschaft) const {
    return werte32(fenster, eigenschaft, XA_ATOM);
}

bool EwmhAbfrage::hatZustand(quint64 fenster, const char* zustand) const {
    const auto zustaende = atome(fenster, "_NET_WM_STATE");
    return std::find(zustaende.begin(), zustaende.end(), verbindung_.atom(zustand)) !=
           zustaende.end();
}

bool EwmhAbfrage::istVollbild(quint64 fenster) const {
    return hatZustand(fenster, "_NET_WM_STATE_FULLSCREEN");
}

bool EwmhAbfrage::aufAktuellemDesktop(quint64 fenster) const {
    // _NET_WM_DESKTOP of a window shown on every desktop.
    constexpr quint64 alleDesktops = 0xFFFFFFFF;
    const auto aktuell = werte32(verbindung_.wurzel(), "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    const auto eigener = werte32(fenster, "_NET_WM_DESKTOP", XA_CARDINAL);
    return aktuell.empty() || eigener.empty() || eigener.front() == alleDesktops ||
           eigener.front() == aktuell.front();
}

std::vector<quint64> EwmhAbfrage::stapel() const {
    auto fenster = werte32(verbindung_.wurzel(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    std::reverse(fenster.begin(), fenster.end());
    return fenster;
}

} // namespace parlix
