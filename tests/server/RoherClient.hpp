#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>
#include <chrono>

namespace parlix::test {

// A raw client: connects from `von` (any 127.x.y.z stands for another client), sends
// `bytes`, and reads what comes back.
class RoherClient {
public:
    explicit RoherClient(quint16 port, const QByteArray& bytes = {},
                         const QHostAddress& von = QHostAddress::LocalHost);
    void sende(const QByteArray& bytes);
    // Sends only while nothing has come back: a client that drips its request.
    void tropfe(const QByteArray& bytes);
    // Reads until what came back contains `text`; false after `limit`.
    bool warteAuf(const QByteArray& text,
                  std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Everything until the server closes; stops early after `limit`.
    QByteArray bisZumSchluss(std::chrono::milliseconds limit = std::chrono::seconds(5));
    bool offen();

    // A complete request with a JSON body, answered and closed: its status (0 if none).
    static int post(quint16 port, const QByteArray& pfad, const QByteArray& json,
                    const QHostAddress& von = QHostAddress::LocalHost);

private:
    QTcpSocket socket_;
    QByteArray empfangen_;
};

// The status of the first answer in `antwort`; 0 if none.
int status(const QByteArray& antwort);

} // namespace parlix::test
