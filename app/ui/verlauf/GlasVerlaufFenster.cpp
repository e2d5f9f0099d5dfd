#include "app/ui/verlauf/GlasVerlaufFenster.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"

#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace parlix {

namespace {

constexpr int innenRand = 20;

} // namespace

GlasVerlaufFenster::GlasVerlaufFenster(GlasVerlaufAnsicht* ansicht, FokusOrt& fokusOrt)
    : SchwebeFenster(Maus::klickbar, fokusOrt)
    , ansicht_(ansicht) {
    setWindowTitle(QStringLiteral("Parlix"));
    setFixedSize(breite, hoehe);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(schatten + innenRand, schatten + 16, schatten + innenRand - 6,
                               schatten + innenRand);
    spalte->addWidget(ansicht_);
}

void GlasVerlaufFenster::zentriere() {
    const QScreen* bildschirm = arbeitsBildschirm();
    if (bildschirm == nullptr) {
        return;
    }
    const QRect frei = bildschirm->availableGeometry();
    move(frei.center().x() - width() / 2, frei.center().y() - height() / 2 - 40);
}

void GlasVerlaufFenster::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    Gestaltung::zeichneGlas(
        maler, QRectF(rect()).adjusted(schatten, schatten, -schatten, -schatten), 22.0);
}

} // namespace parlix
