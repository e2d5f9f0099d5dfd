#include "app/ui/hud/StilFiguren.hpp"

#include "app/ui/hud/EnergieFigur.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace parlix::StilFiguren {

namespace {

constexpr double pi = std::numbers::pi;

QColor mitAlpha(QColor farbe, double alpha) {
    farbe.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return farbe;
}

// A smooth, repeatable wobble in -1...1 for bar i at time t.
double rauschen(int i, double t) {
    return 0.5 * std::sin(t * (3.1 + 0.37 * i) + i * 1.7) +
           0.5 * std::sin(t * (1.3 + 0.21 * i) + i * 0.9);
}

void leuchtpunkt(QPainter& maler, QPointF ort, double radius, const QColor& kern,
                 const QColor& schein) {
    QRadialGradient licht(ort, radius * 2.6);
    licht.setColorAt(0.0, kern);
    licht.setColorAt(0.3, schein);
    licht.setColorAt(1.0, mitAlpha(schein, 0.0));
    maler.setPen(Qt::NoPen);
    maler.setBrush(licht);
    maler.drawEllipse(ort, radius * 2.6, radius * 2.6);
}

void wellen(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QColor farben[] = {pal.glow2, pal.glow1, pal.mitte, pal.rand, pal.hell};
    const double hoehe = f.height() / 2 * (0.15 + 0.85 * pegel);
    for (int linie = 0; linie < 5; ++linie) {
        QPainterPath pfad;
        for (int i = 0; i <= 60; ++i) {
            const double u = i / 60.0;
            const double y =
                f.center().y() + hoehe * std::sin(pi * u) * (1.0 - linie * 0.14) *
                                     std::sin(u * 9.0 + t * (2.0 + linie * 0.45) + linie * 1.1);
            const QPointF p(f.left() + u * f.width(), y);
            i == 0 ? pfad.moveTo(p) : pfad.lineTo(p);
        }
        maler.setPen(QPen(mitAlpha(farben[linie], 0.85 - linie * 0.1), 2.0 - linie * 0.2,
                          Qt::SolidLine, Qt::RoundCap));
        maler.setBrush(Qt::NoBrush);
        maler.drawPath(pfad);
    }
}

void puls(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QPointF mitte = f.center();
    const double basis = f.height() * 0.16;
    for (int ring = 0; ring < 3; ++ring) {
        const double phase = std::fmod(t * 0.8 + ring / 3.0, 1.0);
        const double radius = basis + phase * f.height() * 0.36;
        maler.setPen(QPen(mitAlpha(pal.glow1, (1.0 - phase) * (0.3 + 0.6 * pegel)), 1.6));
        maler.setBrush(Qt::NoBrush);
        maler.drawEllipse(mitte, radius * 2.4, radius);
    }
    const double kern = basis * (1.0 + 0.7 * pegel + 0.06 * std::sin(t * 6));
    QRadialGradient fuellung(mitte, kern);
    fuellung.setColorAt(0.0, pal.hell);
    fuellung.setColorAt(0.6, pal.mitte);
    fuellung.setColorAt(1.0, mitAlpha(pal.rand, 0.9));
    maler.setPen(Qt::NoPen);
    maler.setBrush(fuellung);
    maler.drawEllipse(mitte, kern, kern);
}

void equalizer(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    constexpr int balken = 15;
    const double schritt = f.width() / balken;
    const double breite = schritt * 0.52;
    QLinearGradient fuellung(f.topLeft(), f.bottomLeft());
    fuellung.setColorAt(0.0, pal.hell);
    fuellung.setColorAt(0.5, pal.mitte);
    fuellung.setColorAt(1.0, pal.hell);
    maler.setPen(Qt::NoPen);
    maler.setBrush(fuellung);
    for (int i = 0; i < balken; ++i) {
        const double form = std::sin(pi * (i + 0.5) / balken);
        const double h =
            f.height() *
            std::clamp(0.08 + form * pegel * (0.65 + 0.35 * rauschen(i, t)), 0.08, 1.0);
        const QRectF stab(f.left() + i * schritt + (schritt - breite) / 2, f.center().y() - h / 2,
                          breite, h);
        maler.drawRoundedRect(stab, breite / 2, breite / 2);
    }
}

void sonar(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QPointF mitte = f.center();
    const double weite = f.width() / 2;
    maler.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 4; ++ring) {
        const double phase = std::fmod(t * (0.45 + 0.5 * pegel) + ring / 4.0, 1.0);
        maler.setPen(QPen(mitAlpha(pal.glow1, (1.0 - phase) * 0.8), 1.4));
        maler.drawEllipse(mitte, phase * weite, phase * f.height() / 2);
    }
    const double winkel = t * 2.4;
    QConicalGradient strahl(mitte, -winkel * 180 / pi);
    strahl.setColorAt(0.0, mitAlpha(pal.hell, 0.18 + 0.22 * pegel));
    strahl.setColorAt(0.07, mitAlpha(pal.glow1, 0.0));
    strahl.setColorAt(1.0, mitAlpha(pal.glow1, 0.0));
    maler.setPen(Qt::NoPen);
    maler.setBrush(strahl);
    maler.drawEllipse(mitte, weite * 0.95, f.height() / 2 * 0.95);
    leuchtpunkt(maler, mitte, 2.5 + 3 * pegel, pal.hell, mitAlpha(pal.glow1, 0.6));
}

