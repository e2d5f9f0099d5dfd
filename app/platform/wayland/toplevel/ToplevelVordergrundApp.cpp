#include "app/platform/wayland/toplevel/ToplevelVordergrundApp.hpp"

#include "app/platform/wayland/toplevel/FremdeFenster.hpp"

namespace parlix {

std::optional<QString> ToplevelVordergrundApp::anwendungsID() {
    const auto aktiv = fenster_.aktiv();
    if (!aktiv || aktiv->anwendungsID.isEmpty()) {
        return std::nullopt;
    }
    return aktiv->anwendungsID;
}

} // namespace parlix
