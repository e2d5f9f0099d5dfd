#include "app/ui/hud/HUDBild.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/Symbol.hpp"
#include "app/ui/hud/EnergieFigur.hpp"
#include "app/ui/hud/StilFiguren.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QRadialGradient>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace parlix::HUDBild {

namespace {

constexpr double badgeRadius = 19.0;

QColor mitAlpha(QColor farbe, double alpha) {
    farbe.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return farbe;
}

QPointF badgeMitte() {
    return {kapsel().left() + kapsel().height() / 2, kapsel().center().y()};
}

void zeichneSchein(QPainter& maler, const HUDMoment& m) {
    const QRectF k = kapsel();
    const double staerke =
        m.fehler ? 0.22 : 0.10 + 0.28 * m.pegel * (1.0 - m.morph) + 0.08 * m.morph;
    const QColor farbe = m.fehler ? Gestaltung::fehlerRot() : m.palette.glow1;
    QRadialGradient schein(QPointF(), k.width() * 0.62);
    schein.setColorAt(0.0, mitAlpha(farbe, staerke));
    schein.setColorAt(1.0, mitAlpha(farbe, 0.0));
    maler.save();
    maler.setPen(Qt::NoPen);
    maler.setBrush(schein);
    maler.translate(k.center());
    maler.scale(1.0, 0.42);
    maler.drawEllipse(QPointF(), k.width() * 0.62, k.width() * 0.62);
    maler.restore();
}

void zeichneSpinner(QPainter& maler, QPointF mitte, double t, const HUDPalette& palette) {
    const double r = badgeRadius - 4.0;
    QConicalGradient bogen(mitte, -std::fmod(t * 400.0, 360.0));
    bogen.setColorAt(0.0, palette.hell);
    bogen.setColorAt(0.75, mitAlpha(palette.hell, 0.0));
    bogen.setColorAt(1.0, mitAlpha(palette.hell, 0.0));
    maler.setPen(QPen(QBrush(bogen), 2.2, Qt::SolidLine, Qt::RoundCap));
    maler.setBrush(Qt::NoBrush);
    maler.drawEllipse(mitte, r, r);
}

void zeichneBadge(QPainter& maler, const HUDMoment& m) {
    const QPointF mitte = badgeMitte();
    QColor grund = m.palette.rand;
    QString symbol = m.gesperrt ? u"schloss"_s : u"mikro"_s;
    if (m.fehler) {
        grund = Gestaltung::fehlerRot();
        symbol = u"warnung"_s;
    } else if (m.zustand == AppZustand::einfuegend) {
        symbol = u"haken"_s;
    } else if (m.zustand == AppZustand::transkribierend) {
        grund = mitAlpha(m.palette.rand, 0.28);
        symbol = u"prompt"_s;
    }
    if (m.zustand == AppZustand::aufnehmend && !m.fehler) {
        const double ring = badgeRadius + 2.5 + 4.0 * m.pegel;
        maler.setPen(QPen(mitAlpha(m.palette.hell, 0.25 + 0.55 * m.pegel), 1.6));
        maler.setBrush(Qt::NoBrush);
        maler.drawEllipse(mitte, ring, ring);
    }
    QRadialGradient fuellung(mitte - QPointF(0, badgeRadius * 0.6), badgeRadius * 1.6);
    fuellung.setColorAt(0.0, grund.lighter(125));
    fuellung.setColorAt(1.0, grund.darker(135));
    maler.setPen(Qt::NoPen);
    maler.setBrush(fuellung);
    maler.drawEllipse(mitte, badgeRadius, badgeRadius);
    if (m.zustand == AppZustand::transkribierend && !m.fehler) {
        zeichneSpinner(maler, mitte, m.t, m.palette);
    }
    const double kante = 17.0;
    Symbol::zeichne(maler, symbol,
                    QRectF(mitte.x() - kante / 2, mitte.y() - kante / 2, kante, kante), Qt::white);
}

void zeichneFigur(QPainter& maler, const HUDMoment& m) {
    const QRectF flaeche = figurFlaeche();
    const double p = std::clamp(m.morph, 0.0, 1.0);
    if (m.stil.fall == HUDStil::Fall::energie) {
        EnergieFigur::zeichne(maler, flaeche, p, m.pegel, m.t, m.palette);
    } else if (p < 1.0) {
        maler.save();
        maler.setOpacity(maler.opacity() * (1.0 - p));
        StilFiguren::zeichne(maler, flaeche, m.stil, m.pegel * (1.0 - p), m.t, m.palette,
                             m.pegelVerlauf);
        maler.restore();
    }
    if (p > 0.0) {
        maler.save();
        maler.setOpacity(maler.opacity() * p);
        StilFiguren::zeichneVerarbeitung(maler, flaeche, m.t, m.palette);
        maler.restore();
    }
}

void zeichneFehlertext(QPainter& maler, const QString& text) {
    const QRectF flaeche = kapsel().adjusted(kapsel().height() - 4, 8, -20, -8);
    const QFont schrift = Gestaltung::schrift(13.0, QFont::Medium);
    maler.setFont(schrift);
    maler.setPen(Gestaltung::text());
    const QFontMetricsF masse(schrift);
    // Two lines at most; a longer text ends in "…".
    const QString zeilen = masse.elidedText(text, Qt::ElideRight, flaeche.width() * 2 - 12);
    maler.drawText(flaeche, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, zeilen);
}

void zeichneChip(QPainter& maler, const HUDMoment& m) {
    if (m.zustandText.isEmpty()) {
        return;
    }
    const QFont schrift = Gestaltung::schrift(11.5, QFont::DemiBold);
    const QFontMetricsF masse(schrift);
    const double symbol = m.gesperrt ? 14.0 : 0.0;
    const double breite = std::min(masse.horizontalAdvance(m.zustandText) + symbol + 24.0, 320.0);
    const QRectF chip(grundgroesse.width() / 2 - breite / 2, kapsel().top() - 32.0, breite, 23.0);
    Gestaltung::zeichneGlas(maler, chip, chip.height() / 2);
    QRectF textFlaeche = chip.adjusted(12.0, 0, -12.0, 0);
    if (m.gesperrt) {
        Symbol::zeichne(maler, u"schloss"_s,
                        QRectF(textFlaeche.left(), chip.center().y() - 5.5, 11.0, 11.0),
                        m.palette.hell);
        textFlaeche.setLeft(textFlaeche.left() + symbol);
    }
    maler.setFont(schrift);
    maler.setPen(Gestaltung::textLeise());
    maler.drawText(textFlaeche, Qt::AlignCenter,
                   masse.elidedText(m.zustandText, Qt::ElideRight, textFlaeche.width()));
}

} // namespace

