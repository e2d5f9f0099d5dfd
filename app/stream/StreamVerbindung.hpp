#pragma once

#include "app/stream/StreamAufloesung.hpp"

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class QObject;
class QWebSocket;

namespace parlix {

class MainQueue;

// The network side of one stream: its socket, the frames waiting for the handshake
// and the reading of the server's messages into the resolution. The functions marked
// "network thread" run only there; the others are safe from any thread. Jobs in flight
// hold it strongly, the socket's callbacks weakly.
class StreamVerbindung : public std::enable_shared_from_this<StreamVerbindung> {
public:
    using DeltaRueckruf = std::function<void(const QString& voll)>;

    explicit StreamVerbindung(MainQueue& mainQueue);

    StreamAufloesung& aufloesung() { return aufloesung_; }

    // Main thread: who hears the partial texts (on the main queue), and that nobody
    // does any more once the owner is gone.
    void setzeOnDelta(DeltaRueckruf onDelta) { onDelta_ = std::move(onDelta); }
    void verstumme() { stumm_.store(true); }

    // Network thread. Opens a socket below `eltern`, closing an earlier one.
    void oeffne(QObject& eltern, const QNetworkRequest& request,
                std::chrono::milliseconds handshakeLimit);
    // Network thread. Frames sent before the handshake completes wait for it, in order.
    void sendeChunk(const QByteArray& chunk);
    void sendeEnde();
    // Network thread. Closes with 1001 (going away) and stops receiving; frames sent
    // afterwards are dropped.
    void schliesse();

private:
    struct Frame {
        bool text = false;
        QByteArray daten;
    };
    enum class Phase { zu, verbindend, offen };

    void verbindeSignale(QWebSocket& socket);
    void sende(const Frame& frame);
    void schreibe(const Frame& frame);
    void beiVerbunden();
    void beiText(const QString& nachricht);
    void beiDelta(const QString& teil);
    // The connection failed or ended. The first report counts.
    void beiVerlust(const QString& beschreibung);
    // Lets go of the socket, closing it with 1001 if it is open.
    void gibSocketFrei();

    MainQueue& mainQueue_;
    StreamAufloesung aufloesung_;
    DeltaRueckruf onDelta_; // main thread
    std::atomic<bool> stumm_{false};
    // A job that hands the newest text to onDelta is queued.
    std::atomic<bool> deltaUnterwegs_{false};

    // Network thread only.
    QWebSocket* socket_ = nullptr;
    Phase phase_ = Phase::zu;
    bool empfaengt_ = false;
    bool vonUnsGeschlossen_ = false;
    QList<Frame> wartend_;
    QString verlust_; // why the connection is gone
};

} // namespace parlix
