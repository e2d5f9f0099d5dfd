#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace parlix {

// The limits of the HTTP and stream layer, with the figures the server runs with.
struct ServerGrenzen {
    static constexpr qint64 kib = 1024;
    static constexpr qint64 mib = 1024 * kib;

    qint64 maxKopfBytes = 16 * kib; // request line and headers together
    int maxKopfzeilen = 100;
    qint64 maxKoerper = 64 * kib; // bodies of every path but the large ones
    // Below these path prefixes: recordings and screenshots. 32 MiB hold about 17
    // minutes of 16 kHz mono 16-bit PCM.
    qint64 maxKoerperGross = 32 * mib;
    QStringList grossePfade{QStringLiteral("/openai/v1/")};
    // Body bytes of all connections together that have arrived and are not yet answered;
    // a request whose bytes find no room gets 503. One client address may hold a share.
    qint64 koerperBudget = 512 * mib;
    qint64 koerperProKunde = 64 * mib;
    // A body must bring this many bytes in each such window, or it is cut with 408.
    int koerperFensterMs = 10000;
    qint64 minKoerperProFenster = 16 * kib;

    int kopfFristMs = 10000;     // from a request's first byte to the end of its headers
    int leseFristMs = 30000;     // the longest silence within an unfinished request
    int ruheFristMs = 60000;     // an idle connection between requests is closed then
    int maxVerbindungen = 10000; // and at most the open-file limit less a reserve
    int maxVerbindungenProKunde = 256;

    qint64 maxStreamNachricht = 64 * kib; // a client's chunk is some 2.7 KiB
    qint64 maxStreamBytes = 32 * mib;     // all that one stream may receive
    qint64 maxStreamAusgang = 1 * mib;    // queued for a client that does not read
    int streamRuheFristMs = 30000;        // a stream without a frame for so long is closed
};

} // namespace parlix
