#include "app/ui/fenster/bausteine/AnmeldeFormular.hpp"

#include "app/account/Konto.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/modelle/LoginModel.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QPushButton* verweis(QWidget* eltern) {
    auto* knopf = new QPushButton(eltern);
    knopf->setFlat(true);
    knopf->setCursor(Qt::PointingHandCursor);
    knopf->setForegroundRole(QPalette::Link);
    QPalette farben = knopf->palette();
    farben.setColor(QPalette::ButtonText, farben.color(QPalette::Link));
    knopf->setPalette(farben);
    return knopf;
}

} // namespace

AnmeldeFormular::AnmeldeFormular(LoginModel& model, Konto& konto, const Texte& texte,
                                 bool mitZuruecksetzen, QWidget* eltern)
    : QWidget(eltern)
    , model_(model)
    , konto_(konto)
    , texte_(texte)
    , mitZuruecksetzen_(mitZuruecksetzen)
    , email_(new QLineEdit)
    , passwortLabel_(new QLabel)
    , passwort_(new QLineEdit)
    , code_(new QLineEdit)
    , absenden_(new QPushButton)
    , wechsel_(verweis(this))
    , vergessen_(verweis(this))
    , meldung_(new QLabel) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    formular_ = baueFormular();
    angemeldet_ = baueAngemeldet();
    layout->addWidget(formular_);
    layout->addWidget(angemeldet_);

    connect(&model_, &LoginModel::meldung, this, &AnmeldeFormular::melde);
    connect(&model_, &LoginModel::beschaeftigtGeaendert, this, [this](bool beschaeftigt) {
        for (QWidget* knopf : {static_cast<QWidget*>(absenden_), static_cast<QWidget*>(wechsel_),
                               static_cast<QWidget*>(vergessen_)}) {
            knopf->setEnabled(!beschaeftigt);
        }
    });
    connect(&model_, &LoginModel::erledigt, this, [this](LoginModel::Vorgang vorgang) {
        if (vorgang == LoginModel::Vorgang::codeAnfordern) {
            codeVerschickt_ = true;
            zeige();
            code_->setFocus();
        } else if (vorgang == LoginModel::Vorgang::passwortSetzen) {
            // The confirmation stays; the user signs in with the new password.
            modus_ = Modus::anmelden;
            codeVerschickt_ = false;
            passwort_->clear();
            code_->clear();
            zeige();
        } else {
            passwort_->clear();
        }
    });
    connect(&konto_, &Konto::eingeloggtGeaendert, this, &AnmeldeFormular::zeige);
    connect(&konto_, &Konto::emailGeaendert, this, &AnmeldeFormular::zeige);
    zeige();
}

QWidget* AnmeldeFormular::baueFormular() {
    auto* formular = new QWidget;
    auto* layout = new QVBoxLayout(formular);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    email_->setInputMethodHints(Qt::ImhEmailCharactersOnly | Qt::ImhNoAutoUppercase);
    email_->setPlaceholderText(u"name@example.com"_s);
    passwort_->setEchoMode(QLineEdit::Password);
    code_->setInputMethodHints(Qt::ImhDigitsOnly);
    layout->addWidget(FensterStil::stapel(texte_.text(u"konto.email"_s), email_));
    codeBlock_ = FensterStil::stapel(texte_.text(u"reset.code"_s), code_);
    layout->addWidget(codeBlock_);
    // The password's label changes with the mode.
    passwortBlock_ = new QWidget;
    auto* passwortLayout = new QVBoxLayout(passwortBlock_);
    passwortLayout->setContentsMargins(0, 0, 0, 0);
    passwortLayout->setSpacing(8);
    passwortLabel_->setBuddy(passwort_);
    passwortLayout->addWidget(passwortLabel_);
    passwortLayout->addWidget(passwort_);
    layout->addWidget(passwortBlock_);
    layout->addSpacing(4);
    absenden_->setProperty("rolle", u"primaer"_s);
    absenden_->setDefault(true);
    absenden_->setMinimumHeight(34);
    layout->addWidget(absenden_);
    auto* verweise = new QHBoxLayout;
    verweise->addWidget(wechsel_);
    verweise->addStretch();
    verweise->addWidget(vergessen_);
    layout->addLayout(verweise);
    meldung_->setWordWrap(true);
    meldung_->setVisible(false);
    meldung_->setAccessibleName(texte_.text(u"login.meldung"_s));
    layout->addWidget(meldung_);
    vergessen_->setText(texte_.text(u"login.passwortVergessen"_s));

    connect(absenden_, &QPushButton::clicked, this, &AnmeldeFormular::sende);
    for (QLineEdit* feld : {email_, passwort_, code_}) {
        connect(feld, &QLineEdit::returnPressed, absenden_, &QPushButton::click);
    }
    connect(wechsel_, &QPushButton::clicked, this, [this] {
        setzeModus(modus_ == Modus::anmelden ? Modus::registrieren : Modus::anmelden);
    });
    connect(vergessen_, &QPushButton::clicked, this, [this] { setzeModus(Modus::zuruecksetzen); });
    return formular;
}

