#include "app/ui/SchwebeFenster.hpp"

#include "app/platform/Arbeitsflaeche.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace parlix {

SchwebeFenster::SchwebeFenster(Maus maus, Arbeitsflaeche& arbeitsflaeche)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                  Qt::WindowDoesNotAcceptFocus | Qt::BypassWindowManagerHint |
                  (maus == Maus::durchklickbar ? Qt::WindowTransparentForInput : Qt::WindowFlags()))
    , arbeitsflaeche_(arbeitsflaeche) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    blende_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&blende_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& wert) { setzeDeckkraft(wert.toReal()); });
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
    setzeDeckkraft(0.0);
    durchscheinend_ = arbeitsflaeche_.durchscheinend();
    show();
    formGeaendert();
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
    blende_.setStartValue(deckkraft_);
    blende_.setEndValue(ziel);
    blende_.setDuration(static_cast<int>(dauer.count()));
    blende_.start();
}

void SchwebeFenster::setzeDeckkraft(qreal deckkraft) {
    deckkraft_ = deckkraft;
    // A window shown by someone else (on a layer surface) has no platform window to fade.
    if (!testAttribute(Qt::WA_DontShowOnScreen)) {
        setWindowOpacity(deckkraft);
    }
}

QRegion SchwebeFenster::form() const {
    return rect();
}

void SchwebeFenster::formGeaendert() {
    if (durchscheinend_) {
        clearMask();
    } else {
        setMask(form());
    }
}

QScreen* SchwebeFenster::arbeitsBildschirm() const {
    if (const auto fokus = arbeitsflaeche_.fokusFenster()) {
        if (QScreen* bildschirm = QGuiApplication::screenAt(fokus->center())) {
            return bildschirm;
        }
    }
    if (QScreen* bildschirm = QGuiApplication::screenAt(QCursor::pos())) {
        return bildschirm;
    }
    return QGuiApplication::primaryScreen();
}

void SchwebeFenster::platziere(std::optional<int> abstandUnten, int hoeher) {
    randUnten_ = abstandUnten;
    const QScreen* bildschirm = arbeitsBildschirm();
    if (bildschirm == nullptr) {
        return;
    }
    const QRect frei = bildschirm->availableGeometry();
    const int y = abstandUnten ? frei.bottom() + 1 - *abstandUnten - height()
                               : frei.y() + (frei.height() - height()) / 2 - hoeher;
    move(frei.x() + (frei.width() - width()) / 2, y);
}

} // namespace parlix
