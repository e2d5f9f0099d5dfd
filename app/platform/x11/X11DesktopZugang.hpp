#pragma once

#include "app/platform/DesktopZugang.hpp"

namespace parlix {

// The probes on the X display of $DISPLAY; each opens a connection of its own.
class X11DesktopZugang final : public DesktopZugang {
public:
    // XDG_SESSION_TYPE says "wayland", or a Wayland display is set.
    bool istWayland() override;
    // XInput 2.1 or newer (raw key events of every client) and XTest.
    bool tastenUndEingabe() override;
    // One pixel of the screen at the active window's place (the root window without a
    // window manager) can be read.
    bool fensterAufnahme() override;
};

} // namespace parlix
