#include "server/StreamWaechter.hpp"

#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

StreamWaechter::StreamWaechter(QWebSocket& socket, const ServerGrenzen& grenzen)
    : QObject(&socket)
    , socket_(socket)
    , grenzen_(grenzen) {
    socket.setMaxAllowedIncomingFrameSize(static_cast<quint64>(grenzen.maxStreamNachricht));
    socket.setMaxAllowedIncomingMessageSize(static_cast<quint64>(grenzen.maxStreamNachricht));
    ruhe_.setSingleShot(true);
    ruhe_.setInterval(grenzen.streamRuheFristMs);
    connect(&ruhe_, &QTimer::timeout, this, [this] {
        socket_.close(QWebSocketProtocol::CloseCodeGoingAway, u"Zu lange nichts empfangen."_s);
    });
    connect(&socket, &QWebSocket::binaryFrameReceived, this,
            [this](const QByteArray& daten) { empfangen(daten.size()); });
    connect(&socket, &QWebSocket::textFrameReceived, this,
            [this](const QString& text) { empfangen(text.size()); });
    connect(&socket, &QWebSocket::pong, this, [this] { empfangen(0); });
    ruhe_.start();
}

void StreamWaechter::empfangen(qint64 bytes) {
    empfangen_ += bytes;
    if (empfangen_ > grenzen_.maxStreamBytes) {
        socket_.close(QWebSocketProtocol::CloseCodeTooMuchData,
                      u"Der Stream ist länger als erlaubt."_s);
    } else if (socket_.bytesToWrite() > grenzen_.maxStreamAusgang) {
        socket_.abort(); // the client reads nothing of what we send
    } else {
        ruhe_.start();
    }
}

} // namespace parlix
