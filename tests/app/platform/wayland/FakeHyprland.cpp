#include "tests/app/platform/wayland/FakeHyprland.hpp"

#include <QDir>
#include <QFile>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

int lausche(const QString& pfad) {
    const QByteArray adresse = QFile::encodeName(pfad);
    sockaddr_un ort{};
    ort.sun_family = AF_UNIX;
    std::memcpy(ort.sun_path, adresse.constData(),
                std::min(sizeof ort.sun_path - 1, static_cast<size_t>(adresse.size())));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&ort), sizeof ort) != 0 ||
        listen(fd, 8) != 0) {
        if (fd >= 0) {
            close(fd);
        }
        return -1;
    }
    return fd;
}

} // namespace

FakeHyprland::FakeHyprland(const QString& laufzeit) {
    const QString signatur = u"parlixtest_1_2"_s;
    const QString basis = laufzeit.isEmpty() ? verzeichnis_.path() : laufzeit;
    ordner_ = basis + u"/hypr/"_s + signatur;
    if (!verzeichnis_.isValid() || !QDir().mkpath(ordner_)) {
        return;
    }
    umgebung_.setze("XDG_RUNTIME_DIR", QFile::encodeName(basis));
    umgebung_.setze("HYPRLAND_INSTANCE_SIGNATURE", signatur.toUtf8());
    anfragen_ = lausche(ordner_ + u"/.socket.sock"_s);
    ereignisse_ = lausche(ordner_ + u"/.socket2.sock"_s);
    faden_ = std::jthread([this](const std::stop_token& stop) { laufe(stop); });
}

FakeHyprland::~FakeHyprland() {
    verschwinde();
}

void FakeHyprland::antworte(const QByteArray& befehl, const QByteArray& antwort) {
    const std::lock_guard lock(sperre_);
    antworten_.insert(befehl, antwort);
}

void FakeHyprland::sende(const QByteArray& daten) {
    const std::lock_guard lock(sperre_);
    for (const int fd : zuhoerer_) {
        [[maybe_unused]] const auto n =
            send(fd, daten.constData(), static_cast<size_t>(daten.size()), MSG_NOSIGNAL);
    }
}

int FakeHyprland::zuhoerer() {
    const std::lock_guard lock(sperre_);
    return static_cast<int>(zuhoerer_.size());
}

void FakeHyprland::verschwinde() {
    faden_ = {};
    const std::lock_guard lock(sperre_);
    for (int* fd : {&anfragen_, &ereignisse_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
    for (const int fd : zuhoerer_) {
        close(fd);
    }
    zuhoerer_.clear();
    QFile::remove(ordner_ + u"/.socket.sock"_s);
    QFile::remove(ordner_ + u"/.socket2.sock"_s);
}

void FakeHyprland::laufe(const std::stop_token& stop) {
    while (!stop.stop_requested()) {
        pollfd warte[2] = {{anfragen_, POLLIN, 0}, {ereignisse_, POLLIN, 0}};
        if (poll(warte, 2, 50) <= 0) {
            continue;
        }
        if ((warte[0].revents & POLLIN) != 0) {
            beantworte(accept4(anfragen_, nullptr, nullptr, SOCK_CLOEXEC));
        }
        if ((warte[1].revents & POLLIN) != 0) {
            const int fd = accept4(ereignisse_, nullptr, nullptr, SOCK_CLOEXEC);
            const std::lock_guard lock(sperre_);
            zuhoerer_.push_back(fd);
        }
    }
}

void FakeHyprland::beantworte(int fd) {
    char befehl[1024];
    pollfd warte{fd, POLLIN, 0};
    const auto n = poll(&warte, 1, 2000) > 0 ? read(fd, befehl, sizeof befehl) : 0;
    QByteArray antwort = "unknown request";
    {
        const std::lock_guard lock(sperre_);
        antwort = antworten_.value(QByteArray(befehl, n > 0 ? n : 0), antwort);
    }
    [[maybe_unused]] const auto m =
        send(fd, antwort.constData(), static_cast<size_t>(antwort.size()), MSG_NOSIGNAL);
    close(fd);
}

} // namespace parlix::test
