#pragma once

#include "server/Anfrage.hpp"
#include "server/Antwort.hpp"

#include <functional>
#include <optional>

class QWebSocket;

namespace parlix {

// Decides what the server answers. Called on the server's thread.
class Behandler {
public:
    // May be called from any thread; the answer finds its way back to the server's
    // thread, or is dropped when the client has gone.
    using Antworter = std::function<void(const Antwort&)>;

    virtual ~Behandler() = default;

    // Calls `antworte` exactly once, at once or later.
    virtual void behandle(const Anfrage& anfrage, Antworter antworte) = 0;
    // Asked before a WebSocket upgrade is accepted: an answer refuses the upgrade and is
    // sent at once (its delay is ignored) before the connection is closed. Nothing
    // accepts it.
    virtual std::optional<Antwort> verweigereStream(const Anfrage&) { return std::nullopt; }
    // A WebSocket opened on "/eu/stream"; `handshake` is the upgrade request. The server
    // owns the socket and deletes it once it is disconnected.
    virtual void neuerStream(const Anfrage& handshake, QWebSocket& socket) = 0;
};

} // namespace parlix
