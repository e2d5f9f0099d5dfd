#pragma once

#include "app/ui/fenster/bausteine/BackendKarte.hpp"

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace parlix {

class AnbieterEinstellungen;
class AnbieterSeite;
class AnmeldeFormular;
class DefaultsStore;
class Konto;
class LoginModel;
class SetupModel;

// The first-run setup in four steps: the interface language (the texts switch at once),
// the permissions, the speech and language providers (forward reads "Skip" while none is
// set up), the service and the account. Back from step 1 on; forward reads "Continue" and
// on the last step "Get started", which finishes the setup and closes the window.
class SetupFenster final : public QWidget {
    Q_OBJECT

public:
    SetupFenster(SetupModel& model, LoginModel& login, Konto& konto,
                 AnbieterEinstellungen& anbieter, DefaultsStore& speicher,
                 BackendKarte::FrageNeustart frageNeustart = {}, QWidget* eltern = nullptr);

    QPushButton* zurueck() const { return zurueck_; }
    QPushButton* weiter() const { return weiter_; }
    // The language buttons of step 0, in the order of the languages.
    QList<QPushButton*> sprachKnoepfe() const { return sprachKnoepfe_; }
    AnmeldeFormular* formular() const { return formular_; }
    BackendKarte* dienst() const { return dienst_; }
    AnbieterSeite* anbieterSeite() const { return anbieterSeite_; }

private:
    class Schritte;

    // Builds the pages in the current interface language.
    void baue();
    // A step's page: heading, explanation, content.
    QWidget* seite(const QString& titelKey, const QString& textKey, QWidget* inhalt);
    QWidget* sprachwahl(const QString& aktuell);
    // The account step's explanation for the service stored now.
    QString kontoTextKey() const;
    void zeigeSchritt();

    SetupModel& model_;
    LoginModel& login_;
    Konto& konto_;
    AnbieterEinstellungen& anbieter_;
    DefaultsStore& speicher_;
    BackendKarte::FrageNeustart frageNeustart_;
    Schritte* schritte_;
    QStackedWidget* seiten_;
    QPushButton* zurueck_;
    QPushButton* weiter_;
    QList<QPushButton*> sprachKnoepfe_;
    AnmeldeFormular* formular_ = nullptr;
    BackendKarte* dienst_ = nullptr;
    AnbieterSeite* anbieterSeite_ = nullptr;
    QLabel* kontoText_ = nullptr;
};

} // namespace parlix
