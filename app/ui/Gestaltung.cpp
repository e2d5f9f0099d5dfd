#include "app/ui/Gestaltung.hpp"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

using namespace Qt::StringLiterals;

namespace parlix::Gestaltung {

QColor akzent() {
    return QColor::fromRgbF(0.49f, 0.84f, 1.0f);
}

QColor modusDiktat() {
    return QColor::fromRgbF(0.2f, 0.62f, 1.0f);
}

QColor modusAktion() {
    return QColor::fromRgbF(1.0f, 0.22f, 0.24f);
}

QColor fehlerRot() {
    return QColor(0xff, 0x5c, 0x6a);
}

QColor text() {
    return QColor(0xf3, 0xf6, 0xfb);
}

QColor textLeise() {
    return QColor(0xf3, 0xf6, 0xfb, 0xa8);
}

QColor textBlass() {
    return QColor(0xf3, 0xf6, 0xfb, 0x66);
}

QFont schrift(qreal pixel, QFont::Weight gewicht) {
    QFont font;
    font.setFamilies({u"Inter"_s, u"Noto Sans"_s, font.defaultFamily()});
    font.setPixelSize(qRound(pixel));
    font.setWeight(gewicht);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QLabel* beschriftung(const QString& text, const QFont& schrift, const QColor& farbe) {
    auto* label = new QLabel(text);
    label->setFont(schrift);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, farbe);
    label->setPalette(palette);
    return label;
}

QRegion rundeForm(const QRectF& rahmen, qreal radius) {
    QPainterPath pfad;
    pfad.addRoundedRect(rahmen, radius, radius);
    return QRegion(pfad.toFillPolygon().toPolygon());
}

void zeichneGlas(QPainter& maler, const QRectF& rahmen, qreal radius) {
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setPen(Qt::NoPen);
    // A shadow of stacked, ever fainter outlines reads as a soft blur without one.
    for (int ring = 8; ring >= 1; --ring) {
        const qreal weite = ring * 2.0;
        maler.setBrush(QColor(0, 0, 0, 7));
        maler.drawRoundedRect(rahmen.adjusted(-weite, -weite + 4, weite, weite + 4), radius + weite,
                              radius + weite);
    }
    QLinearGradient koerper(rahmen.topLeft(), rahmen.bottomLeft());
    koerper.setColorAt(0.0, QColor(0x26, 0x2b, 0x38, 0xf2));
    koerper.setColorAt(1.0, QColor(0x14, 0x17, 0x1f, 0xf5));
    maler.setBrush(koerper);
    maler.drawRoundedRect(rahmen, radius, radius);

    QLinearGradient rand(rahmen.topLeft(), rahmen.bottomLeft());
    rand.setColorAt(0.0, QColor(255, 255, 255, 0x38));
    rand.setColorAt(0.5, QColor(255, 255, 255, 0x10));
    rand.setColorAt(1.0, QColor(255, 255, 255, 0x18));
    maler.setBrush(Qt::NoBrush);
    maler.setPen(QPen(QBrush(rand), 1.0));
    maler.drawRoundedRect(rahmen.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    maler.restore();
}

} // namespace parlix::Gestaltung
