#include "app/ui/hud/HUDWidget.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/hud/HUDBild.hpp"
#include "app/ui/hud/HUDController.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/text/StatusPanelTexte.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <chrono>

namespace parlix {

namespace {

constexpr std::chrono::milliseconds einblenden{220};
constexpr std::chrono::milliseconds ausblenden{300};
constexpr int inhaltBlendeMs = 300;
// The window's bottom edge above the bottom of the screen's free area.
constexpr int abstandUnten = 120;

double sekunden(MainQueue::Zeitpunkt zeit) {
    return std::chrono::duration<double>(zeit.time_since_epoch()).count();
}

double zielDeckkraft(const HUDModel& model) {
    return model.zustand() == AppZustand::idle && !model.fehler() && !model.hinweis() ? 0.0 : 1.0;
}

} // namespace

HUDWidget::HUDWidget(MainQueue& uhr, DefaultsStore& speicher, Arbeitsflaeche& arbeitsflaeche)
    : SchwebeFenster(Maus::durchklickbar, arbeitsflaeche)
    , uhr_(uhr)
    , speicher_(speicher) {
    setWindowTitle(QStringLiteral("Parlix HUD"));
    takt_.setTimerType(Qt::PreciseTimer);
    takt_.setInterval(bildIntervallMs);
    connect(&takt_, &QTimer::timeout, this, &HUDWidget::naechstesBild);
    connect(this, &SchwebeFenster::ausgeblendet, &takt_, &QTimer::stop);
    deckkraftBlende_.setDuration(inhaltBlendeMs);
    deckkraftBlende_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&deckkraftBlende_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& wert) {
                deckkraft_ = wert.toDouble();
                plane();
            });
    plane();
}

void HUDWidget::zeige(HUDModel& model) {
    if (model_ != &model) {
        verbinde(model);
    }
    deckkraftBlende_.stop();
    deckkraft_ = zielDeckkraft(model);
    pegelVerlauf_.clear();
    resize(HUDController::fenstergroesse(model.groesse()).toSize());
    platziere(abstandUnten);
    plane();
    takt_.start();
    blendeEin(einblenden);
}

void HUDWidget::verstecke() {
    blendeAus(ausblenden);
}

void HUDWidget::verbinde(HUDModel& model) {
    if (model_) {
        model_->disconnect(this);
    }
    model_ = &model;
    connect(&model, &HUDModel::zustandGeaendert, this, &HUDWidget::zustandGewechselt);
    connect(&model, &HUDModel::fehlerGeaendert, this, &HUDWidget::zustandGewechselt);
    connect(&model, &HUDModel::hinweisGeaendert, this, &HUDWidget::zustandGewechselt);
    connect(&model, &HUDModel::gesperrtGeaendert, this, [this] {
        formGeaendert();
        plane();
    });
}

void HUDWidget::zustandGewechselt() {
    if (!model_) {
        return;
    }
    formGeaendert();
    deckkraftBlende_.stop();
    deckkraftBlende_.setStartValue(deckkraft_);
    deckkraftBlende_.setEndValue(zielDeckkraft(*model_));
    deckkraftBlende_.start();
    plane();
}

void HUDWidget::naechstesBild() {
    if (model_) {
        pegelVerlauf_.append(model_->aktuellerPegel);
        if (pegelVerlauf_.size() > verlaufLaenge) {
            pegelVerlauf_.removeFirst();
        }
    }
    plane();
}

void HUDWidget::plane() {
    bild_ = moment();
    const QRegion teil = zeichner_.plane(bild_, size());
    if (!teil.isEmpty()) {
        update(teil);
    }
}

HUDMoment HUDWidget::moment() const {
    HUDMoment m;
    if (!model_) {
        m.deckkraft = 0.0;
        return m;
    }
    const MainQueue::Zeitpunkt jetzt = uhr_.jetzt();
    m.stil = model_->stil();
    m.palette = model_->palette();
    m.zustand = model_->zustand();
    m.gesperrt = model_->gesperrt();
    m.fehler = model_->fehler();
    m.hinweis = model_->hinweis();
    m.zustandText = Texte(speicher_).text(StatusPanelTexte::statusLabel(m.zustand));
    m.pegel = model_->aktuellerPegel;
    m.morph = model_->morphWert(jetzt);
    m.t = sekunden(jetzt);
    m.deckkraft = deckkraft_;
    m.pegelVerlauf = pegelVerlauf_;
    return m;
}

QRegion HUDWidget::form() const {
    return HUDBild::form(size(), moment());
}

void HUDWidget::paintEvent(QPaintEvent* ereignis) {
    const QImage& bild = zeichner_.bild(ereignis->region(), size(), devicePixelRatioF(), bild_);
    QPainter maler(this);
    maler.setCompositionMode(QPainter::CompositionMode_Source);
    maler.drawImage(0, 0, bild);
}

} // namespace parlix
