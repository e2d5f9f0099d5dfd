#pragma once

#include "server/Behandler.hpp"
#include "server/Rueckweg.hpp"
#include "server/ServerGrenzen.hpp"

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>
#include <memory>

namespace parlix {

class Pforte;

// HTTP and the WebSocket stream on one port. Qt parses the requests; each connection's
// Verbindung frames the bytes first to enforce the limits (ServerGrenzen) and sends the
// answers in request order, which lets a behandler answer late, from any thread, with
// any status or raw bytes, or drop the connection. Lives on the thread that created it.
class ReferenzServer final : public QAbstractHttpServer {
    Q_OBJECT

public:
    // The path of the WebSocket stream.
    static const QString streamPfad;

    explicit ReferenzServer(Behandler& behandler, ServerGrenzen grenzen = {},
                            QObject* eltern = nullptr);
    ~ReferenzServer() override;

    // Listens on the address; port 0 picks a free one. Returns the port, 0 on failure.
    quint16 lausche(const QHostAddress& adresse, quint16 port = 0);
    // TCP connections accepted so far. Any thread.
    int verbindungen() const;
    // Accepted connections that have closed since. Any thread.
    int getrennt() const;
    // The most connections held open at once.
    int maxVerbindungen() const;

protected:
    bool handleRequest(const QHttpServerRequest& anfrage, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& anfrage, QTcpSocket* socket) override;

private:
    void nimmStreamsAn();
    void verdrahteNeue();

    Behandler& behandler_;
    const ServerGrenzen grenzen_;
    Pforte* tcp_;
    // Lets answers from other threads find their way back while the server lives.
    std::shared_ptr<Rueckweg> rueckweg_;
    // Refused upgrades, from handleRequest to the missingHandler call that follows it.
    QHash<QTcpSocket*, Antwort> abweisungen_;
};

} // namespace parlix
