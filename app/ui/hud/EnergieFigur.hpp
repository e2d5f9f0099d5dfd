#pragma once

#include "app/ui/hud/HUDPalette.hpp"

#include <QRectF>

class QPainter;

namespace parlix {

// The "energie" visualisation: three luminous wave ribbons over one centre line, each
// with its own frequency, speed, amplitude, phase and direction, swelling with the
// level. While processing (fortschritt towards 1) the ribbons calm into a thin,
// gently breathing line.
namespace EnergieFigur {

struct Welle {
    double frequenz;  // radians per point of a 300-point-wide figure
    double tempo;     // radians per second
    double amplitude; // share of the full height
    double phase;     // radians
    int richtung;     // +1 or -1
};

// The three layers, back to front.
inline constexpr Welle wellen[] = {
    {0.03, 2.2, 1.0, 0.0, +1},
    {0.046, -1.6, 0.62, 1.3, -1},
    {0.02, 3.0, 0.42, 2.6, +1},
};

void zeichne(QPainter& maler, const QRectF& flaeche, double fortschritt, double pegel, double t,
             const HUDPalette& palette);

} // namespace EnergieFigur

} // namespace parlix
