#pragma once

#include "app/platform/wayland/toplevel/AktivesFenster.hpp"

#include <memory>

namespace parlix {

class WaylandVerbindung;

// The other applications' windows as wlroots compositors without an IPC of their own
// (Hyprland, river, labwc, Wayfire) announce them through foreign-toplevel management:
// of the active window its app id and whether it is full screen. The protocol tells
// neither process ids nor positions. Kept current by the protocol's events on the
// connection's thread; read from any other thread without waiting.
class FremdeFenster final : public AktivesFenster {
public:
    explicit FremdeFenster(WaylandVerbindung& verbindung);
    ~FremdeFenster() override;
    FremdeFenster(const FremdeFenster&) = delete;
    FremdeFenster& operator=(const FremdeFenster&) = delete;

    // The compositor offers foreign-toplevel management and has told the windows it had.
    bool bereit() const { return bereit_; }

    // The protocol objects, on the connection's thread; their listeners reach it.
    struct Zustand;

private:
    WaylandVerbindung& verbindung_;
    std::unique_ptr<Zustand> z_;
    bool bereit_ = false;
};

} // namespace parlix
