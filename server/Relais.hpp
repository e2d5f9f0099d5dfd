#pragma once

#include "server/Anbieter.hpp"
#include "server/Anfrage.hpp"
#include "server/Behandler.hpp"

#include <QHash>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;

namespace parlix {

// Forwards the OpenAI-compatible calls to the upstream provider that "X-Backend"
// names, or else to the user's provider for the call's role with that provider's model,
// with the provider's key, through one network stack shared by all calls. A call whose
// client has gone is cancelled upstream. Used on the server's thread only.
class Relais {
public:
    struct Upstream {
        QUrl basis; // e.g. https://api.groq.com/openai/v1
        QByteArray schluessel;
    };
    struct Grenzen {
        int maxGleichzeitig = 64;                 // calls in flight; more get 503
        qint64 maxAntwortBytes = 4 * 1024 * 1024; // a longer upstream answer becomes 502
        int fristMs = 120000;                     // without progress, upstream is given up
    };

    // From PARLIX_UPSTREAM_GROQ_URL / _KEY and PARLIX_UPSTREAM_MISTRAL_URL / _KEY.
    static QHash<QString, Upstream> ausUmgebung();

    Relais(QHash<QString, Upstream> upstreams, Grenzen grenzen);
    ~Relais();

    // Takes effect with the next call; calls in flight finish where they went.
    void setzeAnbieter(Anbieter anbieter) { anbieter_ = std::move(anbieter); }

    // `unterpfad`: "audio/transcriptions" or "chat/completions".
    void leiteWeiter(const Anfrage& anfrage, const QString& unterpfad,
                     Behandler::Antworter antworte);

private:
    QNetworkAccessManager& netz();

    QHash<QString, Upstream> upstreams_;
    Anbieter anbieter_;
    Grenzen grenzen_;
    int laufend_ = 0;
    std::unique_ptr<QNetworkAccessManager> netz_; // made on the server's thread
};

} // namespace parlix
