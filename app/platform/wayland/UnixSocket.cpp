#include "app/platform/wayland/UnixSocket.hpp"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace parlix::UnixSocket {

int verbinde(const QString& pfad) {
    const QByteArray adresse = pfad.toLocal8Bit();
    sockaddr_un ziel{};
    ziel.sun_family = AF_UNIX;
    if (adresse.isEmpty() || adresse.size() >= static_cast<qsizetype>(sizeof ziel.sun_path)) {
        return -1;
    }
    std::memcpy(ziel.sun_path, adresse.constData(), static_cast<size_t>(adresse.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&ziel), sizeof ziel) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool sende(int fd, const QByteArray& daten) {
    for (qsizetype gesendet = 0; gesendet < daten.size();) {
        const auto n = send(fd, daten.constData() + gesendet,
                            static_cast<size_t>(daten.size() - gesendet), MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        gesendet += n < 0 ? 0 : n;
    }
    return true;
}

} // namespace parlix::UnixSocket
