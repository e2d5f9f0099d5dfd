#pragma once

#include <QImage>
#include <QRect>

namespace parlix {

class XVerbindung;

// Pictures read from the X server into memory: a rectangle of the screen as the user
// sees it, or one window's own pixels.
namespace Bildschirmausschnitt {

// `bereich` in root-window pixels, clipped to the screen; a null image when nothing of it
// is on the screen or the server refused.
QImage lies(const XVerbindung& verbindung, const QRect& bereich);

// The top-level window that holds `fenster` (the window manager's frame around it, when
// there is one), without whatever lies on top of it: the window is drawn into a buffer of
// its own (Composite) for the moment of the read, and its programs repaint what was
// hidden. Blocks while they do (half a second at most). A null image when the window is
// not shown, the server has no Composite or refused.
QImage fenster(const XVerbindung& verbindung, quint64 fenster);

} // namespace Bildschirmausschnitt

} // namespace parlix
