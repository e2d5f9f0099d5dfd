#pragma once

#include "app/ui/hud/HUDPalette.hpp"
#include "core/recording/AppZustand.hpp"
#include "core/text/HUDStil.hpp"

#include <QList>
#include <QString>
#include <optional>

namespace parlix {

// Everything one frame of the HUD shows, taken from the model at one instant.
struct HUDMoment {
    HUDStil stil = HUDStil::alle().front();
    HUDPalette palette;
    AppZustand zustand = AppZustand::aufnehmend;
    bool gesperrt = false;
    std::optional<QString> fehler;
    std::optional<QString> hinweis;
    // The localised label of the state ("Listening…").
    QString zustandText;
    // The smoothed microphone level, 0...1.
    double pegel = 0.0;
    // 0 while recording, 1 while processing, in between during the morph.
    double morph = 0.0;
    // Seconds on a steadily running clock; only differences matter.
    double t = 0.0;
    // Opacity of the whole content: 0 while idle.
    double deckkraft = 1.0;
    // Recent levels, oldest first, one per frame (the waveform style scrolls them).
    QList<float> pegelVerlauf;
};

} // namespace parlix
