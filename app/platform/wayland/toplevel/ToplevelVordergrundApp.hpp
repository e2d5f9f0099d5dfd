#pragma once

#include "app/platform/VordergrundApp.hpp"

namespace parlix {

class AktivesFenster;

// The active window's app id as the compositor's window list reports it (the Wayland
// app id; for an XWayland window the compositor's choice, usually the X class), and its
// process where the list tells it (KDE).
class ToplevelVordergrundApp final : public VordergrundApp {
public:
    explicit ToplevelVordergrundApp(AktivesFenster& fenster)
        : fenster_(fenster) {}

    std::optional<QString> anwendungsID() override;
    std::optional<qint64> prozess() override;

private:
    AktivesFenster& fenster_;
};

} // namespace parlix
