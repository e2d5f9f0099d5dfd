#pragma once

#include "tests/support/server/StreamAblauf.hpp"

#include <QObject>

class QWebSocket;

namespace parlix {

// Plays a StreamAblauf on one open stream, on the server's thread. It is a child of
// the socket and ends with it.
class StreamSpieler final : public QObject {
public:
    StreamSpieler(QWebSocket& socket, const StreamAblauf& ablauf);

private:
    // Runs steps until one has to wait (a pause, chunks or "END" still to come).
    void weiter();
    // False when the step has to wait.
    bool fuehreAus(const StreamAblauf::Schritt& schritt);

    QWebSocket& socket_;
    QList<StreamAblauf::Schritt> schritte_;
    qsizetype naechster_ = 0;
    qsizetype chunks_ = 0;
    bool endeEmpfangen_ = false;
    bool pausiert_ = false;
};

} // namespace parlix
