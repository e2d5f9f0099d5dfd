#pragma once

#include <QString>

namespace parlix::UnixSocket {

// A stream connection to the Unix socket at `pfad` (close-on-exec); -1 when there is
// none to connect to.
int verbinde(const QString& pfad);

// Sends all of `daten`; false when the connection broke (no SIGPIPE).
bool sende(int fd, const QByteArray& daten);

} // namespace parlix::UnixSocket