QWidget* AnmeldeFormular::baueAngemeldet() {
    auto* block = new QWidget;
    adresse_ = new QLabel;
    adresse_->setFont(FensterStil::kartenTitelSchrift(font()));
    auto* abmelden = new QPushButton(texte_.text(u"konto.abmelden"_s));
    connect(abmelden, &QPushButton::clicked, &konto_, &Konto::logout);
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FensterStil::erklaerung(texte_.text(u"konto.angemeldetAls"_s)));
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(adresse_, 1);
    zeile->addWidget(abmelden);
    layout->addLayout(zeile);
    return block;
}

void AnmeldeFormular::setzeModus(Modus modus) {
    modus_ = modus;
    codeVerschickt_ = false;
    meldung_->setVisible(false);
    zeige();
}

void AnmeldeFormular::zeige() {
    const bool eingeloggt = konto_.eingeloggt();
    formular_->setVisible(!eingeloggt);
    angemeldet_->setVisible(eingeloggt);
    adresse_->setText(konto_.email().isEmpty() ? texte_.text(u"konto.angemeldet"_s)
                                               : konto_.email());

    const bool zuruecksetzen = modus_ == Modus::zuruecksetzen;
    codeBlock_->setVisible(zuruecksetzen && codeVerschickt_);
    passwortBlock_->setVisible(!zuruecksetzen || codeVerschickt_);
    passwortLabel_->setText(
        texte_.text(zuruecksetzen ? u"reset.neuesPasswort"_s : u"login.passwort"_s));
    passwort_->setAccessibleName(passwortLabel_->text());
    switch (modus_) {
    case Modus::anmelden:
        absenden_->setText(texte_.text(u"konto.anmelden"_s));
        wechsel_->setText(texte_.text(u"login.registrieren"_s));
        break;
    case Modus::registrieren:
        absenden_->setText(texte_.text(u"login.kontoErstellen"_s));
        wechsel_->setText(texte_.text(u"konto.anmelden"_s));
        break;
    case Modus::zuruecksetzen:
        absenden_->setText(
            texte_.text(codeVerschickt_ ? u"reset.setzen"_s : u"reset.codeAnfordern"_s));
        wechsel_->setText(texte_.text(u"konto.anmelden"_s));
        break;
    }
    vergessen_->setVisible(modus_ == Modus::anmelden && mitZuruecksetzen_);
}

void AnmeldeFormular::sende() {
    meldung_->setVisible(false);
    switch (modus_) {
    case Modus::anmelden:
        model_.meldeAn(email_->text(), passwort_->text());
        break;
    case Modus::registrieren:
        model_.registriere(email_->text(), passwort_->text());
        break;
    case Modus::zuruecksetzen:
        if (codeVerschickt_) {
            model_.setzePasswort(email_->text(), code_->text(), passwort_->text());
        } else {
            model_.fordereCodeAn(email_->text());
        }
        break;
    }
}

void AnmeldeFormular::melde(const QString& text, bool fehler) {
    meldung_->setText(text);
    QPalette farben = meldung_->palette();
    farben.setColor(QPalette::WindowText,
                    fehler ? FensterStil::fehler(palette()) : FensterStil::erfolg(palette()));
    meldung_->setPalette(farben);
    meldung_->setVisible(true);
}

} // namespace parlix
