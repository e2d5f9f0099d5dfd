#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <optional>

namespace parlix {

// The user's own providers, one per role, as the desktop program hands them over:
//     {"transkription": {"url", "schluessel", "modell"},
//      "sprache": {"url", "schluessel", "modell", "visionModell"}}
// A role without a usable "url" is not set up.
struct Anbieter {
    struct Rolle {
        QUrl basis;            // the OpenAI-compatible root, e.g. https://api.groq.com/openai/v1
        QByteArray schluessel; // may be empty: then no Authorization header is sent
        QString modell;        // replaces the model the client asked for; empty keeps it
        QString visionModell;  // for chat requests that carry an image
    };

    std::optional<Rolle> transkription;
    std::optional<Rolle> sprache;

    static Anbieter ausJson(const QJsonObject& objekt);
};

} // namespace parlix
