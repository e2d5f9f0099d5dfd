#include "app/ui/fenster/bausteine/Schalter.hpp"

#include "app/ui/fenster/bausteine/FensterStil.hpp"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace parlix {

namespace {

constexpr int schalterBreite = 40;
constexpr int schalterHoehe = 22;
constexpr int abstand = 12;

} // namespace

Schalter::Schalter(const QString& text, QWidget* eltern)
    : QCheckBox(text, eltern) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

int Schalter::textBreite(int breite) {
    return std::max(0, breite - schalterBreite - abstand);
}

int Schalter::heightForWidth(int breite) const {
    const QRect noetig = fontMetrics().boundingRect(QRect(0, 0, textBreite(breite), 10000),
                                                    Qt::TextWordWrap, text());
    return std::max(schalterHoehe + 2, noetig.height());
}

QSize Schalter::sizeHint() const {
    const int breite = fontMetrics().horizontalAdvance(text()) + abstand + schalterBreite;
    return {breite, heightForWidth(breite)};
}

QSize Schalter::minimumSizeHint() const {
    return {schalterBreite + abstand + 80, schalterHoehe + 2};
}

bool Schalter::hitButton(const QPoint& punkt) const {
    return rect().contains(punkt);
}

void Schalter::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    const QPalette& farben = palette();

    maler.setPen(
        farben.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    maler.drawText(QRect(0, 0, textBreite(width()), height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());

    const QRectF bahn(width() - schalterBreite, (height() - schalterHoehe) / 2.0, schalterBreite,
                      schalterHoehe);
    QColor grund = isChecked() ? farben.color(QPalette::Highlight) : FensterStil::linie(farben);
    if (!isChecked()) {
        grund.setAlphaF(FensterStil::istDunkel(farben) ? 0.35f : 0.25f);
    }
    if (!isEnabled()) {
        grund.setAlphaF(grund.alphaF() * 0.5f);
    }
    maler.setPen(Qt::NoPen);
    maler.setBrush(grund);
    maler.drawRoundedRect(bahn, schalterHoehe / 2.0, schalterHoehe / 2.0);

    const double knopf = schalterHoehe - 4;
    const double x = isChecked() ? bahn.right() - 2 - knopf : bahn.left() + 2;
    maler.setBrush(QColor(Qt::white));
    maler.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    maler.drawEllipse(QRectF(x, bahn.top() + 2, knopf, knopf));

    if (hasFocus()) {
        maler.setBrush(Qt::NoBrush);
        maler.setPen(QPen(farben.color(QPalette::Highlight), 2));
        maler.drawRoundedRect(bahn.adjusted(-3, -3, 3, 3), schalterHoehe / 2.0 + 3,
                              schalterHoehe / 2.0 + 3);
    }
}

} // namespace parlix
