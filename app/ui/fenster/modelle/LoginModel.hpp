#pragma once

#include "core/account/AuthClient.hpp"
#include "core/concurrency/ArbeitsFaden.hpp"

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace parlix {

class DefaultsStore;
class Konto;
class MainQueue;

// The sign-in screen's operations: sign in, register (then sign in with the same data),
// ask for a reset code and set a new password with it. One at a time; the network work
// runs off the main thread and every outcome arrives on it as a message in the interface
// language. Main thread.
class LoginModel final : public QObject {
    Q_OBJECT

public:
    enum class Vorgang { anmelden, registrieren, codeAnfordern, passwortSetzen };

    LoginModel(Konto& konto, AuthClient client, MainQueue& mainQueue, DefaultsStore& speicher);
    ~LoginModel() override;

    bool beschaeftigt() const { return beschaeftigt_; }

    void meldeAn(const QString& email, const QString& passwort);
    void registriere(const QString& email, const QString& passwort);
    void fordereCodeAn(const QString& email);
    void setzePasswort(const QString& email, const QString& code, const QString& passwort);

    // The message for a failure of `vorgang`: a refusal the screen knows in the interface
    // language, another refusal in the server's words, a non-HTTP answer as
    // "login.netzfehler", anything else (no connection, timeout) as "login.fehler".
    QString fehlerText(std::exception_ptr fehler, Vorgang vorgang) const;

signals:
    void beschaeftigtGeaendert(bool beschaeftigt);
    // A text to show under the form; fehler tells an error from a confirmation.
    void meldung(const QString& text, bool fehler);
    void erledigt(parlix::LoginModel::Vorgang vorgang);

private:
    // Runs `arbeit` on the worker, then reports on the main thread.
    void starte(Vorgang vorgang, std::function<void(std::stop_token)> arbeit);
    void melde(Vorgang vorgang, std::exception_ptr fehler);
    // Whether an operation may start; complains about missing fields.
    bool pruefe(bool angabenVollstaendig);
    void setzeBeschaeftigt(bool beschaeftigt);
    QString text(const QString& key) const;

    Konto& konto_;
    AuthClient client_;
    MainQueue& mainQueue_;
    DefaultsStore& speicher_;
    bool beschaeftigt_ = false;
    ArbeitsFaden arbeiter_; // last: stops before the members it uses
};

} // namespace parlix
