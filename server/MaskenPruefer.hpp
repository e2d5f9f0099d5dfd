#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace parlix {

// Follows the frames a client sends on a WebSocket, header by header, and finds the first
// one that comes without a mask. A client must mask every frame (so that a proxy in
// between cannot be fooled into caching what an attacker wrote); Qt's server side does
// not check, so the connection does.
class MaskenPruefer {
public:
    // Takes the next bytes of the stream; false from the first unmasked frame on.
    bool nimm(QByteArrayView bytes);

private:
    // The header's length once its first two bytes are known.
    qsizetype kopfLaenge() const;
    quint64 nutzlast() const;

    QByteArray kopf_; // the header of the next frame, as far as it has come
    quint64 restNutzlast_ = 0;
    bool verstossen_ = false;
};

} // namespace parlix
