#include "tests/server/RoherClient.hpp"

#include <QElapsedTimer>

namespace parlix::test {

RoherClient::RoherClient(quint16 port, const QByteArray& bytes, const QHostAddress& von) {
    socket_.bind(von);
    socket_.connectToHost(QHostAddress::LocalHost, port);
    socket_.waitForConnected(5000);
    sende(bytes);
}

void RoherClient::sende(const QByteArray& bytes) {
    if (!bytes.isEmpty() && socket_.state() == QAbstractSocket::ConnectedState) {
        socket_.write(bytes);
        socket_.waitForBytesWritten(5000);
    }
}

void RoherClient::tropfe(const QByteArray& bytes) {
    empfangen_ += socket_.readAll();
    if (empfangen_.isEmpty()) {
        sende(bytes);
    }
}

QByteArray RoherClient::bisZumSchluss(std::chrono::milliseconds limit) {
    QElapsedTimer uhr;
    uhr.start();
    while (socket_.state() == QAbstractSocket::ConnectedState && uhr.elapsed() < limit.count()) {
        socket_.waitForReadyRead(50);
        empfangen_ += socket_.readAll();
    }
    return empfangen_ += socket_.readAll();
}

bool RoherClient::warteAuf(const QByteArray& text, std::chrono::milliseconds limit) {
    QElapsedTimer uhr;
    uhr.start();
    while (!empfangen_.contains(text) && uhr.elapsed() < limit.count()) {
        socket_.waitForReadyRead(50);
        empfangen_ += socket_.readAll();
    }
    return empfangen_.contains(text);
}

bool RoherClient::offen() {
    socket_.waitForReadyRead(10);
    return socket_.state() == QAbstractSocket::ConnectedState;
}

int RoherClient::post(quint16 port, const QByteArray& pfad, const QByteArray& json,
                      const QHostAddress& von) {
    RoherClient client(port,
                       "POST " + pfad +
                           " HTTP/1.1\r\nHost: x\r\nContent-Type: application/json\r\n"
                           "Connection: close\r\nContent-Length: " +
                           QByteArray::number(json.size()) + "\r\n\r\n" + json,
                       von);
    return status(client.bisZumSchluss());
}

int status(const QByteArray& antwort) {
    return antwort.startsWith("HTTP/1.1 ") ? antwort.mid(9, 3).toInt() : 0;
}

} // namespace parlix::test
