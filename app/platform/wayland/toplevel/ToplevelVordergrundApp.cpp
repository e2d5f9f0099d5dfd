#include "app/platform/wayland/toplevel/ToplevelVordergrundApp.hpp"

#include "app/platform/wayland/toplevel/AktivesFenster.hpp"

namespace parlix {

std::optional<QString> ToplevelVordergrundApp::anwendungsID() {
    const auto aktiv = fenster_.aktiv();
    if (!aktiv || aktiv->anwendungsID.isEmpty()) {
        return std::nullopt;
    }
    return aktiv->anwendungsID;
}

std::optional<qint64> ToplevelVordergrundApp::prozess() {
    const auto aktiv = fenster_.aktiv();
    return aktiv ? aktiv->pid : std::nullopt;
}

} // namespace parlix
