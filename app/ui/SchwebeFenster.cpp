#include "app/ui/SchwebeFenster.hpp"

#include "app/platform/FokusOrt.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace parlix {

SchwebeFenster::SchwebeFenster(Maus maus, FokusOrt& fokusOrt)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                  Qt::WindowDoesNotAcceptFocus | Qt::BypassWindowManagerHint |
                  (maus == Maus::durchklickbar ? Qt::WindowTransparentForInput : Qt::WindowFlags()))
    , fokusOrt_(fokusOrt) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    blende_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&blende_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& wert) { setWindowOpacity(wert.toReal()); });
    connect(&blende_, &QVariantAnimation::finished, this, [this] {
        if (ausblenden_) {
            hide();
            ausblenden_ = false;
            emit ausgeblendet();
        }
    });
}

void SchwebeFenster::blendeEin(std::chrono::milliseconds dauer) {
    blende_.stop();
    ausblenden_ = false;
    setWindowOpacity(0.0);
    show();
    raise();
    blende(1.0, dauer);
}

void SchwebeFenster::blendeAus(std::chrono::milliseconds dauer) {
    if (!isVisible()) {
        return;
    }
    blende_.stop();
    ausblenden_ = true;
    blende(0.0, dauer);
}

void SchwebeFenster::blende(qreal ziel, std::chrono::milliseconds dauer) {
    blende_.setStartValue(windowOpacity());
    blende_.setEndValue(ziel);
    blende_.setDuration(static_cast<int>(dauer.count()));
    blende_.start();
}

QScreen* SchwebeFenster::arbeitsBildschirm() const {
    if (const auto fokus = fokusOrt_.fokusFenster()) {
        if (QScreen* bildschirm = QGuiApplication::screenAt(fokus->center())) {
            return bildschirm;
        }
    }
    if (QScreen* bildschirm = QGuiApplication::screenAt(QCursor::pos())) {
        return bildschirm;
    }
    return QGuiApplication::primaryScreen();
}

} // namespace parlix
