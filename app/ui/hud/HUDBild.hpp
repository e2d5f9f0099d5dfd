#pragma once

#include "app/ui/hud/HUDMoment.hpp"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace parlix {

// Draws one frame of the HUD: a glass capsule with a state badge (microphone, lock,
// processing spinner, check mark or warning) and the style's figure, the state's label
// in a small chip above it, and a glow that follows the level. An error replaces the
// figure with its text. Pure drawing, so that the window, the render harness and the
// benchmarks share it.
namespace HUDBild {

// The drawing's own size; it is scaled to the window (HUDController::fenstergroesse).
inline constexpr QSizeF grundgroesse{360.0, 180.0};

// The capsule and the figure's area in the drawing's own coordinates.
QRectF kapsel();
QRectF figurFlaeche();

void zeichne(QPainter& maler, const QSizeF& fenster, const HUDMoment& moment);

} // namespace HUDBild

} // namespace parlix
