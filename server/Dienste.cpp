#include "server/Dienste.hpp"

#include "server/DatenbankFehler.hpp"
#include "server/StreamTranskription.hpp"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QWebSocket>
#include <sodium.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString relaisPraefix = u"/openai/v1/"_s;
// Device ids are 64 hexadecimal characters; anything much longer is not one.
constexpr qsizetype maxGeraeteId = 128;
// Keys the free allowance remembers at most (each costs some 100 bytes).
constexpr qsizetype maxFreieSchluessel = 100000;

Antwort zuVieleFreieAufrufe(qint64 wartenMs) {
    Antwort antwort = Antwort::fehler(
        429, u"Das freie Kontingent dieses Geräts ist aufgebraucht. Bitte anmelden oder später "
             "erneut versuchen."_s);
    antwort.kopfzeilen.append({"Retry-After", QByteArray::number((wartenMs + 999) / 1000)});
    return antwort;
}

} // namespace

Dienste::Dienste(Einrichtung einrichtung)
    : konten_(einrichtung.datenbank, std::move(einrichtung.codeVersand), einrichtung.konten)
    , relais_(std::move(einrichtung.upstreams), einrichtung.relais)
    , version_(einrichtung.version)
    , archiv_(einrichtung.archiv)
    , lokalGeheimnis_(einrichtung.lokalGeheimnis)
    , frei_(einrichtung.freiProGeraet.anzahl > 0 && einrichtung.freiProKunde.anzahl > 0)
    , freiProGeraet_(einrichtung.freiProGeraet)
    , freiProKunde_(einrichtung.freiProKunde)
    , geraete_(einrichtung.freiProGeraet, maxFreieSchluessel)
    , kunden_(einrichtung.freiProKunde, maxFreieSchluessel) {
    relais_.setzeAnbieter(std::move(einrichtung.anbieter));
}

void Dienste::behandle(const Anfrage& anfrage, Antworter antworte) {
    if (std::optional<Antwort> fremd = verweigereFremde(anfrage)) {
        antworte(*fremd);
        return;
    }
    const QString& pfad = anfrage.pfad;
    const bool post = anfrage.methode == "POST";
    if (pfad.startsWith(u"/auth/"_s)) {
        konto(anfrage, std::move(antworte));
    } else if (pfad == u"/version"_s && anfrage.methode == "GET") {
        antworte(Antwort::json(200, {{u"version"_s, version_}}));
    } else if (pfad == u"/download/parlix.zip"_s && anfrage.methode == "GET") {
        antworte(archiv());
    } else if (post && (pfad == relaisPraefix + u"audio/transcriptions"_s ||
                        pfad == relaisPraefix + u"chat/completions"_s)) {
        if (std::optional<Antwort> nein = verweigereWeiterleitung(anfrage)) {
            antworte(*nein);
        } else {
            relais_.leiteWeiter(anfrage, pfad.mid(relaisPraefix.size()), std::move(antworte));
        }
    } else {
        antworte(Antwort::fehler(404, u"Unbekannter Pfad oder falsche Methode."_s));
    }
}

void Dienste::konto(const Anfrage& anfrage, Antworter antworte) {
    if (anfrage.pfad == u"/auth/me"_s && anfrage.methode == "GET") {
        antworte(konten_.profil(anfrage.kopf("Authorization")));
        return;
    }
    if (anfrage.pfad == u"/auth/logout"_s && anfrage.methode == "POST") {
        konten_.abmelden(anfrage.kopf("Authorization"), std::move(antworte));
        return;
    }
    const QJsonDocument dokument = QJsonDocument::fromJson(anfrage.koerper);
    if (anfrage.methode != "POST" || !dokument.isObject()) {
        antworte(Antwort::fehler(400, u"Erwartet: POST mit einem JSON-Objekt."_s));
        return;
    }
    const QJsonObject koerper = dokument.object();
    const QString& kunde = anfrage.kunde;
    if (anfrage.pfad == u"/auth/register"_s) {
        konten_.registriere(koerper, kunde, std::move(antworte));
    } else if (anfrage.pfad == u"/auth/login"_s) {
        konten_.login(koerper, kunde, std::move(antworte));
    } else if (anfrage.pfad == u"/auth/reset-request"_s) {
        konten_.resetAnfordern(koerper, kunde, std::move(antworte));
    } else if (anfrage.pfad == u"/auth/reset-confirm"_s) {
        konten_.resetBestaetigen(koerper, kunde, std::move(antworte));
    } else {
        antworte(Antwort::fehler(404, u"Unbekannter Pfad."_s));
    }
}

