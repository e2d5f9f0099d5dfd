#include "app/ui/fenster/bausteine/HUDVorschau.hpp"

#include "app/ui/fenster/modelle/SettingsModel.hpp"
#include "app/ui/hud/HUDBild.hpp"

#include <QPainter>
#include <cmath>

namespace parlix {

namespace {

// The preview shows the HUD smaller than on screen, so that the largest size still fits.
constexpr double verkleinerung = 0.75;
constexpr qsizetype verlaufLaenge = 64;
constexpr int bildMs = 33;

// A level that rises and falls like speech, for frame `bild`.
float pegel(int bild) {
    return static_cast<float>(0.42 + 0.38 * std::sin(bild * 0.23) * std::sin(bild * 0.051 + 0.7));
}

} // namespace

HUDVorschau::HUDVorschau(SettingsModel& model, const QString& zustandText, QWidget* eltern)
    : QWidget(eltern)
    , model_(model) {
    moment_.zustand = AppZustand::aufnehmend;
    moment_.zustandText = zustandText;
    for (int i = 0; i < verlaufLaenge; ++i) {
        moment_.pegelVerlauf.append(pegel(i));
    }
    moment_.pegel = pegel(verlaufLaenge);
    moment_.t = 2.0;
    setMinimumHeight(static_cast<int>(HUDBild::grundgroesse.height() * 1.6 * verkleinerung) + 8);
    takt_.setInterval(bildMs);
    connect(&takt_, &QTimer::timeout, this, &HUDVorschau::schritt);
    connect(&model_, &SettingsModel::geaendert, this, &HUDVorschau::uebernimm);
    connect(&model_, &SettingsModel::geladen, this, &HUDVorschau::uebernimm);
    uebernimm();
}

void HUDVorschau::uebernimm() {
    using S = SettingsModel::Schluessel;
    moment_.stil = HUDStil::ausEinstellung(model_.text(S::hudStil));
    moment_.palette = HUDPalette(model_.hudFarbe());
    groesse_ = model_.zahl(S::hudGroesse);
    update();
}

void HUDVorschau::schritt() {
    ++bild_;
    moment_.t += bildMs / 1000.0;
    moment_.pegel = pegel(bild_ + verlaufLaenge);
    moment_.pegelVerlauf.removeFirst();
    moment_.pegelVerlauf.append(static_cast<float>(moment_.pegel));
    update();
}

void HUDVorschau::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    const QSizeF groesse = HUDBild::grundgroesse * (std::max(groesse_, 0.5) * verkleinerung);
    maler.translate((width() - groesse.width()) / 2.0, (height() - groesse.height()) / 2.0);
    HUDBild::zeichne(maler, groesse, moment_);
}

void HUDVorschau::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    takt_.start();
}

void HUDVorschau::hideEvent(QHideEvent* ereignis) {
    QWidget::hideEvent(ereignis);
    takt_.stop();
}

} // namespace parlix
