#include "core/services/GroqVision.hpp"

#include "core/services/GroqChat.hpp"
#include "core/services/GroqFehler.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix {

GroqVision::GroqVision(GroqVerbindung verbindung)
    : verbindung_(std::move(verbindung)) {}

QString GroqVision::frage(const QString& system, const QString& nutzer, const QByteArray& png,
                          std::stop_token stop) const {
    HttpAnfrage anfrage = verbindung_.request(u"chat/completions"_s, "POST");
    anfrage.setzeKopf("Content-Type", "application/json");
    anfrage.koerper = baueNutzlast(system, nutzer, png);
    QJsonParseError fehler{};
    const QJsonDocument antwort =
        QJsonDocument::fromJson(verbindung_.sende(anfrage, stop), &fehler);
    // Text that is no JSON at all is a failed call; JSON of another shape only an empty
    // answer.
    if (fehler.error != QJsonParseError::NoError) {
        throw GroqFehler::keinJson(fehler.errorString());
    }
    return GroqChat::inhalt(antwort);
}

QByteArray GroqVision::baueNutzlast(const QString& system, const QString& nutzer,
                                    const QByteArray& png) {
    // Base64 without line breaks, as a data URL must be.
    const QString bild = u"data:image/png;base64,"_s + QLatin1StringView(png.toBase64());
    const QJsonArray inhalt{
        QJsonObject{{u"type"_s, u"text"_s}, {u"text"_s, nutzer}},
        QJsonObject{{u"type"_s, u"image_url"_s}, {u"image_url"_s, bild}},
    };
    const QJsonObject nutzlast{
        {u"model"_s, u"x"_s},
        {u"temperature"_s, 0.2},
        {u"messages"_s, QJsonArray{QJsonObject{{u"role"_s, u"system"_s}, {u"content"_s, system}},
                                   QJsonObject{{u"role"_s, u"user"_s}, {u"content"_s, inhalt}}}},
    };
    return QJsonDocument(nutzlast).toJson(QJsonDocument::Compact);
}

} // namespace parlix
