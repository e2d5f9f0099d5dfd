#pragma once

#include "app/platform/Arbeitsflaeche.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <optional>

namespace parlix {

// The X11 desktop: the focused window is the window manager's active window
// (_NET_ACTIVE_WINDOW) with its frame; translucency needs a compositing manager, which
// owns the selection _NET_WM_CM_S<screen>. Main thread; its connection opens on first
// use (again after it was lost), so without an X display it answers nothing (and no
// translucency).
class X11Arbeitsflaeche final : public Arbeitsflaeche {
public:
    std::optional<QRect> fokusFenster() override;
    bool durchscheinend() override;

private:
    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix
