#include "app/ui/fenster/bausteine/BackendKarte.hpp"

#include "app/backend/BackendWahl.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/Segmente.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

BackendKarte::BackendKarte(DefaultsStore& speicher, const Texte& texte, FrageNeustart frageNeustart,
                           QWidget* eltern)
    : QWidget(eltern)
    , speicher_(speicher)
    , texte_(texte)
    , frageNeustart_(std::move(frageNeustart))
    , art_(new Segmente({texte.text(u"backend.lokal"_s), texte.text(u"backend.gehostet"_s)}))
    , adresse_(new QLineEdit)
    , fehler_(FensterStil::erklaerung({})) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* karte = new Karte(texte.text(u"backend.titel"_s), texte.text(u"backend.fuss"_s));
    layout->addWidget(karte);

    const BackendWahl wahl = BackendWahl::lies(speicher);
    const bool gehostet = wahl.art == BackendWahl::Art::gehostet;
    art_->waehle(gehostet ? 1 : 0);
    adresse_->setText(wahl.url.toString());
    adresse_->setPlaceholderText(u"https://"_s);
    adresse_->setAccessibleName(texte.text(u"backend.gehostet"_s));
    adresse_->setEnabled(gehostet);
    connect(art_, &Segmente::gewaehltGeaendert, adresse_,
            [this](int index) { adresse_->setEnabled(index == 1); });

    QPalette rot = fehler_->palette();
    rot.setColor(QPalette::WindowText, FensterStil::fehler(rot));
    fehler_->setPalette(rot);
    fehler_->hide();
    auto* uebernehmen = new QPushButton(texte.text(u"backend.uebernehmen"_s));
    connect(uebernehmen, &QPushButton::clicked, this, &BackendKarte::uebernimm);
    connect(adresse_, &QLineEdit::returnPressed, this, &BackendKarte::uebernimm);

    auto* adresszeile = new QWidget;
    auto* adressLayout = new QHBoxLayout(adresszeile);
    adressLayout->setContentsMargins(0, 0, 0, 0);
    adressLayout->addWidget(adresse_, 1);
    adressLayout->addWidget(uebernehmen);
    karte->fuegeHinzu(art_);
    karte->fuegeHinzu(adresszeile);
    layout->addWidget(fehler_);
}

void BackendKarte::uebernimm() {
    BackendWahl neu;
    if (art_->gewaehlt() == 1) {
        neu.art = BackendWahl::Art::gehostet;
        if (!adresse_->text().trimmed().isEmpty()) {
            const BackendWahl::Pruefung pruefung = BackendWahl::pruefe(adresse_->text());
            if (!pruefung.wurzel) {
                fehler_->setText(texte_.text(pruefung.fehlerKey));
                fehler_->show();
                return;
            }
            neu.url = *pruefung.wurzel;
        }
    }
    fehler_->hide();
    const BackendWahl alt = BackendWahl::lies(speicher_);
    if (alt.art == neu.art && alt.url == neu.url) {
        return;
    }
    neu.speichere(speicher_);
    emit gewechselt();
    if (frageNeustart_) {
        frageNeustart_(window(), u"backend.neustart"_s);
    }
}

} // namespace parlix
