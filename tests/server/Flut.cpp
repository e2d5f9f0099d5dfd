#include "tests/server/Flut.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace parlix::test {

namespace {

int verbinde(quint16 port, quint32 von) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_addr.s_addr = htonl(von);
    sockaddr_in ziel{};
    ziel.sin_family = AF_INET;
    ziel.sin_port = htons(port);
    ziel.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&ziel), sizeof ziel) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

} // namespace

Flut::Flut(quint16 port, const QHostAddress& von, int verbindungen, QByteArray anfrage,
           std::chrono::milliseconds abstand)
    : anfrage_(std::move(anfrage))
    , proStatus_(500)
    , faden_([this, port, v = von.toIPv4Address(), verbindungen, abstand] {
        laufe(port, v, verbindungen, abstand);
    }) {}

Flut::~Flut() {
    ende_ = true;
    faden_.join();
}

int Flut::antworten(int status) const {
    return status >= 100 && status < 600 ? proStatus_[static_cast<std::size_t>(status - 100)].load()
                                         : 0;
}

void Flut::laufe(quint16 port, quint32 von, int verbindungen, std::chrono::milliseconds abstand) {
    using Uhr = std::chrono::steady_clock;
    std::vector<pollfd> fds(static_cast<std::size_t>(verbindungen));
    std::vector<Uhr::time_point> faellig(fds.size(), Uhr::now());
    for (pollfd& p : fds) {
        p = {verbinde(port, von), POLLIN, 0};
    }
    char puffer[65536];
    while (!ende_) {
        const auto jetzt = Uhr::now();
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 && jetzt >= faellig[i]) {
                fds[i].fd = verbinde(port, von);
            }
            if (fds[i].fd >= 0 && jetzt >= faellig[i]) {
                if (!pause_ && ::send(fds[i].fd, anfrage_.constData(),
                                      static_cast<std::size_t>(anfrage_.size()),
                                      MSG_NOSIGNAL) == anfrage_.size()) {
                    gesendet_.fetch_add(1);
                }
                faellig[i] = jetzt + abstand;
            }
        }
        ::poll(fds.data(), fds.size(), 20);
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
                continue;
            }
            const ssize_t gelesen = ::recv(fds[i].fd, puffer, sizeof puffer, 0);
            if (gelesen <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                continue;
            }
            const QByteArray daten(puffer, gelesen);
            for (qsizetype pos = daten.indexOf("HTTP/1.1 "); pos >= 0 && pos + 12 <= daten.size();
                 pos = daten.indexOf("HTTP/1.1 ", pos + 1)) {
                const int status = daten.mid(pos + 9, 3).toInt();
                if (status >= 100 && status < 600) {
                    proStatus_[static_cast<std::size_t>(status - 100)].fetch_add(1);
                }
            }
        }
    }
    for (const pollfd& p : fds) {
        if (p.fd >= 0) {
            ::close(p.fd);
        }
    }
}

} // namespace parlix::test
