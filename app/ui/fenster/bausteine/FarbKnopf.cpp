#include "app/ui/fenster/bausteine/FarbKnopf.hpp"

#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QColorDialog>
#include <QPainter>

namespace parlix {

namespace {

QIcon muster(const QColor& farbe) {
    QPixmap bild(18, 18);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setPen(QPen(QColor(0, 0, 0, 60), 1));
    maler.setBrush(farbe);
    maler.drawEllipse(QRectF(1, 1, 16, 16));
    return QIcon(bild);
}

} // namespace

FarbKnopf::FarbKnopf(const QString& dialogTitel, QWidget* eltern)
    : QPushButton(eltern) {
    connect(this, &QPushButton::clicked, this, [this, dialogTitel] {
        const QColor gewaehlt = QColorDialog::getColor(farbe_, window(), dialogTitel);
        if (gewaehlt.isValid() && gewaehlt != farbe_) {
            setzeFarbe(gewaehlt);
            emit farbeGewaehlt(gewaehlt);
        }
    });
}

void FarbKnopf::setzeFarbe(const QColor& farbe) {
    farbe_ = farbe;
    setIcon(muster(farbe));
    setText(SettingsModel::hexText(farbe));
}

} // namespace parlix
