#pragma once

#include "server/MaskenPruefer.hpp"

#include <QObject>

class QTcpSocket;

namespace parlix {

// Watches a connection that has become a WebSocket and closes it with 1002 at the first
// frame the client sends without a mask, before the WebSocket reads that frame. A child
// of the socket; lives on the server's thread.
class MaskenWache final : public QObject {
public:
    explicit MaskenWache(QTcpSocket& socket);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Bytes the system has handed to the socket's buffer so far; -1 if it cannot say.
    qint64 vomSystemGelesen() const;
    // Follows the frames up to the end of the system's queue and lets the socket read
    // that far; false at an unmasked frame.
    bool pruefeMasken();

    QTcpSocket& socket_;
    MaskenPruefer masken_;
    qint64 geprueft_ = 0; // of the bytes read from the system, those the check has seen
    bool pruefend_ = true;
    bool verworfen_ = false;
};

} // namespace parlix
