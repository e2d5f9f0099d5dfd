#pragma once

#include <QTcpServer>
#include <atomic>

namespace parlix {

// A TCP server that counts the connections it accepts, so tests can see whether a
// client reused its connection.
class ZaehlenderTcpServer final : public QTcpServer {
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

    // Any thread.
    int verbindungen() const { return verbindungen_.load(); }

protected:
    void incomingConnection(qintptr deskriptor) override;

private:
    std::atomic<int> verbindungen_{0};
};

} // namespace parlix
