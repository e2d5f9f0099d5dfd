#pragma once

#include <QJsonObject>
#include <QUrl>
#include <optional>
#include <stop_token>

namespace parlix {

class HttpTransport;
struct HttpAnfrage;

// The account endpoints of the backend: registration, sign-in, password reset and the
// profile. Calls block; they throw AuthFehler, or the transport's TransportFehler
// unchanged.
class AuthClient {
public:
    struct Profil {
        QString email;
    };

    // The backend root of this process (see backendWurzel()).
    static QUrl proxyBasis();

    // An empty `basis` follows the process's backend root at every call, so that a
    // client made before the local server listens, or kept across its restart, still
    // reaches it.
    explicit AuthClient(QUrl basis);
    AuthClient(QUrl basis, HttpTransport& session);

    void registriere(const QString& email, const QString& passwort,
                     std::stop_token stop = {}) const;
    // The token. `geraeteID` is sent as "X-Device-Id" when given and non-empty.
    QString login(const QString& email, const QString& passwort,
                  const std::optional<QString>& geraeteID, std::stop_token stop = {}) const;
    void resetAnfordern(const QString& email, std::stop_token stop = {}) const;
    void resetBestaetigen(const QString& email, const QString& code, const QString& passwort,
                          std::stop_token stop = {}) const;
    Profil profil(const QString& token, std::stop_token stop = {}) const;

    // How answers are read, apart from the network.
    // A POST answer: its JSON object (empty if the body is none) for a 2xx status;
    // otherwise ungueltig with the string "detail" (unless blank), else "Fehler <status>".
    static QJsonObject postErgebnis(int status, const QByteArray& koerper);
    // The string "token" of a login answer, else ungueltig("kein Token").
    static QString tokenAus(const QJsonObject& antwort);
    // A profile answer: only status 200 with a string "email", else ungueltig("Profil").
    static Profil profilAus(int status, const QByteArray& koerper);

private:
    QUrl basis() const;
    QJsonObject post(const QString& pfad, const QJsonObject& koerper,
                     const std::optional<QString>& geraeteID, std::stop_token stop) const;

    QUrl basis_;
    HttpTransport& session_;
};

} // namespace parlix
