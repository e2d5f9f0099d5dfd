#include "app/ui/fenster/bausteine/FensterStil.hpp"

#include "app/ui/Symbol.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix::FensterStil {

namespace {

QColor mische(const QColor& a, const QColor& b, double anteilB) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - anteilB) + b.redF() * anteilB),
                            static_cast<float>(a.greenF() * (1 - anteilB) + b.greenF() * anteilB),
                            static_cast<float>(a.blueF() * (1 - anteilB) + b.blueF() * anteilB));
}

// A button is named by its own text.
void benenne(QWidget* steuerung, const QString& text) {
    const auto* knopf = qobject_cast<QAbstractButton*>(steuerung);
    if (steuerung->accessibleName().isEmpty() && (knopf == nullptr || knopf->text().isEmpty())) {
        steuerung->setAccessibleName(text);
    }
}

} // namespace

bool istDunkel(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QColor kartenGrund(const QPalette& palette) {
    const QColor fenster = palette.color(QPalette::Window);
    return istDunkel(palette) ? mische(fenster, Qt::white, 0.06) : mische(fenster, Qt::white, 0.75);
}

QColor linie(const QPalette& palette) {
    QColor farbe = palette.color(QPalette::WindowText);
    farbe.setAlphaF(istDunkel(palette) ? 0.14f : 0.11f);
    return farbe;
}

QColor seitenleistenGrund(const QPalette& palette) {
    const QColor fenster = palette.color(QPalette::Window);
    return istDunkel(palette) ? mische(fenster, Qt::black, 0.18)
                              : mische(fenster, Qt::black, 0.035);
}

QColor erfolg(const QPalette& palette) {
    return istDunkel(palette) ? QColor(0x32, 0xD7, 0x4B) : QColor(0x24, 0xA1, 0x48);
}

QColor warnung(const QPalette& palette) {
    return istDunkel(palette) ? QColor(0xFF, 0xB3, 0x40) : QColor(0xC2, 0x6A, 0x00);
}

QColor fehler(const QPalette& palette) {
    return istDunkel(palette) ? QColor(0xFF, 0x6B, 0x60) : QColor(0xD0, 0x30, 0x25);
}

QString stilBlatt() {
    return uR"(
QListWidget#seitenleiste { background: transparent; border: none; outline: 0; }
QListWidget#seitenleiste::item { padding: 7px 10px; margin: 1px 0; border-radius: 7px; }
QListWidget#seitenleiste::item:selected { background: palette(highlight);
    color: palette(highlighted-text); }
QLabel#tastenkappe { border: 1px solid palette(mid); border-bottom-width: 2px;
    border-radius: 6px; padding: 3px 10px; background: palette(base); font-weight: 600; }
QLabel#tastenkappe[aufnahme="true"] { border-color: palette(highlight); color: palette(highlight); }
QPushButton#segment { padding: 5px 14px; border: 1px solid palette(mid);
    background: palette(button); color: palette(button-text); }
QPushButton#segment[lage="links"] { border-top-left-radius: 7px; border-bottom-left-radius: 7px; }
QPushButton#segment[lage="rechts"] { border-top-right-radius: 7px;
    border-bottom-right-radius: 7px; border-left: none; }
QPushButton#segment:checked { background: palette(highlight); color: palette(highlighted-text);
    border-color: palette(highlight); }
QPushButton#segment:focus { border-color: palette(highlight); }
QPushButton[rolle="primaer"] { background: palette(highlight); color: palette(highlighted-text);
    border: 1px solid palette(highlight); border-radius: 7px; padding: 6px 18px; font-weight: 600; }
QPushButton[rolle="primaer"]:disabled { background: palette(mid); border-color: palette(mid); }
QPushButton[rolle="primaer"]:focus { border: 2px solid palette(highlighted-text); }
QPushButton#sprachwahl { text-align: left; padding: 8px 12px; border: 1px solid transparent;
    border-radius: 7px; background: transparent; }
QPushButton#sprachwahl:checked { background: palette(highlight); color: palette(highlighted-text); }
QPushButton#sprachwahl:focus { border-color: palette(highlight); }
QScrollArea#inhalt, QWidget#spalte { background: transparent; }
)"_s;
}

void richteFensterEin(QWidget* fenster) {
    fenster->setStyleSheet(stilBlatt());
    fenster->setAutoFillBackground(true);
}

QIcon symbolIcon(const QString& name, const QColor& farbe, int kante) {
    const qreal dichte = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap bild(QSize(kante, kante) * dichte);
    bild.setDevicePixelRatio(dichte);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    Symbol::zeichne(maler, name, QRectF(0, 0, kante, kante), farbe);
    return QIcon(bild);
}

QFont titelSchrift(QFont basis) {
    basis.setPointSizeF(basis.pointSizeF() * 1.6);
    basis.setWeight(QFont::DemiBold);
    return basis;
}

QFont kartenTitelSchrift(QFont basis) {
    basis.setWeight(QFont::DemiBold);
    return basis;
}

QFont kleineSchrift(QFont basis) {
    basis.setPointSizeF(basis.pointSizeF() * 0.9);
    return basis;
}

QVBoxLayout* karten(QWidget* seite) {
    auto* layout = new QVBoxLayout(seite);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(24);
    return layout;
}

QVBoxLayout* kopf(QWidget* flaeche, const QString& ueberschrift, const QString& text) {
    auto* layout = new QVBoxLayout(flaeche);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(titel(ueberschrift));
    layout->addWidget(erklaerung(text));
    layout->addSpacing(10);
    return layout;
}

QWidget* zeile(const QString& text, QWidget* steuerung) {
    auto* reihe = new QWidget;
    auto* layout = new QHBoxLayout(reihe);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* beschriftung = new QLabel(text);
    beschriftung->setWordWrap(true);
    beschriftung->setBuddy(steuerung);
    layout->addWidget(beschriftung, 1);
    layout->addWidget(steuerung, 0, Qt::AlignRight | Qt::AlignVCenter);
    benenne(steuerung, text);
    // Menus of one width line up from card to card.
    if (qobject_cast<QComboBox*>(steuerung) != nullptr) {
        steuerung->setMinimumWidth(std::max(200, steuerung->minimumWidth()));
    }
    return reihe;
}

QWidget* stapel(const QString& text, QWidget* steuerung, QLabel* wertAnzeige) {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* kopf = new QHBoxLayout;
    auto* beschriftung = new QLabel(text);
    beschriftung->setBuddy(steuerung);
    kopf->addWidget(beschriftung, 1);
    if (wertAnzeige != nullptr) {
        wertAnzeige->setForegroundRole(QPalette::PlaceholderText);
        kopf->addWidget(wertAnzeige, 0, Qt::AlignRight);
    }
    layout->addLayout(kopf);
    layout->addWidget(steuerung);
    benenne(steuerung, text);
    return block;
}

QLabel* titel(const QString& text) {
    auto* label = new QLabel(text);
    label->setFont(titelSchrift(label->font()));
    label->setWordWrap(true);
    return label;
}

QLabel* erklaerung(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace parlix::FensterStil
