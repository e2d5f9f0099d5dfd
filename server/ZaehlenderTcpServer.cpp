#include "server/ZaehlenderTcpServer.hpp"

namespace parlix {

void ZaehlenderTcpServer::incomingConnection(qintptr deskriptor) {
    verbindungen_.fetch_add(1);
    QTcpServer::incomingConnection(deskriptor);
}

} // namespace parlix
