#include "app/ui/hud/EnergieFigur.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace parlix::EnergieFigur {

namespace {

constexpr int punkte = 72;
constexpr double figurBreite = 300.0;

// Tapers a wave to nothing at both ends of the figure.
double huelle(double u) {
    return std::pow(std::sin(std::numbers::pi * u), 1.6);
}

QColor mitAlpha(QColor farbe, double alpha) {
    farbe.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return farbe;
}

// The upper edge of one ribbon; the lower edge mirrors it about the centre line.
QPainterPath band(const QRectF& flaeche, const Welle& welle, double hoehe, double t) {
    const double mitte = flaeche.center().y();
    QList<QPointF> oben;
    for (int i = 0; i <= punkte; ++i) {
        const double u = static_cast<double>(i) / punkte;
        const double winkel =
            welle.frequenz * u * figurBreite + welle.richtung * welle.tempo * t + welle.phase;
        const double y = hoehe * welle.amplitude * huelle(u) * std::abs(std::sin(winkel));
        oben.append({flaeche.left() + u * flaeche.width(), mitte - y});
    }
    QPainterPath pfad(oben.front());
    for (const QPointF& p : oben) {
        pfad.lineTo(p);
    }
    for (auto p = oben.crbegin(); p != oben.crend(); ++p) {
        pfad.lineTo(p->x(), 2 * mitte - p->y());
    }
    pfad.closeSubpath();
    return pfad;
}

} // namespace

void zeichne(QPainter& maler, const QRectF& flaeche, double fortschritt, double pegel, double t,
             const HUDPalette& palette) {
    const double p = std::clamp(fortschritt, 0.0, 1.0);
    const double voll = flaeche.height() / 2.0;
    // Recording: a small idle swell plus the level; processing: a faint breath.
    const double aufnahme = voll * (0.16 + 0.9 * std::clamp(pegel, 0.0, 1.0));
    const double atem = voll * (0.05 + 0.025 * std::sin(t * 2.4));
    const double hoehe = aufnahme * (1.0 - p) + atem * p;

    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setCompositionMode(QPainter::CompositionMode_Plus);
    const QColor farben[] = {palette.glow1, palette.glow2, palette.mitte};
    for (int schicht = 0; schicht < 3; ++schicht) {
        const Welle& welle = wellen[schicht];
        QLinearGradient fuellung(flaeche.topLeft(), flaeche.topRight());
        fuellung.setColorAt(0.0, mitAlpha(farben[schicht], 0.0));
        fuellung.setColorAt(0.3, mitAlpha(farben[schicht], 0.62));
        fuellung.setColorAt(0.7, mitAlpha(palette.rand, 0.62));
        fuellung.setColorAt(1.0, mitAlpha(palette.rand, 0.0));
        maler.setPen(Qt::NoPen);
        maler.setBrush(fuellung);
        maler.drawPath(band(flaeche, welle, hoehe, t));
    }
    // The centre line holds the figure together and carries the processing light.
    QLinearGradient linie(flaeche.topLeft(), flaeche.topRight());
    linie.setColorAt(0.0, mitAlpha(palette.hell, 0.0));
    linie.setColorAt(0.5, mitAlpha(palette.hell, 0.55 + 0.35 * p));
    linie.setColorAt(1.0, mitAlpha(palette.hell, 0.0));
    maler.setPen(QPen(QBrush(linie), 1.2 + 0.6 * p));
    maler.drawLine(QPointF(flaeche.left(), flaeche.center().y()),
                   QPointF(flaeche.right(), flaeche.center().y()));
    maler.restore();
}

} // namespace parlix::EnergieFigur
