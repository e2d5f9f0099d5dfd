#pragma once

#include <QRect>
#include <optional>

namespace parlix {

// The desktop the overlays are shown on: where the window with the keyboard focus is,
// so that they appear on the screen the user works on, and whether translucent windows
// are drawn as such.
class Arbeitsflaeche {
public:
    virtual ~Arbeitsflaeche() = default;

    // The focused top-level window's frame in desktop coordinates; nothing when no
    // window has the focus or its place cannot be read. Main thread; returns at once.
    virtual std::optional<QRect> fokusFenster() = 0;

    // Whether a compositor blends translucent windows with what lies below. Without one
    // their transparent parts come out black, so the overlays cut themselves to their
    // shape instead. Main thread; returns at once.
    virtual bool durchscheinend() = 0;
};

} // namespace parlix