void orbit(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QPointF mitte = f.center();
    const QColor farben[] = {pal.hell, pal.glow1, pal.glow2};
    for (int bahn = 0; bahn < 3; ++bahn) {
        const double rx = f.width() * (0.16 + 0.1 * bahn) * (0.75 + 0.45 * pegel);
        const double ry = f.height() * 0.34 * (0.75 + 0.45 * pegel);
        const double neigung = (bahn - 1) * 0.5;
        for (int punkt = 0; punkt < 3; ++punkt) {
            const double w = t * (1.6 - 0.35 * bahn) + punkt * 2 * pi / 3 + bahn;
            const double x = rx * std::cos(w);
            const double y = ry * std::sin(w);
            const QPointF ort(mitte.x() + x * std::cos(neigung) - y * std::sin(neigung) * 0.4,
                              mitte.y() + y * std::cos(neigung) * 0.8 +
                                  x * std::sin(neigung) * 0.25);
            const double tiefe = 0.6 + 0.4 * std::sin(w);
            leuchtpunkt(maler, ort, (2.0 + 2.2 * pegel) * tiefe, farben[bahn],
                        mitAlpha(pal.glow1, 0.7 * tiefe));
        }
    }
    leuchtpunkt(maler, mitte, 3 + 4 * pegel, pal.hell, mitAlpha(pal.mitte, 0.7));
}

void waveform(QPainter& maler, const QRectF& f, double pegel, const HUDPalette& pal,
              const QList<float>& verlauf) {
    constexpr int balken = 36;
    const double schritt = f.width() / balken;
    maler.setPen(Qt::NoPen);
    for (int i = 0; i < balken; ++i) {
        const qsizetype quelle = verlauf.size() - balken + i;
        const double wert = quelle >= 0 ? verlauf[quelle] : (i == balken - 1 ? pegel : 0.0);
        const double h = std::max(2.0, f.height() * std::clamp(wert, 0.0, 1.0));
        const double alter = static_cast<double>(i) / (balken - 1);
        maler.setBrush(mitAlpha(alter > 0.85 ? pal.hell : pal.glow1, 0.25 + 0.75 * alter));
        maler.drawRoundedRect(QRectF(f.left() + i * schritt + schritt * 0.2, f.center().y() - h / 2,
                                     schritt * 0.6, h),
                              schritt * 0.3, schritt * 0.3);
    }
}

void arcs(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QPointF mitte = f.center();
    const QColor farben[] = {pal.hell, pal.mitte, pal.glow1, pal.glow2};
    for (int bogen = 0; bogen < 4; ++bogen) {
        const double rx = f.width() * (0.12 + 0.11 * bogen);
        const double ry = f.height() * (0.2 + 0.09 * bogen);
        const double start = (t * (1.4 - 0.3 * bogen) * (bogen % 2 ? -1 : 1)) * 180 / pi;
        const double laenge = 60 + 220 * pegel * (0.6 + 0.4 * std::sin(t * 2 + bogen));
        maler.setPen(QPen(mitAlpha(farben[bogen], 0.95 - bogen * 0.12), 3.2 - bogen * 0.5,
                          Qt::SolidLine, Qt::RoundCap));
        maler.setBrush(Qt::NoBrush);
        maler.drawArc(QRectF(mitte.x() - rx, mitte.y() - ry, 2 * rx, 2 * ry),
                      static_cast<int>(start * 16), static_cast<int>(laenge * 16));
    }
    leuchtpunkt(maler, mitte, 2.0 + 2.5 * pegel, pal.hell, mitAlpha(pal.glow1, 0.6));
}

