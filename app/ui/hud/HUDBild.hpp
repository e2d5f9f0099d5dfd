#pragma once

#include "app/ui/hud/HUDMoment.hpp"

#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSizeF>
#include <optional>

class QPainter;

namespace parlix {

// Draws one frame of the HUD: a glass capsule with a state badge (microphone, lock,
// processing spinner, check mark or warning) and the style's figure, the state's label
// in a small chip above it, and a glow that follows the level. An error replaces the
// figure with its text. Pure drawing, so that the window, the render harness and the
// benchmarks share it. A frame is three layers, back to front, so that a window can
// keep the still one between frames: the glow, the still parts (capsule, chip, error)
// and the moving parts (figure, badge).
namespace HUDBild {

// The drawing's own size; it is scaled to the window (HUDController::fenstergroesse).
inline constexpr QSizeF grundgroesse{360.0, 180.0};

// The capsule and the figure's area in the drawing's own coordinates.
QRectF kapsel();
QRectF figurFlaeche();

// The state's chip above the capsule; nothing when the frame shows none (an error).
std::optional<QRectF> chip(const HUDMoment& moment);

// What the frame covers in a window of that size (capsule and chip), for cutting the
// window to its shape.
QRegion form(const QSizeF& fenster, const HUDMoment& moment);

// All three layers.
void zeichne(QPainter& maler, const QSizeF& fenster, const HUDMoment& moment);
void zeichneSchein(QPainter& maler, const QSizeF& fenster, const HUDMoment& moment);
void zeichneGrund(QPainter& maler, const QSizeF& fenster, const HUDMoment& moment);
void zeichneBewegung(QPainter& maler, const QSizeF& fenster, const HUDMoment& moment);
// Whether two moments draw the glow alike, and the still layer alike.
bool gleicherSchein(const HUDMoment& a, const HUDMoment& b);
bool gleicherGrund(const HUDMoment& a, const HUDMoment& b);
// Whether the moving layer of the moment stays the same at any time and level: an error,
// or a message in a state without level ring or spinner.
bool bewegungRuht(const HUDMoment& moment);
// All the moving layer may cover in a window of that size, in whole pixels of it.
QRect bewegungsFlaeche(const QSizeF& fenster);

} // namespace HUDBild

} // namespace parlix
