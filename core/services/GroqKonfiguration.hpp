#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace parlix {

class DefaultsStore;

// Everything one service call needs to know: where to send it, how to authenticate it,
// which models and which upstream provider to ask. Built fresh for every call, so a new
// sign-in or a restarted local server applies to the next one (a recording's calls take
// the settings of the moment it stopped).
struct GroqKonfiguration {
    using Quelle = std::function<std::optional<QString>()>;

    QUrl baseURL;
    QString apiKey; // bearer token; empty when signed out
    std::optional<QString> geraeteID;
    QString sttModell;
    QString chatModell;
    QString backend; // "groq" or "mistral"

    // The settings `proxyURL` and `dsgvoModus`, the sign-in token and the device id.
    static GroqKonfiguration ausEinstellungen(DefaultsStore& speicher);
    // The same with the two settings given. Off the main thread this waits while the
    // local server starts (see backendWurzel).
    static GroqKonfiguration aus(const QString& proxyURL, bool dsgvo);

    // The backend's OpenAI-compatible API: the backend root with the path "/openai/v1".
    static QUrl proxyBasis();

    // Where the token and the device id come from. Both answer nothing until start-up
    // installs the real sources; installing and reading are safe from any thread.
    static Quelle tokenQuelle();
    static void setzeTokenQuelle(Quelle quelle);
    static Quelle geraeteIDQuelle();
    static void setzeGeraeteIDQuelle(Quelle quelle);
};

} // namespace parlix
