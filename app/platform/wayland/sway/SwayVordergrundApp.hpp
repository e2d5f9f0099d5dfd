#pragma once

#include "app/platform/Arbeitsflaeche.hpp"
#include "app/platform/VordergrundApp.hpp"

namespace parlix {

class SwayIpc;

// The focused window as sway's tree tells it: its application id (the Wayland app id,
// or the X class of an XWayland window) and where it is. sway composites, so translucent
// windows are blended.
class SwayVordergrundApp final : public VordergrundApp, public Arbeitsflaeche {
public:
    explicit SwayVordergrundApp(SwayIpc& ipc)
        : ipc_(ipc) {}

    std::optional<QString> anwendungsID() override;
    std::optional<qint64> prozess() override;
    std::optional<QRect> fokusFenster() override;
    bool durchscheinend() override { return true; }

private:
    SwayIpc& ipc_;
};

} // namespace parlix
