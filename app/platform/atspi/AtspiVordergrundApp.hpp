#pragma once

#include "app/platform/VordergrundApp.hpp"

#include <chrono>

namespace parlix {

class AtspiVerbindung;

// The application id where the compositor tells nothing about windows (GNOME, KDE): the
// process behind the window that the accessibility bus reports active, named by its
// Flatpak or Snap id, else by its program file ("konsole", "gnome-terminal-server",
// which the terminal list knows). Only applications that speak AT-SPI are seen; a
// window without (most Wayland-only terminals, games) answers nothing, so the ordinary
// paste keys are used there and no copy key is sent. Asks the bus each time, at most kFrist long.
class AtspiVordergrundApp final : public VordergrundApp {
public:
    static constexpr std::chrono::milliseconds kFrist{500};

    explicit AtspiVordergrundApp(AtspiVerbindung& verbindung)
        : verbindung_(verbindung) {}

    std::optional<QString> anwendungsID() override;
    // The process of the window's connection to the bus, as the bus itself knows it.
    std::optional<qint64> prozess() override;

private:
    AtspiVerbindung& verbindung_;
};

} // namespace parlix
