#include "core/services/GroqVerbindung.hpp"

#include "core/services/GroqFehler.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/services/TransportFehler.hpp"
#include "core/services/UrlPfad.hpp"

#include <QStringDecoder>

namespace parlix {

GroqVerbindung::GroqVerbindung(GroqKonfiguration konfig)
    : GroqVerbindung(std::move(konfig), HttpTransport::geteilt()) {}

GroqVerbindung::GroqVerbindung(GroqKonfiguration konfig, HttpTransport& session)
    : konfig_(std::move(konfig))
    , session_(session) {}

HttpAnfrage GroqVerbindung::request(const QString& pfad, const QByteArray& methode) const {
    const bool mitGeraet = konfig_.geraeteID.has_value() && !konfig_.geraeteID->isEmpty();
    if (konfig_.apiKey.isEmpty() && !mitGeraet) {
        throw GroqFehler::keinKey();
    }
    HttpAnfrage anfrage;
    anfrage.url = mitPfad(konfig_.baseURL, pfad);
    anfrage.methode = methode;
    anfrage.zeitlimit = std::chrono::seconds(60);
    if (!konfig_.apiKey.isEmpty()) {
        anfrage.setzeKopf("Authorization", "Bearer " + konfig_.apiKey.toUtf8());
    }
    if (mitGeraet) {
        anfrage.setzeKopf("X-Device-Id", konfig_.geraeteID->toUtf8());
    }
    anfrage.setzeKopf("X-Backend", konfig_.backend.toUtf8());
    return anfrage;
}

QByteArray GroqVerbindung::sende(const HttpAnfrage& anfrage, std::stop_token stop) const {
    HttpAntwort antwort;
    try {
        antwort = session_.fuehreAus(anfrage, stop);
    } catch (const TransportFehler& fehler) {
        if (fehler.art() == TransportFehler::Art::keinHttp) {
            throw GroqFehler::ungueltigeAntwort();
        }
        throw;
    }
    if (antwort.status < 200 || antwort.status > 299) {
        throw GroqFehler::http(antwort.status, fehlerText(antwort.koerper), antwort.koerper);
    }
    return antwort.koerper;
}

QString GroqVerbindung::fehlerText(const QByteArray& koerper) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(koerper.left(300));
    return utf8.hasError() ? QString() : text;
}

} // namespace parlix
