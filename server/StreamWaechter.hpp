#pragma once

#include "server/ServerGrenzen.hpp"

#include <QObject>
#include <QTimer>

class QWebSocket;

namespace parlix {

// Holds an open stream to the limits: the size of each message (Qt refuses larger ones
// with close code 1009), what the stream may receive in all, what may wait for a client
// that does not read, and how long it may stay silent. A child of the socket.
class StreamWaechter final : public QObject {
public:
    StreamWaechter(QWebSocket& socket, const ServerGrenzen& grenzen);

private:
    void empfangen(qint64 bytes);

    QWebSocket& socket_;
    const ServerGrenzen& grenzen_;
    qint64 empfangen_ = 0;
    QTimer ruhe_;
};

} // namespace parlix
