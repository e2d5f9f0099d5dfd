#include "server/Dienste.hpp"

#include <QFile>
#include <QJsonDocument>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString relaisPraefix = u"/openai/v1/"_s;

} // namespace

Dienste::Dienste(Einrichtung einrichtung)
    : konten_(einrichtung.kontenDatei, std::move(einrichtung.codeVersand))
    , relais_(std::move(einrichtung.upstreams))
    , version_(einrichtung.version)
    , archiv_(einrichtung.archiv) {}

void Dienste::behandle(const Anfrage& anfrage, Antworter antworte) {
    const QString& pfad = anfrage.pfad;
    const bool post = anfrage.methode == "POST";
    if (pfad.startsWith(u"/auth/"_s)) {
        antworte(konto(anfrage));
    } else if (pfad == u"/version"_s && anfrage.methode == "GET") {
        antworte(Antwort::json(200, {{u"version"_s, version_}}));
    } else if (pfad == u"/download/parlix.zip"_s && anfrage.methode == "GET") {
        antworte(archiv());
    } else if (post && (pfad == relaisPraefix + u"audio/transcriptions"_s ||
                        pfad == relaisPraefix + u"chat/completions"_s)) {
        if (darfWeiterleiten(anfrage)) {
            relais_.leiteWeiter(anfrage, pfad.mid(relaisPraefix.size()), std::move(antworte));
        } else {
            antworte(Antwort::fehler(401, u"Nicht angemeldet und keine Geräte-ID."_s));
        }
    } else {
        antworte(Antwort::fehler(404, u"Unbekannter Pfad oder falsche Methode."_s));
    }
}

Antwort Dienste::konto(const Anfrage& anfrage) {
    if (anfrage.pfad == u"/auth/me"_s && anfrage.methode == "GET") {
        return konten_.profil(anfrage.kopf("Authorization"));
    }
    const QJsonDocument dokument = QJsonDocument::fromJson(anfrage.koerper);
    if (anfrage.methode != "POST" || !dokument.isObject()) {
        return Antwort::fehler(400, u"Erwartet: POST mit einem JSON-Objekt."_s);
    }
    const QJsonObject koerper = dokument.object();
    if (anfrage.pfad == u"/auth/register"_s) {
        return konten_.registriere(koerper);
    }
    if (anfrage.pfad == u"/auth/login"_s) {
        return konten_.login(koerper);
    }
    if (anfrage.pfad == u"/auth/reset-request"_s) {
        return konten_.resetAnfordern(koerper);
    }
    if (anfrage.pfad == u"/auth/reset-confirm"_s) {
        return konten_.resetBestaetigen(koerper);
    }
    return Antwort::fehler(404, u"Unbekannter Pfad."_s);
}

Antwort Dienste::archiv() const {
    QFile datei(archiv_);
    if (archiv_.isEmpty() || !datei.open(QIODevice::ReadOnly)) {
        return Antwort::fehler(404, u"Kein Update-Archiv vorhanden."_s);
    }
    return Antwort::text(200, datei.readAll(), "application/zip");
}

bool Dienste::darfWeiterleiten(const Anfrage& anfrage) const {
    return !anfrage.kopf("X-Device-Id").isEmpty() ||
           !konten_.emailZu(anfrage.kopf("Authorization")).isEmpty();
}

void Dienste::neuerStream(const Anfrage&, QWebSocket& socket) {
    QObject::connect(
        &socket, &QWebSocket::textMessageReceived, &socket, [&socket](const QString& text) {
            if (text == u"END"_s) {
                socket.sendTextMessage(u"{\"error\":\"Kein Stream-Anbieter eingerichtet.\"}"_s);
            }
        });
}

} // namespace parlix
