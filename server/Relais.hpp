#pragma once

#include "server/Anfrage.hpp"
#include "server/Behandler.hpp"

#include <QHash>
#include <QUrl>

namespace parlix {

// Forwards the OpenAI-compatible calls to the upstream provider that "X-Backend"
// names, with the provider's key. Without a configured upstream it answers 503.
// Used on the server's thread only.
class Relais {
public:
    struct Upstream {
        QUrl basis; // e.g. https://api.groq.com/openai/v1
        QByteArray schluessel;
    };

    // From PARLIX_UPSTREAM_GROQ_URL / _KEY and PARLIX_UPSTREAM_MISTRAL_URL / _KEY.
    static QHash<QString, Upstream> ausUmgebung();

    explicit Relais(QHash<QString, Upstream> upstreams);

    // `unterpfad`: "audio/transcriptions" or "chat/completions".
    void leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                     Behandler::Antworter antworte) const;

private:
    QHash<QString, Upstream> upstreams_;
};

} // namespace parlix
