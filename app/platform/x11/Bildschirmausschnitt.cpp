#include "app/platform/x11/Bildschirmausschnitt.hpp"

#include "app/platform/x11/XFehlerFalle.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xcomposite.h>
#include <bit>
#include <chrono>
#include <memory>
#include <thread>

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

using Bild = std::unique_ptr<XImage, BildFreigabe>;

// Repainting what was hidden takes a responsive program a few milliseconds; the picture
// is taken once two reads this far apart agree.
constexpr std::chrono::milliseconds kSchritt{40};
constexpr int kHoechstensSchritte = 12;

// The child of the root window that holds `fenster`; `fenster` itself when it is one.
Window obersterVorfahr(Display* anzeige, Window fenster) {
    Window wurzel = None;
    Window eltern = None;
    Window* kinder = nullptr;
    unsigned anzahl = 0;
    while (XQueryTree(anzeige, fenster, &wurzel, &eltern, &kinder, &anzahl) != 0) {
        if (kinder != nullptr) {
            XFree(kinder);
        }
        if (eltern == wurzel || eltern == None) {
            return fenster;
        }
        fenster = eltern;
    }
    return None;
}

// The window's buffer as a picture; a pixmap carries no colour masks, its visual does.
QImage leseBuffer(Display* anzeige, Window fenster, const XWindowAttributes& attribute) {
    const Pixmap puffer = XCompositeNameWindowPixmap(anzeige, fenster);
    const auto breite = static_cast<unsigned>(attribute.width + 2 * attribute.border_width);
    const auto hoehe = static_cast<unsigned>(attribute.height + 2 * attribute.border_width);
    const Bild bild(XGetImage(anzeige, puffer, 0, 0, breite, hoehe, AllPlanes, ZPixmap));
    XFreePixmap(anzeige, puffer);
    if (!bild) {
        return {};
    }
    bild->red_mask = attribute.visual->red_mask;
    bild->green_mask = attribute.visual->green_mask;
    bild->blue_mask = attribute.visual->blue_mask;
    return alsQImage(bild.get());
}

} // namespace

QImage fenster(const XVerbindung& verbindung, quint64 fenster) {
    Display* anzeige = verbindung.anzeige();
    int ereignisBasis = 0;
    int fehlerBasis = 0;
    if (XCompositeQueryExtension(anzeige, &ereignisBasis, &fehlerBasis) == 0) {
        return {};
    }
    XFehlerFalle falle(verbindung);
    const Window oben = obersterVorfahr(anzeige, static_cast<Window>(fenster));
    XWindowAttributes attribute;
    if (oben == None || XGetWindowAttributes(anzeige, oben, &attribute) == 0 ||
        attribute.map_state != IsViewable) {
        return {};
    }
    // Automatic: the server keeps showing the window as before, so nothing flickers; a
    // compositing manager that redirects it already is not disturbed.
    XCompositeRedirectWindow(anzeige, oben, CompositeRedirectAutomatic);
    verbindung.gleicheAb();
    QImage bild;
    for (int schritt = 0; schritt < kHoechstensSchritte; ++schritt) {
        std::this_thread::sleep_for(kSchritt);
        QImage neu = leseBuffer(anzeige, oben, attribute);
        const bool fertig = neu.isNull() || neu == bild;
        bild = std::move(neu);
        if (fertig) {
            break;
        }
    }
    XCompositeUnredirectWindow(anzeige, oben, CompositeRedirectAutomatic);
    verbindung.gleicheAb();
    return falle.fehler() == 0 ? bild : QImage();
}

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
    const Bild bild(XGetImage(anzeige, static_cast<Window>(verbindung.wurzel()), sichtbar.x(),
                              sichtbar.y(), static_cast<unsigned>(sichtbar.width()),
                              static_cast<unsigned>(sichtbar.height()), AllPlanes, ZPixmap));
    return bild ? alsQImage(bild.get()) : QImage();
}

} // namespace parlix::Bildschirmausschnitt
