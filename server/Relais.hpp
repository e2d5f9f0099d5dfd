#pragma once

#include "core/services/HttpAnfrage.hpp"
#include "server/Anbieter.hpp"
#include "server/Anfrage.hpp"
#include "server/ArbeiterGruppe.hpp"
#include "server/Behandler.hpp"

#include <QHash>
#include <QUrl>
#include <atomic>
#include <memory>
#include <optional>
#include <stop_token>
#include <variant>

namespace parlix {

class HttpTransport;

// Forwards the OpenAI-compatible calls to the upstream provider that "X-Backend"
// names, or else to the user's provider for the call's role with that provider's model,
// with the provider's key. The calls go out through one libcurl multi client that keeps
// its connections to each provider open for the next call and opens as many as the calls
// in flight need; each call waits for its answer on a thread of a pool sized to the cap on
// calls. A call whose client has gone is cancelled upstream. leiteWeiter is called on the
// server's thread; its answer comes on a thread of the pool.
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
    Antwort rufeAuf(const HttpAnfrage& anfrage, bool jsonErwartet, std::stop_token stop);

    QHash<QString, Upstream> upstreams_;
    Anbieter anbieter_;
    Grenzen grenzen_;
    std::atomic<int> laufend_{0};
    std::unique_ptr<HttpTransport> transport_;
    std::stop_source ende_;   // cancels the calls in flight when the relay goes
    ArbeiterGruppe wartende_; // last: ends first, while the transport still runs
};

} // namespace parlix
