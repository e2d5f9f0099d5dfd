#pragma once

#include "app/platform/FokusOrt.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <optional>

namespace parlix {

// The focused window on an X11 desktop: the window manager's active window
// (_NET_ACTIVE_WINDOW) with its frame. Main thread; its connection opens on first use
// (again after it was lost), so without an X display or window manager it answers
// nothing.
class X11FokusOrt final : public FokusOrt {
public:
    std::optional<QRect> fokusFenster() override;

private:
    std::optional<XVerbindung> verbindung_;
};

} // namespace parlix
