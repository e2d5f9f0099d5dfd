#include "app/platform/wayland/kde/PlasmaFenster.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "plasma-window-management.h"

#include <map>
#include <wayland-client.h>

namespace parlix {

struct PlasmaFenster::Zustand {
    struct Fenster {
        Aktiv eigenschaften;
        bool aktiviert = false;
        // Its first state is complete.
        bool bekannt = false;
    };

    org_kde_plasma_window_management* verwaltung = nullptr;
    std::map<org_kde_plasma_window*, Fenster> fenster;

    PlasmaFenster& besitzer;

    explicit Zustand(PlasmaFenster& fenster)
        : besitzer(fenster) {}
    ~Zustand();
    void neuesFenster(const char* uuid);
    void verschwunden(org_kde_plasma_window* griff);
    void veroeffentliche();
};

namespace {

using Z = PlasmaFenster::Zustand;

// Listeners for the events that do not matter here.
template <class... Argumente> void nichts(void*, Argumente...) {}

// An event that changed a window: recorded, then the active window published again.
template <class Aenderung>
void aendere(void* daten, org_kde_plasma_window* griff, Aenderung aenderung) {
    auto* z = static_cast<Z*>(daten);
    aenderung(z->fenster[griff]);
    z->veroeffentliche();
}

void anwendung(void* daten, org_kde_plasma_window* griff, const char* id) {
    aendere(daten, griff,
            [id](Z::Fenster& f) { f.eigenschaften.anwendungsID = QString::fromUtf8(id); });
}
void zustand(void* daten, org_kde_plasma_window* griff, uint32_t flags) {
    aendere(daten, griff, [flags](Z::Fenster& f) {
        f.aktiviert = (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE) != 0;
        f.eigenschaften.vollbild = (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_FULLSCREEN) != 0;
    });
}
void rahmen(void* daten, org_kde_plasma_window* griff, int32_t x, int32_t y, uint32_t breite,
            uint32_t hoehe) {
    aendere(daten, griff, [&](Z::Fenster& f) {
        f.eigenschaften.rahmen = QRect(x, y, static_cast<int>(breite), static_cast<int>(hoehe));
    });
}
void prozess(void* daten, org_kde_plasma_window* griff, uint32_t pid) {
    aendere(daten, griff, [pid](Z::Fenster& f) { f.eigenschaften.pid = pid; });
}
void vollstaendig(void* daten, org_kde_plasma_window* griff) {
    aendere(daten, griff, [](Z::Fenster& f) { f.bekannt = true; });
}
void unsichtbar(void* daten, org_kde_plasma_window* griff) {
    static_cast<Z*>(daten)->verschwunden(griff);
}

const org_kde_plasma_window_listener fensterHoerer{
    nichts<org_kde_plasma_window*, const char*>, // title
    anwendung,
    zustand,
    nichts<org_kde_plasma_window*, int32_t>,     // virtual desktop (old form)
    nichts<org_kde_plasma_window*, const char*>, // themed icon
    unsichtbar,
    vollstaendig,
    nichts<org_kde_plasma_window*, org_kde_plasma_window*>, // parent
    rahmen,
    nichts<org_kde_plasma_window*>, // icon
    prozess,
    nichts<org_kde_plasma_window*, const char*>,              // virtual desktop entered
    nichts<org_kde_plasma_window*, const char*>,              // virtual desktop left
    nichts<org_kde_plasma_window*, const char*, const char*>, // application menu
    nichts<org_kde_plasma_window*, const char*>,              // activity entered
    nichts<org_kde_plasma_window*, const char*>,              // activity left
    nichts<org_kde_plasma_window*, const char*>,              // resource name
};

void neuesFenster(void* daten, org_kde_plasma_window_management*, uint32_t, const char* uuid) {
    static_cast<Z*>(daten)->neuesFenster(uuid);
}

// Each window comes twice, by number (old clients) and by uuid: taken by uuid only.
const org_kde_plasma_window_management_listener verwaltungsHoerer{
    nichts<org_kde_plasma_window_management*, uint32_t>,    // show desktop
    nichts<org_kde_plasma_window_management*, uint32_t>,    // window by number
    nichts<org_kde_plasma_window_management*, wl_array*>,   // stacking order
    nichts<org_kde_plasma_window_management*, const char*>, // stacking order by uuid
    neuesFenster,
};

} // namespace

Z::~Zustand() {
    for (const auto& [griff, f] : fenster) {
        org_kde_plasma_window_destroy(griff);
    }
    if (verwaltung != nullptr) {
        org_kde_plasma_window_management_destroy(verwaltung);
    }
}

void Z::neuesFenster(const char* uuid) {
    org_kde_plasma_window* griff =
        org_kde_plasma_window_management_get_window_by_uuid(verwaltung, uuid);
    fenster[griff];
    org_kde_plasma_window_add_listener(griff, &fensterHoerer, this);
}

void Z::verschwunden(org_kde_plasma_window* griff) {
    fenster.erase(griff);
    org_kde_plasma_window_destroy(griff);
    veroeffentliche();
}

void Z::veroeffentliche() {
    std::optional<Aktiv> neu;
    for (const auto& [griff, f] : fenster) {
        if (f.bekannt && f.aktiviert) {
            neu = f.eigenschaften;
        }
    }
    besitzer.veroeffentliche(neu);
}

PlasmaFenster::PlasmaFenster(WaylandVerbindung& verbindung)
    : verbindung_(verbindung)
    , z_(std::make_unique<Zustand>(*this)) {
    if (!verbindung_.bietet(org_kde_plasma_window_management_interface.name)) {
        return;
    }
    bereit_ = verbindung_
                  .frage<bool>([this] {
                      // Windows by uuid came with version 13; the listeners know 16.
                      z_->verwaltung = static_cast<org_kde_plasma_window_management*>(
                          verbindung_.binde(&org_kde_plasma_window_management_interface, 16));
                      if (z_->verwaltung == nullptr ||
                          org_kde_plasma_window_management_get_version(z_->verwaltung) < 13) {
                          return false;
                      }
                      org_kde_plasma_window_management_add_listener(z_->verwaltung,
                                                                    &verwaltungsHoerer, z_.get());
                      // The windows that exist arrive at once; their states with the second.
                      return verbindung_.rundlauf() && verbindung_.rundlauf();
                  })
                  .value_or(false);
}

PlasmaFenster::~PlasmaFenster() {
    if (!verbindung_.fuehreAus([this] { z_.reset(); })) {
        z_.reset();
    }
}

} // namespace parlix
