#include "tests/support/endezuende/Bildschirm.hpp"

#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/x11/Bildschirmausschnitt.hpp"
#include "app/platform/x11/EwmhAbfrage.hpp"

#include <QBuffer>
#include <X11/Xlib.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

// Windows manager frames nest the application's window one or two levels down.
constexpr int kTiefe = 3;

struct XFreigabe {
    void operator()(Window* kinder) const { XFree(kinder); }
};

// Light text on the dark glass of the overlays reads best dark on light and larger.
QByteArray fuerDieErkennung(const QImage& bild) {
    QImage grau = bild.convertToFormat(QImage::Format_Grayscale8)
                      .scaled(bild.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 summe = 0;
    for (int y = 0; y < grau.height(); ++y) {
        const uchar* zeile = grau.constScanLine(y);
        for (int x = 0; x < grau.width(); ++x) {
            summe += zeile[x];
        }
    }
    if (summe < 128LL * grau.width() * grau.height()) {
        grau.invertPixels();
    }
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    grau.save(&puffer, "PNG");
    return png;
}

} // namespace

Bildschirm::Bildschirm(const QString& anzeige)
    : verbindung_(XVerbindung::oeffne(anzeige.toUtf8())) {}

std::optional<QString> Bildschirm::titel(quint64 fenster) const {
    const EwmhAbfrage ewmh(*verbindung_);
    if (auto titel = ewmh.text(fenster, "_NET_WM_NAME")) {
        return titel;
    }
    return ewmh.text(fenster, "WM_NAME");
}

void Bildschirm::sammle(quint64 fenster, int tiefe, QList<Fenster>& gefunden) const {
    Display* anzeige = verbindung_->anzeige();
    Window wurzel = 0;
    Window eltern = 0;
    Window* roheKinder = nullptr;
    unsigned int anzahl = 0;
    if (XQueryTree(anzeige, static_cast<Window>(fenster), &wurzel, &eltern, &roheKinder, &anzahl) ==
        0) {
        return;
    }
    const std::unique_ptr<Window, XFreigabe> kinder(roheKinder);
    for (unsigned int i = 0; i < anzahl; ++i) {
        const Window kind = kinder.get()[i];
        XWindowAttributes attribute;
        if (XGetWindowAttributes(anzeige, kind, &attribute) == 0) {
            continue; // gone meanwhile
        }
        const std::optional<QString> name = titel(kind);
        if (!name) {
            if (tiefe < kTiefe) {
                sammle(kind, tiefe + 1, gefunden);
            }
            continue;
        }
        int x = 0;
        int y = 0;
        Window egal = 0;
        XTranslateCoordinates(anzeige, kind, wurzel, 0, 0, &x, &y, &egal);
        gefunden.append({kind, *name, QRect(x, y, attribute.width, attribute.height),
                         attribute.map_state == IsViewable});
    }
}

QList<Bildschirm::Fenster> Bildschirm::fenster() const {
    QList<Fenster> gefunden;
    if (verbindung_) {
        sammle(verbindung_->wurzel(), 1, gefunden);
    }
    return gefunden;
}

std::optional<Bildschirm::Fenster> Bildschirm::fenster(const QString& titel) const {
    std::optional<Fenster> treffer;
    for (const Fenster& f : fenster()) {
        if (f.titel == titel && (!treffer || (f.sichtbar && !treffer->sichtbar))) {
            treffer = f;
        }
    }
    return treffer;
}

std::optional<Bildschirm::Fenster> Bildschirm::aktivesFenster() const {
    if (!verbindung_) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*verbindung_);
    const std::optional<quint64> aktiv = ewmh.aktivesFenster();
    if (!aktiv) {
        return std::nullopt;
    }
    return Fenster{*aktiv, titel(*aktiv).value_or(QString()), ewmh.rahmen(*aktiv).value_or(QRect()),
                   true};
}

bool Bildschirm::zeigt(const QString& titel) const {
    const std::optional<Fenster> f = fenster(titel);
    return f && f->sichtbar;
}

bool Bildschirm::trayDa() const {
    return verbindung_ &&
           XGetSelectionOwner(verbindung_->anzeige(),
                              static_cast<Atom>(verbindung_->atom("_NET_SYSTEM_TRAY_S0"))) != None;
}

bool Bildschirm::eingebettet(const QString& titel) const {
    for (const Fenster& aussen : fenster()) {
        QList<Fenster> innen;
        sammle(aussen.id, 1, innen);
        for (const Fenster& f : innen) {
            if (f.titel == titel && f.sichtbar) {
                return true;
            }
        }
    }
    return false;
}

QImage Bildschirm::bild() const {
    if (!verbindung_) {
        return {};
    }
    Display* anzeige = verbindung_->anzeige();
    return bild(QRect(0, 0, DisplayWidth(anzeige, DefaultScreen(anzeige)),
                      DisplayHeight(anzeige, DefaultScreen(anzeige))));
}

QImage Bildschirm::bild(const QRect& bereich) const {
    return verbindung_ ? Bildschirmausschnitt::lies(*verbindung_, bereich) : QImage();
}

QString Bildschirm::text(const QRect& bereich) const {
    return text(bild(bereich));
}

QString Bildschirm::text(const QImage& bild) {
    if (bild.isNull()) {
        return {};
    }
    // One engine for the process: loading the library sets its environment once.
    static TesseractErkennung erkennung;
    return erkennung.ocr(fuerDieErkennung(bild));
}

} // namespace parlix::test
