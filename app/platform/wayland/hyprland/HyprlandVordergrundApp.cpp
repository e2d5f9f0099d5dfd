#include "app/platform/wayland/hyprland/HyprlandVordergrundApp.hpp"

#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"

namespace parlix {

std::optional<QString> HyprlandVordergrundApp::anwendungsID() {
    const auto fenster = ipc_.aktivesFenster();
    if (!fenster || fenster->klasse.isEmpty()) {
        return std::nullopt;
    }
    return fenster->klasse;
}

std::optional<qint64> HyprlandVordergrundApp::prozess() {
    const auto fenster = ipc_.aktivesFenster();
    return fenster && fenster->pid > 0 ? std::optional(fenster->pid) : std::nullopt;
}

std::optional<QRect> HyprlandVordergrundApp::fokusFenster() {
    const auto fenster = ipc_.aktivesFenster();
    return fenster ? std::optional(fenster->rahmen) : std::nullopt;
}

} // namespace parlix
