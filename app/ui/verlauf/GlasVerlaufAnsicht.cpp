#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/SymbolBild.hpp"
#include "app/ui/SymbolKnopf.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/verlauf/FensterZieher.hpp"
#include "app/ui/verlauf/GlasVerlaufModel.hpp"
#include "app/ui/verlauf/VerlaufKarte.hpp"
#include "core/history/VerlaufStore.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// A slim scroll bar that stays out of the way on glass.
const QString scrollStil = uR"(
QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; border: none; }
QScrollBar:vertical { background: transparent; width: 8px; margin: 4px 0 4px 0; }
QScrollBar::handle:vertical { background: rgba(255,255,255,0.18); border-radius: 4px; min-height: 32px; }
QScrollBar::handle:vertical:hover { background: rgba(255,255,255,0.30); }
QScrollBar::add-line, QScrollBar::sub-line, QScrollBar::add-page, QScrollBar::sub-page { height: 0; background: none; }
)"_s;

} // namespace

GlasVerlaufAnsicht::GlasVerlaufAnsicht(VerlaufStore& store, GlasVerlaufModel& model,
                                       const Texte& texte, QWidget* eltern)
    : QWidget(eltern)
    , store_(store)
    , model_(model)
    , texte_(texte)
    , seiten_(new QStackedWidget)
    , liste_(new QScrollArea)
    , kartenSpalte_(new QVBoxLayout) {
    auto* inhalt = new QWidget;
    inhalt->setLayout(kartenSpalte_);
    kartenSpalte_->setContentsMargins(0, 0, 6, 4);
    kartenSpalte_->setSpacing(10);
    liste_->setWidget(inhalt);
    liste_->setWidgetResizable(true);
    liste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste_->setFocusPolicy(Qt::NoFocus);
    liste_->setStyleSheet(scrollStil);
    seiten_->addWidget(baueLeer());
    seiten_->addWidget(liste_);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(14);
    spalte->addWidget(baueKopf());
    spalte->addWidget(seiten_, 1);

    scroll_.setTargetObject(liste_->verticalScrollBar());
    scroll_.setPropertyName("value");
    scroll_.setDuration(350);
    scroll_.setEasingCurve(QEasingCurve::OutCubic);

    connect(&store_, &VerlaufStore::eintraegeGeaendert, this, &GlasVerlaufAnsicht::baueKarten);
    connect(&model_, &GlasVerlaufModel::hervorIDGeaendert, this, &GlasVerlaufAnsicht::baueKarten);
    connect(&model_, &GlasVerlaufModel::animGeaendert, this, &GlasVerlaufAnsicht::scrolleNachOben);
    baueKarten();
}

QWidget* GlasVerlaufAnsicht::baueKopf() {
    auto* kopf = new FensterZieher;
    auto* zeile = new QHBoxLayout(kopf);
    zeile->setContentsMargins(2, 0, 0, 0);
    zeile->setSpacing(10);
    zeile->addWidget(new SymbolBild(u"logo"_s, 26));
    auto* titel =
        Gestaltung::beschriftung(texte_.text(u"verlauf.titel"_s),
                                 Gestaltung::schrift(18.0, QFont::DemiBold), Gestaltung::text());
    titel->setObjectName(u"titel"_s);
    zeile->addWidget(titel);
    zeile->addStretch();
    auto* zu = new SymbolKnopf(u"schliessen"_s, texte_.text(u"verlauf.schliessen"_s), kopf, 30);
    zu->setObjectName(u"schliessen"_s);
    connect(zu, &QAbstractButton::clicked, this, &GlasVerlaufAnsicht::schliessen);
    zeile->addWidget(zu);
    return kopf;
}

QWidget* GlasVerlaufAnsicht::baueLeer() {
    auto* leer = new QWidget;
    auto* spalte = new QVBoxLayout(leer);
    spalte->setSpacing(8);
    spalte->addStretch(3);
    auto* bild = new SymbolBild(u"logo"_s, 72);
    spalte->addWidget(bild, 0, Qt::AlignHCenter);
    spalte->addSpacing(10);
    auto* titel =
        Gestaltung::beschriftung(texte_.text(u"verlauf.leer.titel"_s),
                                 Gestaltung::schrift(17.0, QFont::DemiBold), Gestaltung::text());
    spalte->addWidget(titel, 0, Qt::AlignHCenter);
    auto* text = Gestaltung::beschriftung(texte_.text(u"verlauf.leer.text"_s),
                                          Gestaltung::schrift(13.5), Gestaltung::textLeise());
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignHCenter);
    spalte->addWidget(text);
    spalte->addStretch(4);
    return leer;
}

void GlasVerlaufAnsicht::baueKarten() {
    while (QLayoutItem* alt = kartenSpalte_->takeAt(0)) {
        delete alt->widget();
        delete alt;
    }
    for (const VerlaufEintrag& eintrag : store_.eintraege()) {
        auto* karte = new VerlaufKarte(eintrag, model_.hervorID() == eintrag.id, texte_);
        connect(karte, &VerlaufKarte::einfuegen, this, &GlasVerlaufAnsicht::einfuegen);
        connect(karte, &VerlaufKarte::kopieren, this, &GlasVerlaufAnsicht::kopieren);
        kartenSpalte_->addWidget(karte);
    }
    kartenSpalte_->addStretch();
    seiten_->setCurrentIndex(store_.eintraege().isEmpty() ? 0 : 1);
}

void GlasVerlaufAnsicht::scrolleNachOben() {
    if (store_.eintraege().isEmpty()) {
        return;
    }
    scroll_.stop();
    scroll_.setStartValue(liste_->verticalScrollBar()->value());
    scroll_.setEndValue(0);
    scroll_.start();
}

QList<VerlaufKarte*> GlasVerlaufAnsicht::karten() const {
    return liste_->widget()->findChildren<VerlaufKarte*>(Qt::FindDirectChildrenOnly);
}

bool GlasVerlaufAnsicht::leer() const {
    return seiten_->currentIndex() == 0;
}

int GlasVerlaufAnsicht::scrollPosition() const {
    return liste_->verticalScrollBar()->value();
}

} // namespace parlix
