#include "app/ui/fenster/bausteine/Seitenleiste.hpp"

#include "app/ui/fenster/bausteine/FensterStil.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace parlix {

Seitenleiste::Seitenleiste(const QString& titel, const QFont& schrift, int breite, QWidget* eltern)
    : QWidget(eltern)
    , inhalt_(new QVBoxLayout(this)) {
    setFixedWidth(breite);
    inhalt_->setContentsMargins(12, 20, 12, 12);
    inhalt_->setSpacing(12);
    auto* name = new QLabel(titel);
    name->setFont(schrift);
    name->setWordWrap(true);
    name->setContentsMargins(8, 0, 0, 0);
    inhalt_->addWidget(name);
}

QHBoxLayout* Seitenleiste::teileFenster(QWidget* fenster) {
    auto* layout = new QHBoxLayout(fenster);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(this);
    return layout;
}

void Seitenleiste::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), FensterStil::seitenleistenGrund(palette()));
}

} // namespace parlix
