#pragma once

#include "app/platform/wayland/toplevel/AktivesFenster.hpp"

#include <memory>

namespace parlix {

class WaylandVerbindung;

// The windows as KWin announces them through KDE's window management: of the active
// window its app id, process, frame and whether it is full screen. KWin offers the
// interface, without a question, only to a program whose desktop entry names it in
// X-KDE-Wayland-Interfaces. Kept current by the protocol's events on the connection's
// thread; read from any other thread without waiting.
class PlasmaFenster final : public AktivesFenster {
public:
    explicit PlasmaFenster(WaylandVerbindung& verbindung);
    ~PlasmaFenster() override;
    PlasmaFenster(const PlasmaFenster&) = delete;
    PlasmaFenster& operator=(const PlasmaFenster&) = delete;

    // KWin let us bind the interface and has told the windows it had.
    bool bereit() const { return bereit_; }

    // The protocol objects, on the connection's thread; their listeners reach it.
    struct Zustand;

private:
    WaylandVerbindung& verbindung_;
    std::unique_ptr<Zustand> z_;
    bool bereit_ = false;
};

} // namespace parlix
