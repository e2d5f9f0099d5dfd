#pragma once

#include "server/Antwort.hpp"

#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <functional>

namespace parlix {

// The accounts of the reference server: registration, sign-in with bearer tokens and
// password reset by a six-digit code. Passwords are kept as salted PBKDF2 hashes.
// Without a file the accounts live in memory; with one they are saved at every change.
// Used on the server's thread only.
class KontenDienst {
public:
    // How a reset code reaches its owner; the reference server has no mail and prints it.
    using CodeVersand = std::function<void(const QString& email, const QString& code)>;

    KontenDienst(QString datei, CodeVersand versand);

    Antwort registriere(const QJsonObject& koerper);
    Antwort login(const QJsonObject& koerper);
    Antwort resetAnfordern(const QJsonObject& koerper);
    Antwort resetBestaetigen(const QJsonObject& koerper);
    // `authorization`: the header value, "Bearer <token>".
    Antwort profil(const QByteArray& authorization) const;
    // The account of a valid bearer token, or an empty text.
    QString emailZu(const QByteArray& authorization) const;

private:
    struct Konto {
        QByteArray salz;
        QByteArray hash;
        QStringList tokens;
        QString code;
        qint64 codeGueltigBis = 0; // ms since the epoch
    };

    void setzePasswort(Konto& konto, const QString& passwort) const;
    bool passtPasswort(const Konto& konto, const QString& passwort) const;
    void lade();
    void speichere() const;

    QString datei_;
    CodeVersand versand_;
    QHash<QString, Konto> konten_; // by lower-cased e-mail
};

} // namespace parlix
