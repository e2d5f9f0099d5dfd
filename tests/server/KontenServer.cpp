#include "tests/server/KontenServer.hpp"

#include "core/services/HttpTransport.hpp"
#include "core/services/UrlPfad.hpp"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

Dienste::Einrichtung mitVersand(Dienste::Einrichtung einrichtung, const QString& datenbank,
                                std::mutex& sperre, std::condition_variable& neu,
                                QHash<QString, QString>& codes) {
    einrichtung.datenbank = Datenbank::ausAngabe(datenbank);
    einrichtung.codeVersand = [&sperre, &neu, &codes](const QString& email, const QString& code) {
        std::lock_guard lock(sperre);
        codes[email] = code;
        neu.notify_all();
    };
    return einrichtung;
}

} // namespace

KontenServer::KontenServer(const QString& datenbank, Dienste::Einrichtung einrichtung,
                           ServerGrenzen grenzen)
    : dienste_(mitVersand(std::move(einrichtung), datenbank, sperre_, neuerCode_, codes_))
    , faden_(dienste_, std::move(grenzen)) {}

Dienste::Einrichtung KontenServer::vorgabe() {
    Dienste::Einrichtung einrichtung;
    einrichtung.version = u"1.0.0"_s;
    einrichtung.konten.passwortKosten = Passwort::minimal();
    return einrichtung;
}

HttpAntwort KontenServer::sende(const QByteArray& methode, const QString& pfad,
                                const QJsonObject& koerper, const Kopfzeilen& kopfzeilen) const {
    HttpAnfrage anfrage;
    anfrage.methode = methode;
    anfrage.url = mitPfad(faden_.basis(), pfad);
    anfrage.kopfzeilen = kopfzeilen;
    if (methode == "POST") {
        anfrage.setzeKopf("Content-Type", "application/json");
        anfrage.koerper = QJsonDocument(koerper).toJson(QJsonDocument::Compact);
    }
    return HttpTransport::geteilt().fuehreAus(anfrage);
}

QString KontenServer::code(const QString& email) {
    std::unique_lock lock(sperre_);
    neuerCode_.wait_for(lock, std::chrono::seconds(5), [&] { return codes_.contains(email); });
    return codes_.take(email);
}

QString KontenServer::konto(const QString& email, const QString& passwort) {
    post(u"auth/register"_s, {{u"email"_s, email}, {u"passwort"_s, passwort}});
    return QJsonDocument::fromJson(
               post(u"auth/login"_s, {{u"email"_s, email}, {u"passwort"_s, passwort}}).koerper)
        .object()
        .value(u"token"_s)
        .toString();
}

QString detail(const HttpAntwort& antwort) {
    return QJsonDocument::fromJson(antwort.koerper).object().value(u"detail"_s).toString();
}

} // namespace parlix::test
