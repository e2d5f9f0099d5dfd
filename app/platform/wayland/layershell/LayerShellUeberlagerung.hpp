#pragma once

#include "app/platform/Ueberlagerung.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"

#include <map>
#include <memory>
#include <vector>

struct wl_compositor;
struct wl_output;
struct wl_shm;
struct zwlr_layer_shell_v1;

namespace parlix {

class LayerFlaeche;

// The overlays on the compositor's overlay layer (wlr layer-shell: sway, Hyprland, KDE,
// river, labwc ...), each drawn off screen into surfaces of a connection of their own, so
// that their frames never wait behind a screenshot or a clipboard transfer.
class LayerShellUeberlagerung final : public Ueberlagerung {
public:
    LayerShellUeberlagerung();
    ~LayerShellUeberlagerung() override;
    LayerShellUeberlagerung(const LayerShellUeberlagerung&) = delete;
    LayerShellUeberlagerung& operator=(const LayerShellUeberlagerung&) = delete;

    // Whether the compositor offers layer-shell and shared-memory buffers.
    bool bereit() const { return schicht_ != nullptr; }

    void uebernimm(QWidget& fenster, Platzierung platzierung) override;

    // For the surfaces, on the connection's thread.
    WaylandVerbindung& verbindung() { return verbindung_; }
    wl_compositor* compositor() const { return compositor_; }
    wl_shm* shm() const { return shm_; }
    zwlr_layer_shell_v1* schicht() const { return schicht_; }
    // Pixels per point of an output; of the densest one for an unknown output.
    int skala(wl_output* ausgabe) const;

private:
    WaylandVerbindung verbindung_;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* schicht_ = nullptr;
    // The outputs there were at connect, with their scale.
    std::map<wl_output*, int> ausgaben_;
    std::vector<std::unique_ptr<LayerFlaeche>> flaechen_;
};

} // namespace parlix
