#include "app/platform/x11/Bildschirmausschnitt.hpp"

#include "app/platform/x11/XFehlerFalle.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <bit>
#include <memory>

namespace parlix::Bildschirmausschnitt {

namespace {

struct BildFreigabe {
    void operator()(XImage* bild) const { XDestroyImage(bild); }
};

// One colour channel of a pixel, scaled to 0..255.
int kanal(unsigned long pixel, unsigned long maske) {
    if (maske == 0) {
        return 0;
    }
    const unsigned long wert = (pixel & maske) >> std::countr_zero(maske);
    const unsigned long hoechster = maske >> std::countr_zero(maske);
    return static_cast<int>(wert * 255 / hoechster);
}

QImage alsQImage(XImage* bild) {
    const bool xrgb = bild->bits_per_pixel == 32 && bild->red_mask == 0xff0000 &&
                      bild->green_mask == 0xff00 && bild->blue_mask == 0xff &&
                      bild->byte_order == LSBFirst;
    if (xrgb) {
        // The common true-colour layout is Qt's RGB32 byte for byte.
        return QImage(reinterpret_cast<const uchar*>(bild->data), bild->width, bild->height,
                      bild->bytes_per_line, QImage::Format_RGB32)
            .copy();
    }
    QImage ergebnis(bild->width, bild->height, QImage::Format_RGB32);
    for (int y = 0; y < bild->height; ++y) {
        for (int x = 0; x < bild->width; ++x) {
            const unsigned long p = XGetPixel(bild, x, y);
            ergebnis.setPixel(x, y,
                              qRgb(kanal(p, bild->red_mask), kanal(p, bild->green_mask),
                                   kanal(p, bild->blue_mask)));
        }
    }
    return ergebnis;
}

} // namespace

QImage lies(const XVerbindung& verbindung, const QRect& bereich) {
    Display* anzeige = verbindung.anzeige();
    const QRect bildschirm(0, 0, DisplayWidth(anzeige, DefaultScreen(anzeige)),
                           DisplayHeight(anzeige, DefaultScreen(anzeige)));
    // A window partly off the screen: the part that can be seen.
    const QRect sichtbar = bereich.intersected(bildschirm);
    if (sichtbar.isEmpty()) {
        return {};
    }
    XFehlerFalle falle(verbindung);
    const std::unique_ptr<XImage, BildFreigabe> bild(
        XGetImage(anzeige, static_cast<Window>(verbindung.wurzel()), sichtbar.x(), sichtbar.y(),
                  static_cast<unsigned>(sichtbar.width()), static_cast<unsigned>(sichtbar.height()),
                  AllPlanes, ZPixmap));
    return bild ? alsQImage(bild.get()) : QImage();
}

} // namespace parlix::Bildschirmausschnitt