void blob(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    const QPointF mitte = f.center();
    const double basis = f.height() * 0.36;
    QPainterPath pfad;
    for (int i = 0; i <= 96; ++i) {
        const double w = 2 * pi * i / 96;
        const double r = basis * (1.0 + (0.08 + 0.3 * pegel) * (0.5 * std::sin(3 * w + t * 1.9) +
                                                                0.3 * std::sin(5 * w - t * 2.7) +
                                                                0.2 * std::sin(2 * w + t * 1.1)));
        const QPointF p(mitte.x() + r * std::cos(w) * 1.9, mitte.y() + r * std::sin(w));
        i == 0 ? pfad.moveTo(p) : pfad.lineTo(p);
    }
    QRadialGradient fuellung(mitte - QPointF(basis * 0.5, basis * 0.35), basis * 2.2);
    fuellung.setColorAt(0.0, pal.hell);
    fuellung.setColorAt(0.45, pal.mitte);
    fuellung.setColorAt(1.0, pal.glow2);
    maler.setPen(QPen(mitAlpha(pal.hell, 0.5), 1.0));
    maler.setBrush(fuellung);
    maler.drawPath(pfad);
}

QPointF kometOrt(const QRectF& f, double t) {
    return {f.center().x() + f.width() * 0.36 * std::sin(t * 1.3),
            f.center().y() + f.height() * 0.3 * std::sin(t * 2.6)};
}

void komet(QPainter& maler, const QRectF& f, double pegel, double t, const HUDPalette& pal) {
    constexpr int glieder = 40;
    for (int i = glieder; i >= 1; --i) {
        const double rest = 1.0 - static_cast<double>(i) / glieder;
        const QPointF ort = kometOrt(f, t - i * 0.02);
        maler.setPen(Qt::NoPen);
        maler.setBrush(mitAlpha(i < glieder / 3 ? pal.mitte : pal.glow2, rest * 0.8));
        const double r = (1.6 + 3.4 * pegel) * rest + 0.6;
        maler.drawEllipse(ort, r, r);
    }
    leuchtpunkt(maler, kometOrt(f, t), 3.4 + 3.6 * pegel, pal.hell, mitAlpha(pal.glow1, 0.8));
}

} // namespace

void zeichne(QPainter& maler, const QRectF& flaeche, HUDStil stil, double pegel, double t,
             const HUDPalette& palette, const QList<float>& verlauf) {
    const double p = std::clamp(pegel, 0.0, 1.0);
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    switch (stil.fall) {
    case HUDStil::Fall::energie:
        EnergieFigur::zeichne(maler, flaeche, 0.0, p, t, palette);
        break;
    case HUDStil::Fall::wellen:
        wellen(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::puls:
        puls(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::equalizer:
        equalizer(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::sonar:
        sonar(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::orbit:
        orbit(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::waveform:
        waveform(maler, flaeche, p, palette, verlauf);
        break;
    case HUDStil::Fall::arcs:
        arcs(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::blob:
        blob(maler, flaeche, p, t, palette);
        break;
    case HUDStil::Fall::komet:
        komet(maler, flaeche, p, t, palette);
        break;
    }
    maler.restore();
}

void zeichneVerarbeitung(QPainter& maler, const QRectF& flaeche, double t,
                         const HUDPalette& palette) {
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    const double y = flaeche.center().y();
    QLinearGradient linie(flaeche.topLeft(), flaeche.topRight());
    linie.setColorAt(0.0, mitAlpha(palette.mitte, 0.0));
    linie.setColorAt(0.5, mitAlpha(palette.mitte, 0.8));
    linie.setColorAt(1.0, mitAlpha(palette.mitte, 0.0));
    maler.setPen(QPen(QBrush(linie), 2.0, Qt::SolidLine, Qt::RoundCap));
    maler.drawLine(QPointF(flaeche.left(), y), QPointF(flaeche.right(), y));
    const double lauf = 0.5 - 0.5 * std::cos(2 * pi * std::fmod(t * 0.55, 1.0));
    leuchtpunkt(maler, QPointF(flaeche.left() + flaeche.width() * (0.1 + 0.8 * lauf), y), 4.0,
                palette.hell, mitAlpha(palette.glow1, 0.6));
    maler.restore();
}

} // namespace parlix::StilFiguren
