#include "app/ui/verlauf/GlasVerlaufFenster.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"

#include <QPainter>
#include <QVBoxLayout>

namespace parlix {

namespace {

constexpr int innenRand = 20;
constexpr qreal radius = 22.0;

} // namespace

GlasVerlaufFenster::GlasVerlaufFenster(GlasVerlaufAnsicht* ansicht, Arbeitsflaeche& arbeitsflaeche)
    : SchwebeFenster(Maus::klickbar, arbeitsflaeche)
    , ansicht_(ansicht) {
    setWindowTitle(QStringLiteral("Parlix"));
    setFixedSize(breite, hoehe);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(schatten + innenRand, schatten + 16, schatten + innenRand - 6,
                               schatten + innenRand);
    spalte->addWidget(ansicht_);
}

void GlasVerlaufFenster::zentriere() {
    platziere(std::nullopt, 40);
}

QRectF GlasVerlaufFenster::koerper() const {
    return QRectF(rect()).adjusted(schatten, schatten, -schatten, -schatten);
}

QRegion GlasVerlaufFenster::form() const {
    return Gestaltung::rundeForm(koerper(), radius);
}

void GlasVerlaufFenster::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    Gestaltung::zeichneGlas(maler, koerper(), radius);
}

} // namespace parlix
