#pragma once

#include <QByteArray>

namespace parlix::Rohr {

// Reads a selection's content from the reading end of a pipe until the writer closes it,
// or gives up after a second of silence or 64 MiB. Does not close `fd`.
QByteArray leseAlles(int fd);
// Writes all of `daten` to a pipe another program reads, waiting for it where the pipe
// is full; false when the reader went away. Does not close `fd`.
bool schreibeAlles(int fd, const QByteArray& daten);

} // namespace parlix::Rohr
