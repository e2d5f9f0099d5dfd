#include "core/services/GroqTranskription.hpp"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace parlix {

const QString GroqTranskription::grenze = u"parlixBoundary7f3a"_s;

namespace {

void feld(QByteArray& koerper, const QByteArray& trenner, const char* name, const QString& wert) {
    koerper += trenner;
    koerper += "Content-Disposition: form-data; name=\"";
    koerper += name;
    koerper += "\"\r\n\r\n";
    koerper += wert.toUtf8();
    koerper += "\r\n";
}

} // namespace

GroqTranskription::GroqTranskription(GroqVerbindung verbindung)
    : verbindung_(std::move(verbindung)) {}

QString GroqTranskription::transkribiere(const QByteArray& wav, const QString& sprache,
                                         const QString& vokabular, std::stop_token stop) const {
    HttpAnfrage anfrage = verbindung_.request(u"audio/transcriptions"_s, "POST");
    anfrage.setzeKopf("Content-Type", "multipart/form-data; boundary=" + grenze.toUtf8());
    anfrage.koerper =
        baueMultipart(wav, verbindung_.konfig().sttModell, sprache, vokabular, grenze);
    const QByteArray antwort = verbindung_.sende(anfrage, stop);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(antwort);
    return utf8.hasError() ? QString() : text.trimmed();
}

QByteArray GroqTranskription::baueMultipart(const QByteArray& wav, const QString& modell,
                                            const QString& sprache, const QString& prompt,
                                            const QString& grenze) {
    const QByteArray trenner = "--" + grenze.toUtf8() + "\r\n";
    QByteArray koerper;
    koerper.reserve(wav.size() + 1024);
    feld(koerper, trenner, "model", modell);
    if (!sprache.isEmpty()) {
        feld(koerper, trenner, "language", sprache);
    }
    if (!prompt.isEmpty()) {
        feld(koerper, trenner, "prompt", prompt);
    }
    feld(koerper, trenner, "response_format", u"text"_s);
    koerper += trenner;
    koerper += "Content-Disposition: form-data; name=\"file\"; filename=\"audio.wav\"\r\n";
    koerper += "Content-Type: audio/wav\r\n\r\n";
    koerper += wav;
    koerper += "\r\n--" + grenze.toUtf8() + "--\r\n";
    return koerper;
}

} // namespace parlix
