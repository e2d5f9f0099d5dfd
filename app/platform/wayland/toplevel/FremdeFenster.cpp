#include "app/platform/wayland/toplevel/FremdeFenster.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "wlr-foreign-toplevel-management-unstable-v1.h"

#include <map>
#include <wayland-client.h>

namespace parlix {

struct FremdeFenster::Zustand {
    struct Fenster {
        QString anwendungsID;
        bool aktiviert = false;
        bool vollbild = false;
    };

    zwlr_foreign_toplevel_manager_v1* verwalter = nullptr;
    std::map<zwlr_foreign_toplevel_handle_v1*, Fenster> fenster;
    zwlr_foreign_toplevel_handle_v1* vorn = nullptr;

    FremdeFenster& besitzer;

    explicit Zustand(FremdeFenster& fenster)
        : besitzer(fenster) {}
    ~Zustand();
    void neuesFenster(zwlr_foreign_toplevel_handle_v1* griff);
    void fertig(zwlr_foreign_toplevel_handle_v1* griff);
    void geschlossen(zwlr_foreign_toplevel_handle_v1* griff);
    void veroeffentliche();
};

namespace {

using Z = FremdeFenster::Zustand;

Z::Fenster& eintrag(void* daten, zwlr_foreign_toplevel_handle_v1* griff) {
    return static_cast<Z*>(daten)->fenster[griff];
}

void titel(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void anwendung(void* daten, zwlr_foreign_toplevel_handle_v1* griff, const char* id) {
    eintrag(daten, griff).anwendungsID = QString::fromUtf8(id);
}
void ausgabeBetreten(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void ausgabeVerlassen(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void zustand(void* daten, zwlr_foreign_toplevel_handle_v1* griff, wl_array* werte) {
    Z::Fenster& f = eintrag(daten, griff);
    f.aktiviert = false;
    f.vollbild = false;
    const auto* wert = static_cast<const uint32_t*>(werte->data);
    for (size_t i = 0; i < werte->size / sizeof(uint32_t); ++i) {
        f.aktiviert |= wert[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        f.vollbild |= wert[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_FULLSCREEN;
    }
}
void fertig(void* daten, zwlr_foreign_toplevel_handle_v1* griff) {
    static_cast<Z*>(daten)->fertig(griff);
}
void geschlossen(void* daten, zwlr_foreign_toplevel_handle_v1* griff) {
    static_cast<Z*>(daten)->geschlossen(griff);
}
void eltern(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}
const zwlr_foreign_toplevel_handle_v1_listener fensterHoerer{
    titel, anwendung, ausgabeBetreten, ausgabeVerlassen, zustand, fertig, geschlossen, eltern};

void neuesFenster(void* daten, zwlr_foreign_toplevel_manager_v1*,
                  zwlr_foreign_toplevel_handle_v1* griff) {
    static_cast<Z*>(daten)->neuesFenster(griff);
}
void verwalterEndet(void* daten, zwlr_foreign_toplevel_manager_v1* verwalter) {
    zwlr_foreign_toplevel_manager_v1_destroy(verwalter);
    static_cast<Z*>(daten)->verwalter = nullptr;
}
const zwlr_foreign_toplevel_manager_v1_listener verwalterHoerer{neuesFenster, verwalterEndet};

} // namespace

Z::~Zustand() {
    for (const auto& [griff, f] : fenster) {
        zwlr_foreign_toplevel_handle_v1_destroy(griff);
    }
    if (verwalter != nullptr) {
        zwlr_foreign_toplevel_manager_v1_destroy(verwalter);
    }
}

void Z::neuesFenster(zwlr_foreign_toplevel_handle_v1* griff) {
    fenster[griff];
    zwlr_foreign_toplevel_handle_v1_add_listener(griff, &fensterHoerer, this);
}

// A window's events count once its done event came: they are one change.
void Z::fertig(zwlr_foreign_toplevel_handle_v1* griff) {
    if (fenster[griff].aktiviert) {
        vorn = griff;
    } else if (vorn == griff) {
        vorn = nullptr;
    }
    veroeffentliche();
}

void Z::geschlossen(zwlr_foreign_toplevel_handle_v1* griff) {
    fenster.erase(griff);
    zwlr_foreign_toplevel_handle_v1_destroy(griff);
    if (vorn == griff) {
        vorn = nullptr;
        veroeffentliche();
    }
}

void Z::veroeffentliche() {
    std::optional<Aktiv> neu;
    if (vorn != nullptr) {
        const Fenster& f = fenster[vorn];
        neu = Aktiv{f.anwendungsID, f.vollbild, std::nullopt, std::nullopt};
    }
    besitzer.veroeffentliche(neu);
}

FremdeFenster::FremdeFenster(WaylandVerbindung& verbindung)
    : verbindung_(verbindung)
    , z_(std::make_unique<Zustand>(*this)) {
    if (!verbindung_.bietet("zwlr_foreign_toplevel_manager_v1")) {
        return;
    }
    bereit_ = verbindung_
                  .frage<bool>([this] {
                      z_->verwalter = static_cast<zwlr_foreign_toplevel_manager_v1*>(
                          verbindung_.binde(&zwlr_foreign_toplevel_manager_v1_interface, 3));
                      if (z_->verwalter == nullptr) {
                          return false;
                      }
                      zwlr_foreign_toplevel_manager_v1_add_listener(z_->verwalter, &verwalterHoerer,
                                                                    z_.get());
                      // The windows that exist arrive at once; their states with the second.
                      return verbindung_.rundlauf() && verbindung_.rundlauf();
                  })
                  .value_or(false);
}

FremdeFenster::~FremdeFenster() {
    const bool beendet = verbindung_.fuehreAus([this] {
        if (z_->verwalter != nullptr) {
            // The compositor confirms with its finished event; no window comes after it.
            zwlr_foreign_toplevel_manager_v1_stop(z_->verwalter);
            verbindung_.rundlauf();
        }
        z_.reset();
    });
    if (!beendet) {
        z_.reset();
    }
}

} // namespace parlix
