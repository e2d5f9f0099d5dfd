#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace parlix {

class DefaultsStore;
class MainQueue;
class NetzFaden;
class StreamVerbindung;

// Streams the audio of one recording to the backend over a WebSocket while the user
// speaks, passes the partial transcripts on, and once the recording is over waits for
// the final transcript. A failed stream never becomes an error: it ends with what
// arrived, or with nothing, and the caller falls back to batch transcription. A message
// from the server larger than 4 MiB ends the stream like a lost connection. One client
// per recording.
//
// Threads: construction, starte, abbrechen and destruction on the main thread; sende on
// any one thread at a time (the audio thread), in capture order; beende on a pipeline
// thread, never on the main thread. The socket lives on the network thread; onDelta
// runs on the main queue. The outcome is settled once, under a lock, on whichever
// thread detects it (final, server error, lost connection, cancel, timeout), so a
// waiting beende never depends on the main thread. Jobs still queued for the socket
// when the client is destroyed touch only the shared connection, never the client; a
// running beende or sende, though, needs the client alive (share it with the pipeline
// rather than destroy it under a waiting beende).
class EUStreamClient {
public:
    struct Optionen {
        // How long beende waits for the final transcript.
        std::chrono::milliseconds endeLimit{std::chrono::seconds(6)};
        // How long the WebSocket handshake may take.
        std::chrono::milliseconds handshakeLimit{std::chrono::seconds(60)};
        // The sign-in token; the stored one by default.
        std::function<std::optional<QString>()> tokenQuelle;
    };

    EUStreamClient(DefaultsStore& speicher, MainQueue& mainQueue, NetzFaden& netz);
    EUStreamClient(DefaultsStore& speicher, MainQueue& mainQueue, NetzFaden& netz,
                   Optionen optionen);
    ~EUStreamClient();
    EUStreamClient(const EUStreamClient&) = delete;
    EUStreamClient& operator=(const EUStreamClient&) = delete;

    // Receives the whole text so far after partial texts, on the main queue: parts that
    // arrive while the main queue is busy are handed over together, as the newest text.
    // Set it before starte.
    std::function<void(const QString& voll)> onDelta;

    // Opens the connection; the handshake is not awaited. False only when no stream URL
    // can be formed, and then nothing else happens.
    bool starte();
    // Sends one capture chunk unchanged as one binary message, if the stream is open.
    void sende(const QByteArray& chunk);
    // Sends "END" and blocks until the final transcript, a server error, a lost
    // connection or a cancel settles the stream, at most `endeLimit` (then: the partial
    // texts so far, or nothing). Returns at once with nothing when `stop` is requested,
    // and with the partial texts (or nothing) when the stream was already settled.
    std::optional<QString> beende(std::stop_token stop = {});
    // Closes the connection with 1001 (going away) and settles the stream with nothing.
    void abbrechen();

    // The setting `proxyURL`, else the backend's API base, as ws (for http) or wss with
    // the path "/eu/stream" and no query; nothing when the base does not parse.
    static std::optional<QUrl> streamURL(DefaultsStore& speicher);

private:
    DefaultsStore& speicher_;
    NetzFaden& netz_;
    Optionen optionen_;
    const std::shared_ptr<StreamVerbindung> verbindung_;
    std::atomic<bool> offen_{false}; // between starte and abbrechen
    bool gestartet_ = false;
};

} // namespace parlix
