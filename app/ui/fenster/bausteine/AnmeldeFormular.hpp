#pragma once

#include "app/ui/Texte.hpp"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlix {

class Konto;
class LoginModel;

// The account form of the sign-in window and of the setup's last step. Signed out it
// signs in, registers (and then signs in) or, where allowed, resets the password by an
// e-mailed code; signed in it shows the address and a sign-out button. Outcomes and
// errors appear below the buttons.
class AnmeldeFormular final : public QWidget {
    Q_OBJECT

public:
    enum class Modus { anmelden, registrieren, zuruecksetzen };

    AnmeldeFormular(LoginModel& model, Konto& konto, const Texte& texte, bool mitZuruecksetzen,
                    QWidget* eltern = nullptr);

    Modus modus() const { return modus_; }
    void setzeModus(Modus modus);

    QLineEdit* email() const { return email_; }
    QLineEdit* passwort() const { return passwort_; }
    QLineEdit* code() const { return code_; }
    QPushButton* absenden() const { return absenden_; }
    QPushButton* wechsel() const { return wechsel_; }
    QPushButton* vergessen() const { return vergessen_; }
    QLabel* meldung() const { return meldung_; }

private:
    QWidget* baueFormular();
    QWidget* baueAngemeldet();
    void zeige();
    void sende();
    void melde(const QString& text, bool fehler);

    LoginModel& model_;
    Konto& konto_;
    const Texte texte_;
    const bool mitZuruecksetzen_;
    Modus modus_ = Modus::anmelden;
    bool codeVerschickt_ = false;

    QWidget* formular_;
    QWidget* angemeldet_;
    QLabel* adresse_;
    QLineEdit* email_;
    QLabel* passwortLabel_;
    QLineEdit* passwort_;
    QLineEdit* code_;
    QWidget* passwortBlock_;
    QWidget* codeBlock_;
    QPushButton* absenden_;
    QPushButton* wechsel_;
    QPushButton* vergessen_;
    QLabel* meldung_;
};

} // namespace parlix
