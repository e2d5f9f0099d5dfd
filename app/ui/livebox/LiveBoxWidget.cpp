#include "app/ui/livebox/LiveBoxWidget.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"

#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <chrono>

namespace parlix {

namespace {

constexpr std::chrono::milliseconds einblenden{250};
constexpr std::chrono::milliseconds ausblenden{300};
constexpr int abstandUnten = 220;
constexpr double wortAbstand = 11.0;
constexpr double randSeite = 26.0;
constexpr double randOben = 15.0;
constexpr double schriftPixel = 17.0;
// The widest the capsule may grow inside the window (room for its shadow).
constexpr double kapselMax = LiveBoxWidget::breite - 40.0;
constexpr double kapselMin = 96.0;
// The fade at the row's left edge once the row is wider than the capsule.
constexpr double randBlende = 42.0;

QFont wortSchrift() {
    return Gestaltung::schrift(schriftPixel, QFont::Medium);
}

} // namespace

LiveBoxWidget::LiveBoxWidget(Arbeitsflaeche& arbeitsflaeche)
    : SchwebeFenster(Maus::durchklickbar, arbeitsflaeche) {
    setWindowTitle(QStringLiteral("Parlix Live"));
    resize(breite, hoehe);
    takt_.setTimerType(Qt::PreciseTimer);
    takt_.setInterval(16);
    connect(&takt_, &QTimer::timeout, this, &LiveBoxWidget::naechstesBild);
    connect(this, &SchwebeFenster::ausgeblendet, &takt_, &QTimer::stop);
    kapselBreite_.setze(kapselMin);
}

void LiveBoxWidget::zeige(LiveBoxModel& model) {
    if (model_ != &model) {
        verbinde(model);
    }
    woerter_.clear();
    uebernimmWoerter();
    kapselBreite_.setze(kapselBreite_.ziel);
    platziere(abstandUnten);
    blendeEin(einblenden);
}

void LiveBoxWidget::verstecke() {
    blendeAus(ausblenden);
}

void LiveBoxWidget::verbinde(LiveBoxModel& model) {
    if (model_) {
        model_->disconnect(this);
    }
    model_ = &model;
    connect(&model, &LiveBoxModel::woerterGeaendert, this, &LiveBoxWidget::uebernimmWoerter);
}

void LiveBoxWidget::uebernimmWoerter() {
    if (!model_) {
        return;
    }
    const QFontMetricsF masse(wortSchrift());
    const QList<LiveBoxModel::Wort> sichtbar = model_->sichtbareWoerter();
    for (WortBild& bild : woerter_) {
        const bool bleibt = std::any_of(sichtbar.begin(), sichtbar.end(),
                                        [&](const auto& wort) { return wort.id == bild.id; });
        if (!bleibt) {
            bild.geht = true;
            bild.sicht.ziel = 0.0;
        }
    }
    double x = 0.0;
    for (const LiveBoxModel::Wort& wort : sichtbar) {
        auto bild = std::find_if(woerter_.begin(), woerter_.end(),
                                 [&](const WortBild& b) { return b.id == wort.id; });
        if (bild == woerter_.end()) {
            WortBild neu{wort.id, wort.text, masse.horizontalAdvance(wort.text), {}, {}};
            neu.x.setze(x);
            neu.sicht.setze(0.0);
            neu.sicht.ziel = 1.0;
            woerter_.append(neu);
            bild = woerter_.end() - 1;
        }
        bild->x.ziel = x;
        x += bild->breite + wortAbstand;
    }
    kapselBreite_.ziel = std::clamp(reiheBreite() + 2 * randSeite, kapselMin, kapselMax);
    if (!takt_.isActive() && isVisible()) {
        uhr_.start();
        takt_.start();
    }
    erneuere();
}

double LiveBoxWidget::reiheBreite() const {
    double breiteste = 0.0;
    for (const WortBild& bild : woerter_) {
        if (!bild.geht) {
            breiteste = std::max(breiteste, bild.x.ziel + bild.breite);
        }
    }
    return breiteste;
}

void LiveBoxWidget::naechstesBild() {
    const double dt = std::clamp(uhr_.restart() / 1000.0, 0.001, 0.05);
    bool inBewegung = false;
    for (WortBild& bild : woerter_) {
        bild.x.schritt(dt);
        bild.sicht.schritt(dt);
        inBewegung = inBewegung || !bild.x.ruht() || !bild.sicht.ruht();
    }
    kapselBreite_.schritt(dt);
    if (!kapselBreite_.ruht()) {
        inBewegung = true;
        formGeaendert();
    }
    woerter_.removeIf([](const WortBild& bild) { return bild.geht && bild.sicht.wert < 0.02; });
    if (!inBewegung) {
        takt_.stop();
    }
    erneuere();
}

void LiveBoxWidget::beruhige() {
    for (WortBild& bild : woerter_) {
        bild.x.setze(bild.x.ziel);
        bild.sicht.setze(bild.sicht.ziel);
    }
    woerter_.removeIf([](const WortBild& bild) { return bild.geht; });
    kapselBreite_.setze(kapselBreite_.ziel);
    takt_.stop();
    erneuere();
}

QRectF LiveBoxWidget::kapselRahmen() const {
    const double h = QFontMetricsF(wortSchrift()).height() + 2 * randOben;
    const double b = kapselBreite_.wert;
    return {(width() - b) / 2, (height() - h) / 2, b, h};
}

QRect LiveBoxWidget::bildFlaeche() const {
    // The glass's shadow reaches 16 points around the capsule, 4 lower; a pixel more for
    // the antialiased edge.
    return kapselRahmen().adjusted(-17.0, -13.0, 17.0, 21.0).toAlignedRect();
}

void LiveBoxWidget::erneuere() {
    const QRect jetzt = bildFlaeche();
    update(QRegion(jetzt).united(gezeichnet_));
    gezeichnet_ = jetzt;
}

QRegion LiveBoxWidget::form() const {
    const QRectF kapsel = kapselRahmen();
    return Gestaltung::rundeForm(kapsel, kapsel.height() / 2);
}

void LiveBoxWidget::paintEvent(QPaintEvent*) {
    if (woerter_.isEmpty()) {
        return;
    }
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    const QRectF kapsel = kapselRahmen();
    Gestaltung::zeichneGlas(maler, kapsel, kapsel.height() / 2);
    zeichneReihe(maler, kapsel.adjusted(randSeite * 0.6, 0, -randSeite * 0.6, 0));
}

void LiveBoxWidget::zeichneReihe(QPainter& maler, const QRectF& innen) {
    const qreal verhaeltnis = devicePixelRatioF();
    const QSize pixel = (innen.size() * verhaeltnis).toSize();
    if (reihe_.size() != pixel) {
        reihe_ = QImage(pixel, QImage::Format_ARGB32_Premultiplied);
    }
    reihe_.setDevicePixelRatio(verhaeltnis);
    reihe_.fill(Qt::transparent);
    QPainter stift(&reihe_);
    stift.setRenderHint(QPainter::Antialiasing);
    stift.setRenderHint(QPainter::TextAntialiasing);
    stift.setFont(wortSchrift());
    // The row is right-aligned once it is wider than the capsule, so the newest word
    // stays in view and the oldest ones slide out under the left fade.
    const double innenRand = randSeite * 0.4;
    const double verfuegbar = innen.width() - 2 * innenRand;
    const double reihe0 = innenRand + std::min(0.0, verfuegbar + 1.0 - reiheBreite());
    const double grundlinie = innen.height() / 2;
    for (const WortBild& bild : woerter_) {
        const double sicht = std::clamp(bild.sicht.wert, 0.0, 1.0);
        const double skala = 0.9 + 0.1 * sicht;
        const QRectF kasten(reihe0 + bild.x.wert, 0, bild.breite, innen.height());
        stift.save();
        stift.setOpacity(sicht);
        stift.translate(kasten.center());
        stift.scale(skala, skala);
        stift.translate(-kasten.center());
        stift.setPen(Gestaltung::text());
        stift.drawText(
            QRectF(kasten.left(), grundlinie - innen.height() / 2, bild.breite + 2, innen.height()),
            Qt::AlignVCenter | Qt::AlignLeft, bild.text);
        stift.restore();
    }
    if (reiheBreite() > verfuegbar + 1.0) {
        stift.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient maske(0, 0, randBlende, 0);
        maske.setColorAt(0.0, QColor(0, 0, 0, 0));
        maske.setColorAt(1.0, QColor(0, 0, 0, 255));
        stift.fillRect(QRectF(0, 0, randBlende, innen.height()), maske);
    }
    stift.end();
    maler.drawImage(innen.topLeft(), reihe_);
}

} // namespace parlix
