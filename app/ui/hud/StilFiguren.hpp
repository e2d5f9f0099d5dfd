#pragma once

#include "app/ui/hud/HUDPalette.hpp"
#include "core/text/HUDStil.hpp"

#include <QList>
#include <QRectF>

class QPainter;

namespace parlix {

// The figure of each HUD style while recording, driven by the level and the time in the
// palette's colours: energie (EnergieFigur at rest), wellen (stacked sine lines), puls
// (a beating core with rings), equalizer (mirrored bars), sonar (expanding rings and a
// sweep), orbit (dots circling on tilted paths), waveform (the recent levels scrolling
// by), arcs (rotating arcs), blob (a breathing shape) and komet (a head with a tail).
namespace StilFiguren {

// `verlauf`: recent levels, oldest first (only the waveform uses them).
void zeichne(QPainter& maler, const QRectF& flaeche, HUDStil stil, double pegel, double t,
             const HUDPalette& palette, const QList<float>& verlauf);

// The processing figure the styles morph into: a thin line with a travelling light.
void zeichneVerarbeitung(QPainter& maler, const QRectF& flaeche, double t,
                         const HUDPalette& palette);

} // namespace StilFiguren

} // namespace parlix
