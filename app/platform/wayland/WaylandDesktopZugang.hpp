#pragma once

#include "app/platform/DesktopZugang.hpp"

#include <utility>

namespace parlix {

// What the Wayland platform found at start: the permission rows then say what works. A
// session counts as closed to Parlix ("Wayland") only when it neither gets global keys
// nor can post keystrokes.
class WaylandDesktopZugang final : public DesktopZugang {
public:
    // The text keys of what the user can do where keys or the window photo are missing.
    struct Hinweise {
        QString tasten;
        QString aufnahme;
    };

    WaylandDesktopZugang(bool tasten, bool eingabe, bool aufnahme, Hinweise hinweise = {})
        : tasten_(tasten)
        , eingabe_(eingabe)
        , aufnahme_(aufnahme)
        , hinweise_(std::move(hinweise)) {}

    bool istWayland() override { return !tasten_ && !eingabe_; }
    bool tastenUndEingabe() override { return tasten_ && eingabe_; }
    bool fensterAufnahme() override { return aufnahme_; }
    QString tastenHinweis() override { return hinweise_.tasten; }
    QString aufnahmeHinweis() override { return hinweise_.aufnahme; }

private:
    bool tasten_;
    bool eingabe_;
    bool aufnahme_;
    Hinweise hinweise_;
};

} // namespace parlix
