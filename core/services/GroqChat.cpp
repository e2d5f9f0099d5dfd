#include "core/services/GroqChat.hpp"

#include <QJsonArray>
#include <cmath>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QJsonObject nachricht(const QString& rolle, const QString& inhalt) {
    return {{u"role"_s, rolle}, {u"content"_s, inhalt}};
}

// The first choice, if "choices" is an array made only of objects.
std::optional<QJsonObject> ersteWahl(const QJsonObject& antwort) {
    const QJsonValue wahlen = antwort.value(u"choices"_s);
    if (!wahlen.isArray()) {
        return std::nullopt;
    }
    const QJsonArray liste = wahlen.toArray();
    for (const QJsonValue& wahl : liste) {
        if (!wahl.isObject()) {
            return std::nullopt;
        }
    }
    return liste.isEmpty() ? std::nullopt : std::optional(liste.first().toObject());
}

} // namespace

GroqChat::GroqChat(GroqVerbindung verbindung)
    : verbindung_(std::move(verbindung)) {}

QString GroqChat::fuehreAus(const QString& system, const QString& nutzer,
                            const std::optional<QString>& modell, double temperatur,
                            const std::optional<QString>& reasoning, std::stop_token stop) const {
    const QString gewaehlt = modell.value_or(verbindung_.konfig().chatModell);
    HttpAnfrage anfrage = verbindung_.request(u"chat/completions"_s, "POST");
    anfrage.setzeKopf("Content-Type", "application/json");
    anfrage.koerper = QJsonDocument(baueNutzlast(gewaehlt, system, nutzer, temperatur, reasoning))
                          .toJson(QJsonDocument::Compact);
    return inhalt(verbindung_.sende(anfrage, stop));
}

QJsonObject GroqChat::baueNutzlast(const QString& modell, const QString& system,
                                   const QString& nutzer, double temperatur,
                                   const std::optional<QString>& reasoning) {
    // Qt would silently write such a number as null.
    if (!std::isfinite(temperatur)) {
        throw std::invalid_argument("temperature is not a finite number");
    }
    QJsonObject nutzlast{
        {u"model"_s, modell},
        {u"stream"_s, false},
        {u"temperature"_s, temperatur},
        {u"messages"_s, QJsonArray{nachricht(u"system"_s, system), nachricht(u"user"_s, nutzer)}},
    };
    if (reasoning) {
        nutzlast.insert(u"reasoning_effort"_s, *reasoning);
    }
    return nutzlast;
}

QString GroqChat::inhalt(const QByteArray& antwort) {
    return inhalt(QJsonDocument::fromJson(antwort));
}

QString GroqChat::inhalt(const QJsonDocument& dokument) {
    const std::optional<QJsonObject> wahl = ersteWahl(dokument.object());
    if (!dokument.isObject() || !wahl) {
        return {};
    }
    const QJsonValue nachricht = wahl->value(u"message"_s);
    const QJsonValue inhalt = nachricht.toObject().value(u"content"_s);
    return nachricht.isObject() && inhalt.isString() ? inhalt.toString().trimmed() : QString();
}

QString GroqChat::aktionsNutzer(const QString& befehl, const QString& kontext) {
    return u"ANWEISUNG: "_s + befehl + u"\n\nTEXT:\n"_s + kontext;
}

} // namespace parlix