QRectF kapsel() {
    return {54.0, 86.0, 252.0, 66.0};
}

QRectF figurFlaeche() {
    const QRectF k = kapsel();
    return {k.left() + k.height() + 4.0, k.top() + 8.0, k.width() - k.height() - 26.0,
            k.height() - 16.0};
}

void zeichne(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    if (m.deckkraft <= 0.0) {
        return;
    }
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setOpacity(std::clamp(m.deckkraft, 0.0, 1.0));
    const double faktor =
        std::min(fenster.width() / grundgroesse.width(), fenster.height() / grundgroesse.height());
    maler.translate((fenster.width() - grundgroesse.width() * faktor) / 2,
                    (fenster.height() - grundgroesse.height() * faktor) / 2);
    maler.scale(faktor, faktor);

    zeichneSchein(maler, m);
    Gestaltung::zeichneGlas(maler, kapsel(), kapsel().height() / 2);
    if (m.fehler) {
        maler.setPen(QPen(mitAlpha(Gestaltung::fehlerRot(), 0.55), 1.0));
        maler.setBrush(Qt::NoBrush);
        maler.drawRoundedRect(kapsel().adjusted(0.5, 0.5, -0.5, -0.5), kapsel().height() / 2,
                              kapsel().height() / 2);
        zeichneFehlertext(maler, *m.fehler);
    } else {
        zeichneFigur(maler, m);
        zeichneChip(maler, m);
    }
    zeichneBadge(maler, m);
    maler.restore();
}

} // namespace parlix::HUDBild
