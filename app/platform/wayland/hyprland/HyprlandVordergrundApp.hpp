#pragma once

#include "app/platform/Arbeitsflaeche.hpp"
#include "app/platform/VordergrundApp.hpp"

namespace parlix {

class HyprlandIpc;

// The focused window as Hyprland's IPC tells it: its class (the Wayland app id, or the
// X class of an XWayland window) and where it is. Hyprland composites.
class HyprlandVordergrundApp final : public VordergrundApp, public Arbeitsflaeche {
public:
    explicit HyprlandVordergrundApp(const HyprlandIpc& ipc)
        : ipc_(ipc) {}

    std::optional<QString> anwendungsID() override;
    std::optional<qint64> prozess() override;
    std::optional<QRect> fokusFenster() override;
    bool durchscheinend() override { return true; }

private:
    const HyprlandIpc& ipc_;
};

} // namespace parlix
