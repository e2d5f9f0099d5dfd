#pragma once

#include "server/Anfrage.hpp"

#include <QByteArray>
#include <QList>
#include <optional>

namespace parlix {

// Everything the server received on one stream, in order of arrival.
struct StreamMitschnitt {
    struct Frame {
        bool text = false;
        QByteArray daten; // text frames as UTF-8
    };

    Anfrage handshake;
    QList<Frame> frames;
    // Set once the connection is gone: the close code the client sent (Qt reports 1000
    // also when the connection ended without a close frame).
    std::optional<int> schlussCode;

    // The binary frames in order.
    QList<QByteArray> chunks() const;
    // The text frames in order, as UTF-8.
    QList<QByteArray> texte() const;
    bool endeEmpfangen() const { return texte().contains(QByteArrayLiteral("END")); }
};

} // namespace parlix
