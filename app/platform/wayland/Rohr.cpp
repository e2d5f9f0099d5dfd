#include "app/platform/wayland/Rohr.hpp"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace parlix::Rohr {

namespace {

constexpr qsizetype kHoechstens = 64 * 1024 * 1024;

} // namespace

QByteArray leseAlles(int fd) {
    QByteArray daten;
    char puffer[16384];
    for (;;) {
        pollfd warte{fd, POLLIN, 0};
        if (poll(&warte, 1, 1000) <= 0) {
            break;
        }
        const auto n = read(fd, puffer, sizeof puffer);
        if (n <= 0 || daten.size() > kHoechstens) {
            break;
        }
        daten.append(puffer, n);
    }
    return daten;
}

bool schreibeAlles(int fd, const QByteArray& daten) {
    // The reader is another program; a full pipe waits for it, which is what it asked for.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    for (qsizetype geschrieben = 0; geschrieben < daten.size();) {
        const auto n = write(fd, daten.constData() + geschrieben,
                             static_cast<size_t>(daten.size() - geschrieben));
        if (n < 0 && errno != EINTR) {
            return false;
        }
        geschrieben += n < 0 ? 0 : n;
    }
    return true;
}

} // namespace parlix::Rohr
