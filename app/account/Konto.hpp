#pragma once

#include "core/account/AuthClient.hpp"
#include "core/concurrency/ArbeitsFaden.hpp"

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace parlix {

class MainQueue;

// The account state the sign-in screen and the settings window show. Lives on the
// main thread; the network calls run on a worker of its own and their results come
// back through the main queue, so the main thread never waits for the network.
class Konto final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool eingeloggt READ eingeloggt NOTIFY eingeloggtGeaendert)
    Q_PROPERTY(QString email READ email NOTIFY emailGeaendert)

public:
    // Receives nothing on success, else the error (AuthFehler, TransportFehler,
    // TokenNichtGespeichert).
    using Fertig = std::function<void(std::exception_ptr fehler)>;

    // Signed in from the start if a token is stored in `tokenDatei`.
    Konto(MainQueue& mainQueue, AuthClient client, QString tokenDatei, QObject* eltern = nullptr);
    // Cancels a call in flight and waits for it to end; its result is dropped.
    ~Konto() override;

    bool eingeloggt() const { return eingeloggt_; }
    QString email() const { return email_; }

    // Signs in and stores the token; the profile's e-mail is shown, or the typed one
    // when the profile cannot be had. An error changes nothing and goes to `fertig`; a
    // token that cannot be stored is one (TokenNichtGespeichert).
    void login(const QString& email, const QString& passwort, Fertig fertig);
    // Deletes the token and signs out at once.
    void logout();
    // At start: with a stored token, refreshes the e-mail from the profile. A failure
    // (offline, token refused) leaves the user signed in. `fertig`, if set, runs on the
    // main queue once this is over (without a token: at once, through the queue); it is
    // dropped when the account object is gone by then.
    void starte(std::function<void()> fertig = {});

signals:
    void eingeloggtGeaendert(bool eingeloggt);
    void emailGeaendert(const QString& email);

private:
    void setze(bool eingeloggt, const QString& email);

    MainQueue& mainQueue_;
    AuthClient client_;
    QString tokenDatei_;
    bool eingeloggt_;
    QString email_;
    ArbeitsFaden arbeiter_; // last: stops before the members it uses
};

} // namespace parlix
