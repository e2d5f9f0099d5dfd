#pragma once

#include "app/platform/DesktopZugang.hpp"

namespace parlix {

// What the Wayland platform found at start: the permission rows then say what works. A
// session counts as closed to Parlix ("Wayland") only when it neither gets global keys
// nor can post keystrokes.
class WaylandDesktopZugang final : public DesktopZugang {
public:
    WaylandDesktopZugang(bool tasten, bool eingabe, bool aufnahme, QString aufnahmeHinweis = {})
        : tasten_(tasten)
        , eingabe_(eingabe)
        , aufnahme_(aufnahme)
        , aufnahmeHinweis_(std::move(aufnahmeHinweis)) {}

    bool istWayland() override { return !tasten_ && !eingabe_; }
    bool tastenUndEingabe() override { return tasten_ && eingabe_; }
    bool fensterAufnahme() override { return aufnahme_; }
    QString aufnahmeHinweis() override { return aufnahmeHinweis_; }

private:
    bool tasten_;
    bool eingabe_;
    bool aufnahme_;
    QString aufnahmeHinweis_;
};

} // namespace parlix
