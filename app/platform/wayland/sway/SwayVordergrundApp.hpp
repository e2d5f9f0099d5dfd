#pragma once

#include "app/platform/FokusOrt.hpp"
#include "app/platform/VordergrundApp.hpp"

namespace parlix {

class SwayIpc;

// The focused window as sway's tree tells it: its application id (the Wayland app id,
// or the X class of an XWayland window) and where it is.
class SwayVordergrundApp final : public VordergrundApp, public FokusOrt {
public:
    explicit SwayVordergrundApp(SwayIpc& ipc)
        : ipc_(ipc) {}

    std::optional<QString> anwendungsID() override;
    std::optional<QRect> fokusFenster() override;

private:
    SwayIpc& ipc_;
};

} // namespace parlix
