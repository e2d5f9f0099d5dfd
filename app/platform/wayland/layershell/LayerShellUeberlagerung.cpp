#include "app/platform/wayland/layershell/LayerShellUeberlagerung.hpp"

#include "app/platform/wayland/layershell/LayerFlaeche.hpp"
#include "wlr-layer-shell-unstable-v1.h"

#include <algorithm>
#include <wayland-client.h>

namespace parlix {

namespace {

using Ausgaben = std::map<wl_output*, int>;

void geometrieGemeldet(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                       const char*, int32_t) {}
void modusGemeldet(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void fertigGemeldet(void*, wl_output*) {}
void skalaGemeldet(void* daten, wl_output* ausgabe, int32_t faktor) {
    (*static_cast<Ausgaben*>(daten))[ausgabe] = std::max(1, faktor);
}
void textGemeldet(void*, wl_output*, const char*) {}

const wl_output_listener ausgabeHoerer{geometrieGemeldet, modusGemeldet, fertigGemeldet,
                                       skalaGemeldet,     textGemeldet,  textGemeldet};

} // namespace

LayerShellUeberlagerung::LayerShellUeberlagerung() {
    if (!verbindung_.bietet(zwlr_layer_shell_v1_interface.name)) {
        return;
    }
    verbindung_.fuehreAus([this] {
        compositor_ = static_cast<wl_compositor*>(verbindung_.binde(&wl_compositor_interface, 4));
        shm_ = static_cast<wl_shm*>(verbindung_.binde(&wl_shm_interface, 1));
        for (const WaylandVerbindung::Global& global : verbindung_.globale()) {
            if (global.schnittstelle == wl_output_interface.name) {
                auto* ausgabe =
                    static_cast<wl_output*>(verbindung_.binde(global, &wl_output_interface, 2));
                ausgaben_[ausgabe] = 1;
                wl_output_add_listener(ausgabe, &ausgabeHoerer, &ausgaben_);
            }
        }
        if (compositor_ != nullptr && shm_ != nullptr) {
            schicht_ = static_cast<zwlr_layer_shell_v1*>(
                verbindung_.binde(&zwlr_layer_shell_v1_interface, 4));
        }
        // The outputs' scales.
        verbindung_.rundlauf();
    });
}

LayerShellUeberlagerung::~LayerShellUeberlagerung() {
    flaechen_.clear();
    verbindung_.fuehreAus([this] {
        for (const auto& [ausgabe, skala] : ausgaben_) {
            wl_output_destroy(ausgabe);
        }
        if (schicht_ != nullptr) {
            zwlr_layer_shell_v1_destroy(schicht_);
        }
        if (shm_ != nullptr) {
            wl_shm_destroy(shm_);
        }
        if (compositor_ != nullptr) {
            wl_compositor_destroy(compositor_);
        }
    });
}

void LayerShellUeberlagerung::uebernimm(QWidget& fenster, Platzierung platzierung) {
    if (bereit()) {
        flaechen_.push_back(std::make_unique<LayerFlaeche>(*this, fenster, std::move(platzierung)));
    }
}

int LayerShellUeberlagerung::skala(wl_output* ausgabe) const {
    if (const auto stelle = ausgaben_.find(ausgabe); stelle != ausgaben_.end()) {
        return stelle->second;
    }
    int dichteste = 1;
    for (const auto& [andere, skala] : ausgaben_) {
        dichteste = std::max(dichteste, skala);
    }
    return dichteste;
}

} // namespace parlix
