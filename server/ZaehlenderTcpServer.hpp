#pragma once

#include <QTcpServer>
#include <atomic>

namespace parlix {

// A TCP server that counts the connections it accepts, so tests can see whether a
// client reused its connection, and the ones that have closed, so tests can see a client
// cut a request off.
class ZaehlenderTcpServer final : public QTcpServer {
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

    // Any thread.
    int verbindungen() const { return verbindungen_.load(); }
    // Any thread: accepted connections that have closed since, from either side.
    int getrennt() const { return getrennt_.load(); }

protected:
    void incomingConnection(qintptr deskriptor) override;

private:
    std::atomic<int> verbindungen_{0};
    std::atomic<int> getrennt_{0};
};

} // namespace parlix
