#include "app/ui/fenster/bausteine/RechteZeile.hpp"

#include "app/ui/Symbol.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

struct Schluessel {
    QString titel;
    QString text;
};

Schluessel schluessel(OnboardingModel::Recht recht) {
    switch (recht) {
    case OnboardingModel::Recht::mikro:
        return {u"onb.mikro"_s, u"onb.mikro.text"_s};
    case OnboardingModel::Recht::bedienung:
        return {u"onb.bedienung"_s, u"onb.bedienung.text"_s};
    case OnboardingModel::Recht::bildschirm:
        return {u"onb.bildschirm"_s, u"onb.bildschirm.text"_s};
    }
    return {};
}

constexpr int symbolGroesse = 22;

// A granted row: a check mark on a green disc; a missing one: an amber warning sign.
QPixmap abzeichen(bool erteilt, const QPalette& farben) {
    const qreal dichte = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap bild(QSize(symbolGroesse, symbolGroesse) * dichte);
    bild.setDevicePixelRatio(dichte);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    const QRectF flaeche(0, 0, symbolGroesse, symbolGroesse);
    if (erteilt) {
        maler.setPen(Qt::NoPen);
        maler.setBrush(FensterStil::erfolg(farben));
        maler.drawEllipse(flaeche);
        Symbol::zeichne(maler, u"haken"_s, flaeche.adjusted(4, 4, -4, -4), Qt::white);
    } else {
        Symbol::zeichne(maler, u"warnung"_s, flaeche, FensterStil::warnung(farben));
    }
    return bild;
}

} // namespace

RechteZeile::RechteZeile(OnboardingModel& model, OnboardingModel::Recht recht, const Texte& texte,
                         QWidget* eltern)
    : QWidget(eltern)
    , model_(model)
    , recht_(recht)
    , texte_(texte)
    , symbol_(new QLabel(this))
    , hinweis_(new QLabel(this))
    , aktion_(new QPushButton(this)) {
    const Schluessel keys = schluessel(recht);
    auto* titel = new QLabel(texte.text(keys.titel), this);
    titel->setFont(FensterStil::kartenTitelSchrift(font()));
    auto* text = FensterStil::erklaerung(texte.text(keys.text));
    hinweis_->setWordWrap(true);
    hinweis_->setFont(FensterStil::kleineSchrift(font()));
    symbol_->setFixedSize(symbolGroesse, symbolGroesse);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(14);
    layout->setVerticalSpacing(4);
    layout->addWidget(symbol_, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(titel, 0, 1);
    layout->addWidget(text, 1, 1);
    layout->addWidget(hinweis_, 2, 1);
    layout->addWidget(aktion_, 0, 2, 2, 1, Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);

    connect(aktion_, &QPushButton::clicked, this, [this] { model_.fuehreAus(recht_); });
    connect(&model_, &OnboardingModel::geaendert, this, &RechteZeile::zeige);
    zeige();
}

Karte* RechteZeile::alle(OnboardingModel& model, const Texte& texte) {
    auto* karte = new Karte;
    for (const auto recht : {OnboardingModel::Recht::mikro, OnboardingModel::Recht::bedienung,
                             OnboardingModel::Recht::bildschirm}) {
        karte->fuegeHinzu(new RechteZeile(model, recht, texte));
    }
    return karte;
}

bool RechteZeile::erteilt() const {
    return model_.zeile(recht_).erteilt;
}

void RechteZeile::zeige() {
    const OnboardingModel::Zeile zeile = model_.zeile(recht_);
    symbol_->setPixmap(abzeichen(zeile.erteilt, palette()));
    symbol_->setAccessibleName(texte_.text(zeile.erteilt ? u"onb.erteilt"_s : u"onb.fehlt"_s));
    aktion_->setVisible(!zeile.aktionKey.isEmpty());
    aktion_->setText(zeile.aktionKey.isEmpty() ? QString() : texte_.text(zeile.aktionKey));
    hinweis_->setVisible(!zeile.hinweisKey.isEmpty());
    hinweis_->setText(zeile.hinweisKey.isEmpty() ? QString() : texte_.text(zeile.hinweisKey));
    QPalette hinweisFarben = hinweis_->palette();
    hinweisFarben.setColor(QPalette::WindowText, zeile.erteilt
                                                     ? palette().color(QPalette::PlaceholderText)
                                                     : FensterStil::warnung(palette()));
    hinweis_->setPalette(hinweisFarben);
}

} // namespace parlix
