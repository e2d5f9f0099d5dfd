#include "app/ui/SymbolKnopf.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/Symbol.hpp"

#include <QPainter>

namespace parlix {

SymbolKnopf::SymbolKnopf(const QString& symbol, const QString& tipp, QWidget* eltern, int kante)
    : QAbstractButton(eltern)
    , symbol_(symbol)
    , kante_(kante)
    , farbe_(Gestaltung::textLeise()) {
    setToolTip(tipp);
    setAccessibleName(tipp);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

void SymbolKnopf::setzeFarbe(const QColor& farbe) {
    farbe_ = farbe;
    update();
}

QSize SymbolKnopf::sizeHint() const {
    return {kante_, kante_};
}

void SymbolKnopf::enterEvent(QEnterEvent* ereignis) {
    schwebt_ = true;
    update();
    QAbstractButton::enterEvent(ereignis);
}

void SymbolKnopf::leaveEvent(QEvent* ereignis) {
    schwebt_ = false;
    update();
    QAbstractButton::leaveEvent(ereignis);
}

void SymbolKnopf::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    const QRectF flaeche = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (schwebt_ || isDown()) {
        maler.setPen(Qt::NoPen);
        maler.setBrush(QColor(255, 255, 255, isDown() ? 0x30 : 0x1c));
        maler.drawEllipse(flaeche);
    }
    const double symbol = kante_ * 0.56;
    Symbol::zeichne(maler, symbol_,
                    QRectF(flaeche.center().x() - symbol / 2, flaeche.center().y() - symbol / 2,
                           symbol, symbol),
                    schwebt_ ? Gestaltung::text() : farbe_);
}

} // namespace parlix
