#pragma once

#include "app/platform/VordergrundApp.hpp"

namespace parlix {

class FremdeFenster;

// The active window's app id as foreign-toplevel management reports it (the Wayland
// app id; for an XWayland window the compositor's choice, usually the X class).
class ToplevelVordergrundApp final : public VordergrundApp {
public:
    explicit ToplevelVordergrundApp(FremdeFenster& fenster)
        : fenster_(fenster) {}

    std::optional<QString> anwendungsID() override;

private:
    FremdeFenster& fenster_;
};

} // namespace parlix
