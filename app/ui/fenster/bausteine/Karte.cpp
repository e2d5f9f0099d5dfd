#include "app/ui/fenster/bausteine/Karte.hpp"

#include "app/ui/fenster/bausteine/FensterStil.hpp"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace parlix {

// The rounded panel; it paints the hairlines between the rows it holds.
class Karte::Flaeche final : public QWidget {
public:
    explicit Flaeche(QWidget* eltern)
        : QWidget(eltern) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter maler(this);
        maler.setRenderHint(QPainter::Antialiasing);
        const QRectF rahmen = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        maler.setPen(QPen(FensterStil::linie(palette()), 1.0));
        maler.setBrush(FensterStil::kartenGrund(palette()));
        maler.drawRoundedRect(rahmen, FensterStil::radius, FensterStil::radius);
        maler.setRenderHint(QPainter::Antialiasing, false);
        maler.setPen(QPen(FensterStil::linie(palette()), 1.0));
        const QLayout* zeilen = layout();
        for (int i = 1; zeilen != nullptr && i < zeilen->count(); ++i) {
            const QWidget* zeile = zeilen->itemAt(i)->widget();
            if (zeile != nullptr && zeile->isVisible()) {
                const int y = zeile->geometry().top() - FensterStil::zeilenAbstand / 2;
                maler.drawLine(FensterStil::innen, y, width() - FensterStil::innen, y);
            }
        }
    }
};

Karte::Karte(const QString& titel, const QString& fuss, QWidget* eltern)
    : QWidget(eltern)
    , titel_(new QLabel(this))
    , fuss_(new QLabel(this))
    , flaeche_(new Flaeche(this))
    , zeilen_(new QVBoxLayout(flaeche_)) {
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(0, 0, 0, 0);
    aussen->setSpacing(6);
    titel_->setFont(FensterStil::kartenTitelSchrift(font()));
    titel_->setContentsMargins(FensterStil::innen / 2, 0, 0, 0);
    fuss_->setWordWrap(true);
    fuss_->setFont(FensterStil::kleineSchrift(font()));
    fuss_->setForegroundRole(QPalette::PlaceholderText);
    fuss_->setContentsMargins(FensterStil::innen / 2, 0, FensterStil::innen / 2, 0);
    zeilen_->setContentsMargins(FensterStil::innen, FensterStil::innen - 4, FensterStil::innen,
                                FensterStil::innen - 4);
    zeilen_->setSpacing(FensterStil::zeilenAbstand);
    aussen->addWidget(titel_);
    aussen->addWidget(flaeche_);
    aussen->addWidget(fuss_);
    setzeTitel(titel);
    setzeFuss(fuss);
}

void Karte::fuegeHinzu(QWidget* zeile) {
    zeilen_->addWidget(zeile);
}

void Karte::leere() {
    while (QLayoutItem* eintrag = zeilen_->takeAt(0)) {
        delete eintrag->widget();
        delete eintrag;
    }
}

void Karte::setzeTitel(const QString& titel) {
    titel_->setText(titel);
    titel_->setVisible(!titel.isEmpty());
}

void Karte::setzeFuss(const QString& fuss) {
    fuss_->setText(fuss);
    fuss_->setVisible(!fuss.isEmpty());
}

} // namespace parlix
