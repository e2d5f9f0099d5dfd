#include "app/ui/hud/HUDBild.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/Symbol.hpp"
#include "app/ui/hud/EnergieFigur.hpp"
#include "app/ui/hud/StilFiguren.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix::HUDBild {

namespace {

constexpr double badgeRadius = 19.0;
constexpr double schlossBreite = 14.0;

QColor mitAlpha(QColor farbe, double alpha) {
    farbe.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return farbe;
}

QPointF badgeMitte() {
    return {kapsel().left() + kapsel().height() / 2, kapsel().center().y()};
}

double scheinStaerke(const HUDMoment& m) {
    return m.fehler ? 0.22 : 0.10 + 0.28 * m.pegel * (1.0 - m.morph) + 0.08 * m.morph;
}

QColor scheinFarbe(const HUDMoment& m) {
    return m.fehler ? Gestaltung::fehlerRot() : m.palette.glow1;
}

void schein(QPainter& maler, const HUDMoment& m) {
    const QRectF k = kapsel();
    const double staerke = scheinStaerke(m);
    const QColor farbe = scheinFarbe(m);
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
    } else if (m.hinweis) {
        symbol = u"haken"_s;
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

void zeichneMeldung(QPainter& maler, const QString& text) {
    const QRectF flaeche = kapsel().adjusted(kapsel().height() - 4, 7, -18, -7);
    constexpr int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap;
    // The largest size at which the message fits; longer languages need three lines.
    QFont schrift = Gestaltung::schrift(13.0, QFont::Medium);
    for (const qreal pixel : {13.0, 12.0, 11.0}) {
        schrift = Gestaltung::schrift(pixel, QFont::Medium);
        if (QFontMetricsF(schrift).boundingRect(flaeche, flags, text).height() <=
            flaeche.height()) {
            break;
        }
    }
    maler.setFont(schrift);
    maler.setPen(Gestaltung::text());
    maler.drawText(flaeche, flags, text);
}

QFont chipSchrift() {
    return Gestaltung::schrift(11.5, QFont::DemiBold);
}

void zeichneChip(QPainter& maler, const HUDMoment& m) {
    const auto rahmen = chip(m);
    if (!rahmen) {
        return;
    }
    Gestaltung::zeichneGlas(maler, *rahmen, rahmen->height() / 2);
    QRectF textFlaeche = rahmen->adjusted(12.0, 0, -12.0, 0);
    if (m.gesperrt) {
        Symbol::zeichne(maler, u"schloss"_s,
                        QRectF(textFlaeche.left(), rahmen->center().y() - 5.5, 11.0, 11.0),
                        m.palette.hell);
        textFlaeche.setLeft(textFlaeche.left() + schlossBreite);
    }
    const QFont schrift = chipSchrift();
    maler.setFont(schrift);
    maler.setPen(Gestaltung::textLeise());
    maler.drawText(
        textFlaeche, Qt::AlignCenter,
        QFontMetricsF(schrift).elidedText(m.zustandText, Qt::ElideRight, textFlaeche.width()));
}

// The drawing's own coordinates in a window of that size: centred, scaled to fit.
QTransform abbildung(const QSizeF& fenster) {
    const double faktor =
        std::min(fenster.width() / grundgroesse.width(), fenster.height() / grundgroesse.height());
    QTransform t;
    t.translate((fenster.width() - grundgroesse.width() * faktor) / 2,
                (fenster.height() - grundgroesse.height() * faktor) / 2);
    t.scale(faktor, faktor);
    return t;
}

// Prepares the painter for one layer: the moment's opacity, the drawing's coordinates.
void beginne(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setOpacity(maler.opacity() * std::clamp(m.deckkraft, 0.0, 1.0));
    maler.setTransform(abbildung(fenster), true);
}

} // namespace

QRectF kapsel() {
    return {54.0, 86.0, 252.0, 66.0};
}

std::optional<QRectF> chip(const HUDMoment& m) {
    if (m.fehler || m.hinweis || m.zustandText.isEmpty()) {
        return std::nullopt;
    }
    const double symbol = m.gesperrt ? schlossBreite : 0.0;
    const double breite = std::min(
        QFontMetricsF(chipSchrift()).horizontalAdvance(m.zustandText) + symbol + 24.0, 320.0);
    return QRectF(grundgroesse.width() / 2 - breite / 2, kapsel().top() - 32.0, breite, 23.0);
}

QRegion form(const QSizeF& fenster, const HUDMoment& m) {
    QPainterPath pfad;
    pfad.addRoundedRect(kapsel(), kapsel().height() / 2, kapsel().height() / 2);
    if (const auto rahmen = chip(m)) {
        pfad.addRoundedRect(*rahmen, rahmen->height() / 2, rahmen->height() / 2);
    }
    return QRegion(abbildung(fenster).map(pfad).toFillPolygon().toPolygon());
}

QRectF figurFlaeche() {
    const QRectF k = kapsel();
    return {k.left() + k.height() + 4.0, k.top() + 8.0, k.width() - k.height() - 26.0,
            k.height() - 16.0};
}

void zeichneSchein(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    beginne(maler, fenster, m);
    schein(maler, m);
    maler.restore();
}

void zeichneGrund(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    beginne(maler, fenster, m);
    Gestaltung::zeichneGlas(maler, kapsel(), kapsel().height() / 2);
    if (m.fehler) {
        maler.setPen(QPen(mitAlpha(Gestaltung::fehlerRot(), 0.55), 1.0));
        maler.setBrush(Qt::NoBrush);
        maler.drawRoundedRect(kapsel().adjusted(0.5, 0.5, -0.5, -0.5), kapsel().height() / 2,
                              kapsel().height() / 2);
        zeichneMeldung(maler, *m.fehler);
    } else if (m.hinweis) {
        zeichneMeldung(maler, *m.hinweis);
    } else {
        zeichneChip(maler, m);
    }
    maler.restore();
}

void zeichneBewegung(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    beginne(maler, fenster, m);
    if (!m.fehler && !m.hinweis) {
        zeichneFigur(maler, m);
    }
    zeichneBadge(maler, m);
    maler.restore();
}

bool gleicherSchein(const HUDMoment& a, const HUDMoment& b) {
    return scheinStaerke(a) == scheinStaerke(b) && scheinFarbe(a) == scheinFarbe(b);
}

bool gleicherGrund(const HUDMoment& a, const HUDMoment& b) {
    return a.zustand == b.zustand && a.gesperrt == b.gesperrt && a.fehler == b.fehler &&
           a.hinweis == b.hinweis && a.zustandText == b.zustandText && a.palette == b.palette;
}

bool bewegungRuht(const HUDMoment& m) {
    return m.fehler || (m.hinweis && m.zustand != AppZustand::aufnehmend &&
                        m.zustand != AppZustand::transkribierend);
}

QRect bewegungsFlaeche(const QSizeF& fenster) {
    // The figures reach a little beyond the capsule at their fullest (orbit, komet); a
    // pixel more for the antialiased edge.
    constexpr double rand = 8.0;
    return abbildung(fenster)
        .mapRect(kapsel().adjusted(-rand, -rand, rand, rand))
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

void zeichne(QPainter& maler, const QSizeF& fenster, const HUDMoment& m) {
    if (m.deckkraft <= 0.0) {
        return;
    }
    zeichneSchein(maler, fenster, m);
    zeichneGrund(maler, fenster, m);
    zeichneBewegung(maler, fenster, m);
}

} // namespace parlix::HUDBild
