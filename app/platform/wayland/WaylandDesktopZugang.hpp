#pragma once

#include "app/platform/DesktopZugang.hpp"

#include <utility>

namespace parlix {

// What the Wayland platform found at start: the permission rows then say what works. A
// session counts as closed to Parlix ("Wayland") only when it neither gets global keys
// nor can post keystrokes.
class WaylandDesktopZugang final : public DesktopZugang {
public:
    WaylandDesktopZugang(bool tasten, bool eingabe, bool aufnahme, QString tastenHinweis = {})
        : tasten_(tasten)
        , eingabe_(eingabe)
        , aufnahme_(aufnahme)
        , tastenHinweis_(std::move(tastenHinweis)) {}

    bool istWayland() override { return !tasten_ && !eingabe_; }
    bool tastenUndEingabe() override { return tasten_ && eingabe_; }
    bool fensterAufnahme() override { return aufnahme_; }
    QString tastenHinweis() override { return tastenHinweis_; }

private:
    bool tasten_;
    bool eingabe_;
    bool aufnahme_;
    QString tastenHinweis_;
};

} // namespace parlix
