#pragma once

#include <QImage>
#include <QRect>

namespace parlix {

class XVerbindung;

// A rectangle of the screen as the user sees it, read from the X server into memory.
namespace Bildschirmausschnitt {

// `bereich` in root-window pixels, clipped to the screen; a null image when nothing of it
// is on the screen or the server refused.
QImage lies(const XVerbindung& verbindung, const QRect& bereich);

} // namespace Bildschirmausschnitt

} // namespace parlix
