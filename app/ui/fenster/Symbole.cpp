#include "app/ui/fenster/Symbole.hpp"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace parlix::Symbole {

namespace {

// 24 × 24 outlines; FARBE is replaced by the colour.
QByteArray svg(Name name) {
    switch (name) {
    case Name::muell:
        return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none"
            stroke="FARBE" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round">
            <path d="M4 7h16M10 11v6M14 11v6M6 7l1 12a2 2 0 0 0 2 2h6a2 2 0 0 0 2-2l1-12M9 7V4h6v3"/>
            </svg>)";
    case Name::plus:
        return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none"
            stroke="FARBE" stroke-width="2" stroke-linecap="round"><path d="M12 5v14M5 12h14"/></svg>)";
    case Name::haken:
        return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
            <circle cx="12" cy="12" r="11" fill="FARBE"/>
            <path d="M7 12.5l3.2 3.2L17 9" fill="none" stroke="#FFFFFF" stroke-width="2.2"
            stroke-linecap="round" stroke-linejoin="round"/></svg>)";
    case Name::strich:
        return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none"
            stroke="FARBE" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round">
            <path d="M5 12.5l4.5 4.5L19 7.5"/></svg>)";
    case Name::hinweis:
        return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
            <circle cx="12" cy="12" r="11" fill="FARBE"/>
            <path d="M12 6.5v7" stroke="#FFFFFF" stroke-width="2.4" stroke-linecap="round"/>
            <circle cx="12" cy="17.3" r="1.5" fill="#FFFFFF"/></svg>)";
    }
    return {};
}

} // namespace

QPixmap bild(Name name, const QColor& farbe, int groesse) {
    QByteArray daten = svg(name);
    daten.replace("FARBE", farbe.name(QColor::HexRgb).toLatin1());
    QSvgRenderer zeichner(daten);
    const qreal dichte = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(groesse, groesse) * dichte);
    pixmap.setDevicePixelRatio(dichte);
    pixmap.fill(Qt::transparent);
    QPainter maler(&pixmap);
    zeichner.render(&maler, QRectF(0, 0, groesse, groesse));
    return pixmap;
}

QIcon icon(Name name, const QColor& farbe, int groesse) {
    return QIcon(bild(name, farbe, groesse));
}

} // namespace parlix::Symbole
