#pragma once

#include "server/ServerGrenzen.hpp"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <optional>

namespace parlix {

// Follows the byte stream of one HTTP connection as it arrives, before the request
// parser sees it, and finds where each request ends. It refuses what the limits or a
// sound framing forbid: an oversized head or body, two Content-Length headers, a
// Transfer-Encoding (bodies must state their length), bare line feeds. After a
// WebSocket upgrade request ("Upgrade: websocket", "Connection: Upgrade") it stops.
class Rahmen {
public:
    struct Verstoss {
        int status;
        QString detail;
    };

    explicit Rahmen(const ServerGrenzen& grenzen);

    // Takes the next bytes. How many of them belong to bodies (for the memory budget and
    // the minimum rate), or the first violation; after one, nothing more is taken.
    struct Ergebnis {
        qint64 fortgesetzt = 0; // of the body that was already arriving
        // For each head completed by these bytes, in order: its body bytes among them.
        QList<qint64> neueKoerper;
        std::optional<Verstoss> verstoss;
    };
    Ergebnis nimm(QByteArrayView bytes);

    // Some bytes of an unfinished request have arrived.
    bool mittenInAnfrage() const { return !kopf_.isEmpty() || restKoerper_ > 0; }
    bool imKopf() const { return !kopf_.isEmpty(); }
    bool imKoerper() const { return restKoerper_ > 0; }
    bool durchgereicht() const { return durchgereicht_; }
    // Whether request `nummer` (counted from 0 on this connection) spoke HTTP/1.0, which
    // knows no chunked answers. Ask once for each request.
    bool sprachHttp10(qsizetype nummer) { return alte_.remove(nummer); }

private:
    std::optional<Verstoss> kopfFertig(qint64& koerper);

    const ServerGrenzen& grenzen_;
    QByteArray kopf_; // the unfinished head
    qint64 restKoerper_ = 0;
    bool durchgereicht_ = false;
    bool http10_ = false; // the head just completed
    qsizetype koepfe_ = 0;
    QSet<qsizetype> alte_;
    bool verstossen_ = false;
};

} // namespace parlix
