#pragma once

#include "app/ui/hud/HUDMoment.hpp"

#include <QImage>
#include <QRegion>
#include <QSize>
#include <optional>

class QPainter;

namespace parlix {

// Draws the HUD's frames into one window one after another and does per frame only what
// the picture needs: the glow and the still layer are drawn into pictures when they
// change (the level moves the glow with each captured chunk, not with each frame),
// between those frames only the capsule, where figure and badge move, is drawn again,
// and a frame that would look like the last one is left out. Each frame looks exactly
// as HUDBild's three layers drawn one on another, the still layer from its own picture.
// Main thread; the drawing itself may run on a thread of Qt's pool while the caller
// waits.
class HUDZeichner {
public:
    // What of a window of that size must be drawn again to show `moment` after the
    // moments planned before: all of it, the moving part, or nothing.
    QRegion plane(const HUDMoment& moment, const QSize& fenster);
    // The window's picture, brought up to `moment` in `teil` (what plane() gave, or more).
    // It is drawn on a thread of Qt's global pool when one is free: there the raster
    // engine fills each shape in one piece instead of handing slices of it to that pool
    // and waiting for them, which on a busy machine costs more than the drawing.
    const QImage& bild(const QRegion& teil, const QSize& fenster, qreal verhaeltnis,
                       const HUDMoment& moment);
    // Draws `moment` whole on a painter of a window of that size that is transparent
    // where it draws.
    void zeichne(QPainter& maler, const QSize& fenster, const HUDMoment& moment);

private:
    // A picture of the window's size and the moment it was drawn for.
    struct Ebene {
        QImage bild;
        std::optional<HUDMoment> fuer;
    };

    const QImage& grund(const QSize& fenster, qreal verhaeltnis, const HUDMoment& moment);
    const QImage& stillesBild(const QSize& fenster, qreal verhaeltnis, const HUDMoment& moment);

    std::optional<HUDMoment> geplant_;
    QSize geplanteGroesse_;
    Ebene grund_;
    // The glow with the still layer over it.
    Ebene still_;
    QImage fenster_;
};

} // namespace parlix
