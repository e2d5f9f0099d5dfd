#pragma once

#include "core/services/HttpAnfrage.hpp"
#include "server/Anbieter.hpp"
#include "server/Anfrage.hpp"
#include "server/Behandler.hpp"

#include <QHash>
#include <QUrl>
#include <atomic>
#include <memory>
#include <variant>

namespace parlix {

class CurlTransfer;
class HttpTransport;

// Forwards the OpenAI-compatible calls to the upstream provider that "X-Backend"
// names, or else to the user's provider for the call's role with that provider's model,
// with the provider's key. The calls go out through one libcurl multi client that keeps
// its connections to each provider open for the next call and opens as many as the calls
// in flight need. No thread waits for a provider: the client's answer is made on the
// transport's thread as the provider's comes in, and a chat answer is passed on piece by
// piece while it arrives (RelaisRuf). A call whose client has gone is cancelled upstream.
// leiteWeiter is called on the server's thread; its answer comes on the transport's thread and must
// be handed on without blocking.
class Relais {
public:
    struct Upstream {
        QUrl basis; // e.g. https://api.groq.com/openai/v1
        QByteArray schluessel;
    };
    struct Grenzen {
        int maxGleichzeitig = 64;                 // calls in flight; more get 503
        qint64 maxAntwortBytes = 4 * 1024 * 1024; // a longer upstream answer becomes 502
        int fristMs = 120000;                     // an upstream call is given up after that
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
    // The call to the provider that answers the request, or the answer when none is set up.
    std::variant<HttpAnfrage, Antwort> upstreamAnfrage(const Anfrage& anfrage,
                                                       const QString& unterpfad) const;

    QHash<QString, Upstream> upstreams_;
    Anbieter anbieter_;
    Grenzen grenzen_;
    // Shared with the calls in flight, which may end after the relay (as cancelled).
    std::shared_ptr<std::atomic<int>> laufend_ = std::make_shared<std::atomic<int>>(0);
    // Shared with the clients' connections, which cancel their call when they close.
    std::shared_ptr<HttpTransport> transport_;
};

} // namespace parlix
