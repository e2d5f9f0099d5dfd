#pragma once

#include "core/services/GroqVerbindung.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

namespace parlix {

// One system prompt and one user message to "chat/completions"; the answer as text.
class GroqChat {
public:
    explicit GroqChat(GroqVerbindung verbindung);

    // `modell` absent: the configured chat model. `reasoning` absent: the member
    // "reasoning_effort" is left out. Returns inhalt() of the answer; throws what
    // GroqVerbindung throws, and std::invalid_argument for a temperature that JSON
    // cannot carry (NaN, infinite).
    QString fuehreAus(const QString& system, const QString& nutzer,
                      const std::optional<QString>& modell, double temperatur,
                      const std::optional<QString>& reasoning, std::stop_token stop = {}) const;

    // The request object: "model", "stream" (false), "temperature", "messages" (system,
    // then user) and, when given, "reasoning_effort".
    static QJsonObject baueNutzlast(const QString& modell, const QString& system,
                                    const QString& nutzer, double temperatur,
                                    const std::optional<QString>& reasoning);

    // choices[0].message.content, trimmed; empty for anything that is not shaped so.
    static QString inhalt(const QByteArray& antwort);
    static QString inhalt(const QJsonDocument& antwort);

    // The user message of an action: the instruction, an empty line, "TEXT:" and the
    // context, untouched.
    static QString aktionsNutzer(const QString& befehl, const QString& kontext);

private:
    GroqVerbindung verbindung_;
};

} // namespace parlix
