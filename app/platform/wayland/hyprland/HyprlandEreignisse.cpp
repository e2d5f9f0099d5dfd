#include "app/platform/wayland/hyprland/HyprlandEreignisse.hpp"

#include "app/platform/wayland/UnixSocket.hpp"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace parlix {

namespace {

// A line longer than this is no event of Hyprland: the stream is dropped.
constexpr qsizetype kHoechstZeile = 64 * 1024;
constexpr int kStopPruefungMs = 100;

} // namespace

HyprlandEreignisse::HyprlandEreignisse(const QString& socket, Behandler behandler)
    : fd_(UnixSocket::verbinde(socket))
    , behandler_(std::move(behandler)) {
    if (fd_ >= 0) {
        faden_ = std::jthread([this](const std::stop_token& stop) { laufe(stop); });
    }
}

HyprlandEreignisse::~HyprlandEreignisse() {
    faden_ = {};
    if (fd_ >= 0) {
        close(fd_);
    }
}

void HyprlandEreignisse::laufe(const std::stop_token& stop) {
    QByteArray rest;
    char puffer[4096];
    while (!stop.stop_requested()) {
        pollfd warte{fd_, POLLIN, 0};
        if (poll(&warte, 1, kStopPruefungMs) <= 0) {
            continue;
        }
        const auto n = read(fd_, puffer, sizeof puffer);
        if (n == 0 || (n < 0 && errno != EINTR) || rest.size() > kHoechstZeile) {
            return;
        }
        rest.append(puffer, n < 0 ? 0 : n);
        for (qsizetype ende = rest.indexOf('\n'); ende >= 0; ende = rest.indexOf('\n')) {
            const QByteArray zeile = rest.left(ende);
            rest.remove(0, ende + 1);
            behandler_(zeile.left(zeile.indexOf(">>")));
        }
    }
}

} // namespace parlix
