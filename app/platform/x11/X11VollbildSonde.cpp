#include "app/platform/x11/X11VollbildSonde.hpp"

#include "app/platform/x11/EwmhAbfrage.hpp"
#include "app/platform/x11/XFehlerFalle.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>

namespace parlix {

namespace {

constexpr std::chrono::seconds einrichtFrist{2};

bool enthaelt(const std::vector<quint64>& atome, quint64 atom) {
    return std::find(atome.begin(), atome.end(), atom) != atome.end();
}

} // namespace

// The watch thread's state: which window's state changes it follows. Watch thread only.
struct X11VollbildSonde::Beobachter {
    quint64 verfolgt = 0;

    // Follows the property changes of the now active window instead of the last one's.
    void folge(const XVerbindung& verbindung) {
        const auto aktiv = EwmhAbfrage(verbindung).aktivesFenster().value_or(0);
        if (aktiv == verfolgt) {
            return;
        }
        // Either window may be gone already.
        XFehlerFalle falle(verbindung);
        if (verfolgt != 0) {
            XSelectInput(verbindung.anzeige(), verfolgt, NoEventMask);
        }
        if (aktiv != 0) {
            XSelectInput(verbindung.anzeige(), aktiv, PropertyChangeMask);
        }
        falle.fehler();
        verfolgt = aktiv;
    }

    // Whether the event is a change the full-screen check must see.
    bool istWechsel(const XVerbindung& verbindung, const XEvent& e) {
        if (e.type != PropertyNotify) {
            return false;
        }
        const Atom atom = e.xproperty.atom;
        if (e.xproperty.window == verbindung.wurzel()) {
            if (atom == verbindung.atom("_NET_ACTIVE_WINDOW")) {
                folge(verbindung);
                return true;
            }
            return atom == verbindung.atom("_NET_CURRENT_DESKTOP");
        }
        return e.xproperty.window == verfolgt && atom == verbindung.atom("_NET_WM_STATE");
    }
};

X11VollbildSonde::X11VollbildSonde(MainQueue& queue)
    : queue_(queue) {}

X11VollbildSonde::~X11VollbildSonde() {
    beendeBeobachtung();
}

std::optional<qint64> X11VollbildSonde::vorderstePid() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*v);
    const auto aktiv = ewmh.aktivesFenster();
    return aktiv ? ewmh.pid(*aktiv) : std::nullopt;
}

std::optional<QList<VollbildSonde::Fenster>> X11VollbildSonde::fenster() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*v);
    QList<Fenster> liste;
    for (const quint64 fenster : ewmh.stapel()) {
        const auto typen = ewmh.atome(fenster, "_NET_WM_WINDOW_TYPE");
        if (!ewmh.istVollbild(fenster) || ewmh.hatZustand(fenster, "_NET_WM_STATE_HIDDEN") ||
            enthaelt(typen, v->atom("_NET_WM_WINDOW_TYPE_DESKTOP")) ||
            !ewmh.aufAktuellemDesktop(fenster)) {
            continue;
        }
        const bool darueber = enthaelt(typen, v->atom("_NET_WM_WINDOW_TYPE_DOCK")) ||
                              ewmh.hatZustand(fenster, "_NET_WM_STATE_ABOVE");
        liste.append({ewmh.pid(fenster).value_or(0), darueber ? 1 : 0, ewmh.rahmen(fenster)});
    }
    return liste;
}

QList<QSizeF> X11VollbildSonde::bildschirme() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return {};
    }
    QList<QSizeF> groessen;
    int anzahl = 0;
    XRRMonitorInfo* monitore = XRRGetMonitors(v->anzeige(), v->wurzel(), True, &anzahl);
    for (int i = 0; i < anzahl; ++i) {
        groessen.append(QSizeF(monitore[i].width, monitore[i].height));
    }
    if (monitore != nullptr) {
        XRRFreeMonitors(monitore);
    }
    if (groessen.isEmpty()) {
        const int bildschirm = XDefaultScreen(v->anzeige());
        groessen.append(QSizeF(XDisplayWidth(v->anzeige(), bildschirm),
                               XDisplayHeight(v->anzeige(), bildschirm)));
    }
    return groessen;
}

void X11VollbildSonde::beobachteWechsel(std::function<void()> wechsel) {
    beendeBeobachtung();
    wechsel_ = std::make_shared<std::function<void()>>(std::move(wechsel));
    faden_ = std::make_unique<XFaden>("parlix-vollbild");
    auto beobachter = std::make_shared<Beobachter>();
    faden_->starteUndWarte({[beobachter](XVerbindung& v) {
                                XSelectInput(v.anzeige(), v.wurzel(), PropertyChangeMask);
                                beobachter->folge(v);
                                return true;
                            },
                            [beobachter, &queue = queue_,
                             schwach = std::weak_ptr(wechsel_)](XVerbindung& v, XEvent& e) {
                                if (beobachter->istWechsel(v, e)) {
                                    queue.post([schwach] {
                                        if (const auto wechsel = schwach.lock()) {
                                            (*wechsel)();
                                        }
                                    });
                                }
                            },
                            nullptr},
                           einrichtFrist);
}

void X11VollbildSonde::beendeBeobachtung() {
    faden_.reset();
    wechsel_.reset();
}

} // namespace parlix
