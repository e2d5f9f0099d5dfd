#include "app/ui/Symbol.hpp"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

using namespace Qt::StringLiterals;

namespace parlix::Symbol {

namespace {

QSvgRenderer& renderer(const QString& pfad) {
    static QHash<QString, std::shared_ptr<QSvgRenderer>> geladen;
    auto& eintrag = geladen[pfad];
    if (!eintrag) {
        eintrag = std::make_shared<QSvgRenderer>(pfad);
    }
    return *eintrag;
}

QIcon iconAus(const QString& pfad) {
    QIcon icon;
    for (const int kante : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage bild(kante, kante, QImage::Format_ARGB32_Premultiplied);
        bild.fill(Qt::transparent);
        QPainter maler(&bild);
        renderer(pfad).render(&maler, QRectF(0, 0, kante, kante));
        maler.end();
        icon.addPixmap(QPixmap::fromImage(bild));
    }
    return icon;
}

// The symbol in the colour at a pixel size; kept, as the HUD draws its badge every frame.
const QImage& gefaerbt(const QString& name, QSize pixel, const QColor& farbe) {
    static QHash<QString, QImage> fertig;
    const QString schluessel =
        u"%1|%2x%3|%4"_s.arg(name).arg(pixel.width()).arg(pixel.height()).arg(farbe.rgba());
    auto treffer = fertig.find(schluessel);
    if (treffer != fertig.end()) {
        return *treffer;
    }
    if (fertig.size() > 256) {
        fertig.clear();
    }
    QImage bild(pixel, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter faerber(&bild);
    faerber.setRenderHint(QPainter::Antialiasing);
    renderer(u":/symbole/"_s + name + u".svg"_s).render(&faerber, QRectF(QPointF(), pixel));
    faerber.setCompositionMode(QPainter::CompositionMode_SourceIn);
    faerber.fillRect(bild.rect(), farbe);
    faerber.end();
    return *fertig.insert(schluessel, bild);
}

} // namespace

void zeichne(QPainter& maler, const QString& name, const QRectF& ziel, const QColor& farbe) {
    const qreal verhaeltnis = maler.device() ? maler.device()->devicePixelRatioF() : 1.0;
    const QSize pixel = (ziel.size() * verhaeltnis * maler.worldTransform().m11()).toSize();
    if (pixel.isEmpty()) {
        return;
    }
    maler.save();
    maler.setRenderHint(QPainter::SmoothPixmapTransform);
    maler.drawImage(ziel, gefaerbt(name, pixel, farbe));
    maler.restore();
}

QIcon appIcon() {
    static const QIcon icon = iconAus(u":/icons/parlix.svg"_s);
    return icon;
}

QIcon trayIcon(bool aktiv) {
    static const QIcon ruhend = iconAus(u":/icons/parlix-tray.svg"_s);
    static const QIcon aufnehmend = iconAus(u":/icons/parlix-tray-aktiv.svg"_s);
    return aktiv ? aufnehmend : ruhend;
}

void zeichneLogo(QPainter& maler, const QRectF& ziel) {
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    renderer(u":/icons/parlix.svg"_s).render(&maler, ziel);
    maler.restore();
}

} // namespace parlix::Symbol
