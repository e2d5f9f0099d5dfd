#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QLabel;
class QPainter;
class QRegion;

namespace parlix {

// The look shared by the program's own windows: dark glass surfaces, one accent blue,
// the mode colours and the type scale.
namespace Gestaltung {

// The accent of lists and highlights (sRGB 0.49, 0.84, 1.0).
QColor akzent();
// The card tints of dictation results (also the program's blue) and of action results.
QColor modusDiktat();
QColor modusAktion();
QColor fehlerRot();

// Text on glass: primary, secondary, faint.
QColor text();
QColor textLeise();
QColor textBlass();

// The interface font at a pixel size: Inter or Noto Sans where installed, else the
// desktop's own.
QFont schrift(qreal pixel, QFont::Weight gewicht = QFont::Normal);

// A label in the font and colour, for text on glass.
QLabel* beschriftung(const QString& text, const QFont& schrift, const QColor& farbe);

// The region of a rounded rectangle, for cutting a window to its shape.
QRegion rundeForm(const QRectF& rahmen, qreal radius);

// A floating glass surface: a soft shadow below, a dark translucent body with a faint
// vertical sheen and a hairline rim that is lighter at the top. `rahmen` is the body;
// the shadow needs about 16 px around it.
void zeichneGlas(QPainter& maler, const QRectF& rahmen, qreal radius);

} // namespace Gestaltung

} // namespace parlix
