#pragma once

#include "core/services/GroqVerbindung.hpp"

#include <QByteArray>

namespace parlix {

// One question about a screenshot to "chat/completions": a system prompt and a user
// message with the image, answered as text. The relay picks the vision-capable model,
// so the request names the model only as "x".
class GroqVision {
public:
    explicit GroqVision(GroqVerbindung verbindung);

    // The answer trimmed (empty when it is JSON not shaped as a chat completion). Throws
    // what GroqVerbindung throws, and GroqFehler::keinJson for an answer that is no JSON.
    QString frage(const QString& system, const QString& nutzer, const QByteArray& png,
                  std::stop_token stop = {}) const;

    // The JSON body: "model" "x", "temperature" 0.2 and the two messages; the user
    // message's content is its text and the image as a "data:image/png;base64," URL,
    // given as a plain string.
    static QByteArray baueNutzlast(const QString& system, const QString& nutzer,
                                   const QByteArray& png);

private:
    GroqVerbindung verbindung_;
};

} // namespace parlix
