#include "app/ui/fenster/seiten/ListenSeite.hpp"

#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/bausteine/Schalter.hpp"
#include "core/text/Befehl.hpp"
#include "core/text/Textbaustein.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

template <class T>
ListenSeite<T>::ListenSeite(SettingsModel& model, const Texte& texte, Beschreibung beschreibung,
                            QWidget* eltern)
    : QWidget(eltern)
    , model_(model)
    , texte_(texte)
    , beschreibung_(std::move(beschreibung))
    , karten_(new QVBoxLayout)
    , hinzufuegen_(new QPushButton(texte.text(beschreibung_.hinzufuegenKey))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    karten_->setContentsMargins(0, 0, 0, 0);
    karten_->setSpacing(16);
    layout->addLayout(karten_);
    auto* fuss = new QHBoxLayout;
    hinzufuegen_->setIcon(
        FensterStil::symbolIcon(u"plus"_s, palette().color(QPalette::ButtonText)));
    fuss->addWidget(hinzufuegen_);
    fuss->addStretch();
    layout->addLayout(fuss);
    if (!beschreibung_.fussKey.isEmpty()) {
        layout->addWidget(FensterStil::erklaerung(texte.text(beschreibung_.fussKey)));
    }

    connect(hinzufuegen_, &QPushButton::clicked, this, [this] {
        liste_.append(beschreibung_.neu(texte_.text(beschreibung_.neuerKey)));
        schreibe();
        baue();
        // The new entry's name is ready for typing.
        if (auto* name = karten_->itemAt(karten_->count() - 1)->widget()->findChild<QLineEdit*>()) {
            name->setFocus();
            name->selectAll();
        }
    });
    connect(&model_, &SettingsModel::geladen, this, &ListenSeite::baue);
    baue();
}

template <class T> void ListenSeite<T>::schreibe() {
    model_.setze(beschreibung_.schluessel, liste_);
}

template <class T> void ListenSeite<T>::baue() {
    liste_ = std::get<QList<T>>(model_.wert(beschreibung_.schluessel));
    while (QLayoutItem* eintrag = karten_->takeAt(0)) {
        // Later: the button that asked for this may still be inside.
        eintrag->widget()->deleteLater();
        eintrag->widget()->hide();
        delete eintrag;
    }
    for (qsizetype index = 0; index < liste_.size(); ++index) {
        QWidget* neu = karte(index);
        karten_->addWidget(neu);
        // At once, not when the layout gets to it: the new entry takes the focus.
        neu->show();
    }
}

template <class T> QWidget* ListenSeite<T>::karte(qsizetype index) {
    auto* karte = new Karte;
    // The one-line fields side by side, the longer texts below them.
    auto* zeile = new QWidget;
    auto* zeilenLayout = new QHBoxLayout(zeile);
    zeilenLayout->setContentsMargins(0, 0, 0, 0);
    zeilenLayout->setSpacing(12);
    karte->fuegeHinzu(zeile);
    for (const Textfeld& feld : beschreibung_.felder) {
        const QString wert = liste_[index].*(feld.feld);
        if (feld.mehrzeilig) {
            auto* text = new QPlainTextEdit(wert);
            text->setTabChangesFocus(true);
            text->setFixedHeight(text->fontMetrics().lineSpacing() * 3 + 16);
            connect(text, &QPlainTextEdit::textChanged, this, [this, index, feld, text] {
                liste_[index].*(feld.feld) = text->toPlainText();
                schreibe();
            });
            karte->fuegeHinzu(FensterStil::stapel(texte_.text(feld.key), text));
        } else {
            auto* eingabe = new QLineEdit(wert);
            connect(eingabe, &QLineEdit::textEdited, this, [this, index, feld](const QString& neu) {
                liste_[index].*(feld.feld) = neu;
                schreibe();
            });
            zeilenLayout->addWidget(FensterStil::stapel(texte_.text(feld.key), eingabe));
        }
    }
    auto* fuss = new QWidget;
    auto* fussLayout = new QHBoxLayout(fuss);
    fussLayout->setContentsMargins(0, 0, 0, 0);
    if (beschreibung_.schalterFeld != nullptr) {
        auto* schalter = new Schalter(texte_.text(beschreibung_.schalterKey));
        schalter->setChecked(liste_[index].*(beschreibung_.schalterFeld));
        connect(schalter, &QCheckBox::toggled, this, [this, index](bool an) {
            liste_[index].*(beschreibung_.schalterFeld) = an;
            schreibe();
        });
        fussLayout->addWidget(schalter, 1);
    } else {
        fussLayout->addStretch(1);
    }
    auto* loeschen = new QPushButton(texte_.text(beschreibung_.loeschenKey));
    loeschen->setIcon(FensterStil::symbolIcon(u"muell"_s, FensterStil::fehler(palette())));
    loeschen->setAccessibleName(texte_.text(beschreibung_.loeschenKey) + u": "_s +
                                liste_[index].name);
    connect(loeschen, &QPushButton::clicked, this, [this, index] {
        liste_.removeAt(index);
        schreibe();
        baue();
        hinzufuegen_->setFocus();
    });
    fussLayout->addSpacing(16);
    fussLayout->addWidget(loeschen);
    karte->fuegeHinzu(fuss);
    return karte;
}

template class ListenSeite<Befehl>;
template class ListenSeite<Textbaustein>;

} // namespace parlix
