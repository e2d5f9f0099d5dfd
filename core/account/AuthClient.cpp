#include "core/account/AuthClient.hpp"

#include "core/account/AuthFehler.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/services/UrlPfad.hpp"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QJsonObject objektAus(const QByteArray& koerper) {
    return QJsonDocument::fromJson(koerper).object();
}

// Sends; an answer that is not HTTP becomes AuthFehler::netzwerk.
HttpAntwort sende(HttpTransport& session, const HttpAnfrage& anfrage, std::stop_token stop) {
    try {
        return session.fuehreAus(anfrage, stop);
    } catch (const TransportFehler& fehler) {
        if (fehler.art() == TransportFehler::Art::keinHttp) {
            throw AuthFehler::netzwerk();
        }
        throw;
    }
}

} // namespace

QUrl AuthClient::proxyBasis() {
    return backendWurzel();
}

AuthClient::AuthClient(QUrl basis)
    : AuthClient(std::move(basis), HttpTransport::geteilt()) {}

AuthClient::AuthClient(QUrl basis, HttpTransport& session)
    : basis_(std::move(basis))
    , session_(session) {}

void AuthClient::registriere(const QString& email, const QString& passwort,
                             std::stop_token stop) const {
    post(u"auth/register"_s, {{u"email"_s, email}, {u"passwort"_s, passwort}}, std::nullopt, stop);
}

QString AuthClient::login(const QString& email, const QString& passwort,
                          const std::optional<QString>& geraeteID, std::stop_token stop) const {
    return tokenAus(
        post(u"auth/login"_s, {{u"email"_s, email}, {u"passwort"_s, passwort}}, geraeteID, stop));
}

void AuthClient::resetAnfordern(const QString& email, std::stop_token stop) const {
    post(u"auth/reset-request"_s, {{u"email"_s, email}}, std::nullopt, stop);
}

void AuthClient::resetBestaetigen(const QString& email, const QString& code,
                                  const QString& passwort, std::stop_token stop) const {
    post(u"auth/reset-confirm"_s,
         {{u"email"_s, email}, {u"code"_s, code}, {u"passwort"_s, passwort}}, std::nullopt, stop);
}

AuthClient::Profil AuthClient::profil(const QString& token, std::stop_token stop) const {
    HttpAnfrage anfrage;
    anfrage.url = mitPfad(basis(), u"auth/me"_s);
    anfrage.setzeKopf("Authorization", "Bearer " + token.toUtf8());
    try {
        const HttpAntwort antwort = sende(session_, anfrage, stop);
        return profilAus(antwort.status, antwort.koerper);
    } catch (const AuthFehler&) {
        throw AuthFehler::ungueltig(u"Profil"_s);
    }
}

QUrl AuthClient::basis() const {
    return basis_.isEmpty() ? backendWurzel() : basis_;
}

QJsonObject AuthClient::post(const QString& pfad, const QJsonObject& koerper,
                             const std::optional<QString>& geraeteID, std::stop_token stop) const {
    HttpAnfrage anfrage;
    anfrage.methode = "POST";
    anfrage.url = mitPfad(basis(), pfad);
    anfrage.setzeKopf("Content-Type", "application/json");
    if (geraeteID && !geraeteID->isEmpty()) {
        anfrage.setzeKopf("X-Device-Id", geraeteID->toUtf8());
    }
    anfrage.koerper = QJsonDocument(koerper).toJson(QJsonDocument::Compact);
    const HttpAntwort antwort = sende(session_, anfrage, stop);
    return postErgebnis(antwort.status, antwort.koerper);
}

QJsonObject AuthClient::postErgebnis(int status, const QByteArray& koerper) {
    const QJsonObject objekt = objektAus(koerper);
    if (status >= 200 && status <= 299) {
        return objekt;
    }
    // A blank "detail" would leave the user with an empty message; the status says more.
    const QString detail = objekt.value(u"detail"_s).toString();
    throw AuthFehler::ungueltig(!detail.trimmed().isEmpty() ? detail : u"Fehler %1"_s.arg(status),
                                status);
}

QString AuthClient::tokenAus(const QJsonObject& antwort) {
    const QJsonValue token = antwort.value(u"token"_s);
    if (!token.isString()) {
        throw AuthFehler::ungueltig(u"kein Token"_s);
    }
    return token.toString();
}

AuthClient::Profil AuthClient::profilAus(int status, const QByteArray& koerper) {
    const QJsonValue email = objektAus(koerper).value(u"email"_s);
    if (status != 200 || !email.isString()) {
        throw AuthFehler::ungueltig(u"Profil"_s);
    }
    return {email.toString()};
}

} // namespace parlix
