#include "server/ZaehlenderTcpServer.hpp"

#include <QTcpSocket>

namespace parlix {

void ZaehlenderTcpServer::incomingConnection(qintptr deskriptor) {
    verbindungen_.fetch_add(1);
    // What QTcpServer does, plus watching the socket close.
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(deskriptor)) {
        delete socket;
        return;
    }
    connect(socket, &QTcpSocket::disconnected, this, [this] { getrennt_.fetch_add(1); });
    addPendingConnection(socket);
}

} // namespace parlix