Antwort Dienste::archiv() const {
    QFile datei(archiv_);
    if (archiv_.isEmpty() || !datei.open(QIODevice::ReadOnly)) {
        return Antwort::fehler(404, u"Kein Update-Archiv vorhanden."_s);
    }
    return Antwort::text(200, datei.readAll(), "application/zip");
}

std::optional<Antwort> Dienste::verweigereFremde(const Anfrage& anfrage) const {
    if (lokalGeheimnis_.isEmpty()) {
        return std::nullopt;
    }
    const QByteArray gezeigt = anfrage.kopf("X-Parlix-Lokal");
    // In constant time, so that the answer's timing tells nothing about the secret.
    if (gezeigt.size() == lokalGeheimnis_.size() &&
        sodium_memcmp(gezeigt.constData(), lokalGeheimnis_.constData(),
                      static_cast<size_t>(gezeigt.size())) == 0) {
        return std::nullopt;
    }
    return Antwort::json(401, {{u"detail"_s, u"This server answers only its own user."_s},
                               {u"grund"_s, u"lokalGeheimnis"_s}});
}

std::optional<Antwort> Dienste::verweigereWeiterleitung(const Anfrage& anfrage) {
    if (!lokalGeheimnis_.isEmpty()) {
        return std::nullopt; // the user's own providers: neither a token nor a limit
    }
    const QByteArray authorization = anfrage.kopf("Authorization");
    if (!authorization.isEmpty() && !konten_.emailZu(authorization).isEmpty()) {
        return std::nullopt;
    }
    const QByteArray geraet = anfrage.kopf("X-Device-Id");
    if (!frei_ || geraet.isEmpty() || geraet.size() > maxGeraeteId) {
        return Antwort::fehler(401, frei_ ? u"Nicht angemeldet und keine Geräte-ID."_s
                                          : u"Bitte anmelden."_s);
    }
    if (const std::optional<qint64> warten =
            zaehleFrei(QString::fromLatin1(geraet), anfrage.kunde)) {
        return zuVieleFreieAufrufe(*warten);
    }
    return std::nullopt;
}

std::optional<qint64> Dienste::zaehleFrei(const QString& geraet, const QString& kunde) {
    if (konten_.geteilt()) {
        try {
            return konten_.zaehleGeteilt(
                {{u"frei:g:"_s + geraet, freiProGeraet_}, {u"frei:k:"_s + kunde, freiProKunde_}});
        } catch (const DatenbankFehler& fehler) {
            qWarning("FEHLER: Freies Kontingent nur in diesem Prozess gezählt: %s", fehler.what());
        }
    }
    const qint64 jetzt = QDateTime::currentMSecsSinceEpoch();
    std::optional<qint64> warten = geraete_.zaehle(geraet, jetzt);
    if (const std::optional<qint64> proKunde = kunden_.zaehle(kunde, jetzt)) {
        warten = std::max(warten.value_or(0), *proKunde);
    }
    return warten;
}

std::optional<Antwort> Dienste::verweigereStream(const Anfrage& handshake) {
    if (std::optional<Antwort> fremd = verweigereFremde(handshake)) {
        return fremd;
    }
    return verweigereWeiterleitung(handshake);
}

void Dienste::neuerStream(const Anfrage&, QWebSocket& socket) {
    new StreamTranskription(socket, relais_);
}

} // namespace parlix
