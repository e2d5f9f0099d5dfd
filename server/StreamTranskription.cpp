#include "server/StreamTranskription.hpp"

#include "core/audio/AudioAnalyse.hpp"
#include "core/audio/WAVKodierer.hpp"
#include "core/services/GroqTranskription.hpp"
#include "server/Relais.hpp"
#include "server/Rueckweg.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr quint32 sampleRate = 16000;
// Quieter chunks are pauses and bring no new words.
constexpr double sprachRMS = 0.006;

// The transcript of a successful answer: plain text as asked for, or the "text" of a
// provider that answers JSON anyway.
std::optional<QString> transkriptAus(const Antwort& antwort) {
    if (antwort.status < 200 || antwort.status >= 300) {
        return std::nullopt;
    }
    return QString::fromUtf8(antwort.koerper).trimmed(); // the relay answers plain text
}

QByteArray nachricht(const QString& name, const QJsonValue& wert) {
    return QJsonDocument(QJsonObject{{name, wert}}).toJson(QJsonDocument::Compact);
}

} // namespace

StreamTranskription::StreamTranskription(QWebSocket& socket, Relais& relais)
    : QObject(&socket)
    , socket_(socket)
    , relais_(relais)
    , rueckweg_(std::make_shared<Rueckweg>(this)) {
    connect(&socket, &QWebSocket::binaryMessageReceived, this, &StreamTranskription::empfange);
    connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
        if (text == u"END"_s && !endeEmpfangen_) {
            endeEmpfangen_ = true;
            ende();
        }
    });
}

StreamTranskription::~StreamTranskription() {
    rueckweg_->trenne();
}

void StreamTranskription::empfange(const QByteArray& chunk) {
    if (endeEmpfangen_) {
        return;
    }
    pcm_ += chunk;
    if (AudioAnalyse::hatSprache(chunk, sampleRate, 0.0, sprachRMS)) {
        neueSprache_ += chunk.size();
    }
    if (!laeuft_ && !zwischenAus_ && neueSprache_ >= taktBytes) {
        rufeAuf();
    }
}

void StreamTranskription::ende() {
    if (laeuft_) {
        return; // the call in flight decides what comes next
    }
    if (abgedeckt_ == pcm_.size()) {
        schliesse(nachricht(u"final"_s, transkript_));
    } else {
        rufeAuf();
    }
}

void StreamTranskription::rufeAuf() {
    laeuft_ = true;
    neueSprache_ = 0;
    const qsizetype laenge = pcm_.size();
    Anfrage anfrage;
    anfrage.methode = "POST";
    anfrage.kopfzeilen = {
        {"Content-Type", "multipart/form-data; boundary=" + GroqTranskription::grenze.toUtf8()},
        // The stream serves the data-protection mode: of the providers from the
        // environment only the EU one may hear it.
        {"X-Backend", "mistral"}};
    anfrage.koerper = GroqTranskription::baueMultipart(WAVKodierer::wav(pcm_, sampleRate, 1),
                                                       u"voxtral-mini-latest"_s, {}, {},
                                                       GroqTranskription::grenze);
    anfrage.verbindung = this;
    relais_.leiteWeiter(anfrage, u"audio/transcriptions"_s,
                        [this, rueckweg = rueckweg_, laenge](const Antwort& antwort) {
                            rueckweg->poste(
                                [this, antwort, laenge] { angekommen(antwort, laenge); });
                        });
}

void StreamTranskription::angekommen(const Antwort& antwort, qsizetype abgedeckt) {
    laeuft_ = false;
    if (fertig_) {
        return;
    }
    const std::optional<QString> transkript = transkriptAus(antwort);
    if (!transkript) {
        zwischenAus_ = true;
        if (endeEmpfangen_ && abgedeckt < pcm_.size()) {
            rufeAuf(); // the whole recording deserves one try of its own
        } else if (endeEmpfangen_) {
            const QJsonDocument grund = QJsonDocument::fromJson(antwort.koerper);
            schliesse(nachricht(u"error"_s, grund.isObject() ? QJsonValue(grund.object())
                                                             : QJsonValue(antwort.status)));
        }
        return;
    }
    abgedeckt_ = abgedeckt;
    transkript_ = *transkript;
    if (endeEmpfangen_) {
        ende();
        return;
    }
    sendeNeueWorte(transkript_);
    if (neueSprache_ >= taktBytes) {
        rufeAuf();
    }
}

void StreamTranskription::sendeNeueWorte(const QString& transkript) {
    if (AudioAnalyse::istHalluzination(transkript)) {
        return;
    }
    const QStringList worte = transkript.split(u' ', Qt::SkipEmptyParts);
    const qsizetype sicher = worte.size() - 1;
    if (sicher <= gesendeteWorte_) {
        return;
    }
    const QString neu = worte.mid(gesendeteWorte_, sicher - gesendeteWorte_).join(u' ');
    socket_.sendTextMessage(
        QString::fromUtf8(nachricht(u"delta"_s, gesendeteWorte_ > 0 ? u' ' + neu : neu)));
    gesendeteWorte_ = sicher;
}

void StreamTranskription::schliesse(const QByteArray& text) {
    fertig_ = true;
    socket_.sendTextMessage(QString::fromUtf8(text));
    socket_.close();
}

} // namespace parlix
