#pragma once

#include "server/Behandler.hpp"

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>

namespace parlix {

class ZaehlenderTcpServer;

// HTTP and the WebSocket stream on one port. Qt parses the requests; the answers are
// written to the socket directly, which lets a behandler answer late, send any status
// or raw bytes, or drop the connection. Lives on the thread that created it.
class ReferenzServer final : public QAbstractHttpServer {
    Q_OBJECT

public:
    // The path of the WebSocket stream.
    static const QString streamPfad;

    explicit ReferenzServer(Behandler& behandler, QObject* eltern = nullptr);

    // Listens on the address; port 0 picks a free one. Returns the port, 0 on failure.
    quint16 lausche(const QHostAddress& adresse, quint16 port = 0);
    // TCP connections accepted so far. Any thread.
    int verbindungen() const;
    // Accepted connections that have closed since. Any thread.
    int getrennt() const;

protected:
    bool handleRequest(const QHttpServerRequest& anfrage, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& anfrage, QTcpSocket* socket) override;

private:
    void nimmStreamsAn();

    Behandler& behandler_;
    ZaehlenderTcpServer* tcp_;
    // Refused upgrades, from handleRequest to the missingHandler call that follows it.
    QHash<QTcpSocket*, Antwort> abweisungen_;
};

} // namespace parlix
