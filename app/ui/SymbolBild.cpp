#include "app/ui/SymbolBild.hpp"

#include "app/ui/Symbol.hpp"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace parlix {

SymbolBild::SymbolBild(const QString& symbol, int kante, const QColor& farbe, QWidget* eltern)
    : QWidget(eltern)
    , symbol_(symbol)
    , farbe_(farbe) {
    setFixedSize(kante, kante);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SymbolBild::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    if (symbol_ == u"logo"_s) {
        Symbol::zeichneLogo(maler, rect());
    } else {
        Symbol::zeichne(maler, symbol_, rect(), farbe_);
    }
}

} // namespace parlix
