#include "app/render/TrayProbe.hpp"

#include "app/ui/Symbol.hpp"

#include <QPainter>

namespace parlix {

namespace {

constexpr int kanten[] = {16, 22, 24, 32, 48};
constexpr int abstand = 14;
constexpr int streifen = 64;

} // namespace

TrayProbe::TrayProbe() {
    int breite = abstand;
    for (const int kante : kanten) {
        breite += 2 * (kante + abstand);
    }
    setFixedSize(breite, 2 * streifen);
}

void TrayProbe::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    const QColor panele[] = {QColor(0xf2, 0xf2, 0xf2), QColor(0x1e, 0x1f, 0x24)};
    for (int zeile = 0; zeile < 2; ++zeile) {
        maler.fillRect(0, zeile * streifen, width(), streifen, panele[zeile]);
        int x = abstand;
        for (const int kante : kanten) {
            for (const bool aktiv : {false, true}) {
                const QRect ort(x, zeile * streifen + (streifen - kante) / 2, kante, kante);
                Symbol::trayIcon(aktiv).paint(&maler, ort);
                x += kante + abstand;
            }
        }
    }
}

} // namespace parlix
