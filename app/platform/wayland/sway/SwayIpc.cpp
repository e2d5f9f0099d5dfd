#include "app/platform/wayland/sway/SwayIpc.hpp"

#include "app/platform/wayland/UnixSocket.hpp"

#include <QJsonArray>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr char kMagie[] = "i3-ipc";
constexpr qsizetype kMagieLaenge = 6;
constexpr qsizetype kKopfLaenge = kMagieLaenge + 8;
// sway's trees are large but bounded; anything beyond this is no answer of sway.
constexpr quint32 kHoechstLaenge = 64 * 1024 * 1024;

using Uhr = std::chrono::steady_clock;

} // namespace

SwayIpc::SwayIpc(const QString& pfad)
    : fd_(UnixSocket::verbinde(pfad)) {}

SwayIpc::~SwayIpc() {
    schliesse();
}

bool SwayIpc::verbunden() {
    const std::lock_guard lock(sperre_);
    return fd_ >= 0;
}

void SwayIpc::schliesse() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

std::optional<QJsonDocument> SwayIpc::frage(quint32 typ, const QByteArray& nutzlast,
                                            std::chrono::milliseconds frist) {
    const std::lock_guard lock(sperre_);
    if (fd_ < 0) {
        return std::nullopt;
    }
    QByteArray paket(kMagie, kMagieLaenge);
    const quint32 kopf[2] = {static_cast<quint32>(nutzlast.size()), typ};
    paket.append(reinterpret_cast<const char*>(kopf), sizeof kopf);
    paket.append(nutzlast);
    if (!UnixSocket::sende(fd_, paket)) {
        schliesse();
        return std::nullopt;
    }
    const auto ende = Uhr::now() + frist;
    while (Uhr::now() < ende) {
        auto nachricht =
            lies(std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()));
        if (!nachricht) {
            return std::nullopt;
        }
        if ((nachricht->typ & kEreignisBit) != 0) {
            ereignisse_.push_back(std::move(*nachricht));
        } else if (nachricht->typ == typ) {
            return nachricht->inhalt;
        }
    }
    return std::nullopt;
}

bool SwayIpc::befehl(const QString& befehle) {
    const auto antwort = frage(kBefehl, befehle.toUtf8());
    if (!antwort || !antwort->isArray() || antwort->array().isEmpty()) {
        return false;
    }
    for (const QJsonValue ergebnis : antwort->array()) {
        if (!ergebnis[u"success"_s].toBool()) {
            return false;
        }
    }
    return true;
}

std::optional<SwayIpc::Nachricht> SwayIpc::naechstesEreignis(std::chrono::milliseconds frist) {
    const std::lock_guard lock(sperre_);
    if (!ereignisse_.empty()) {
        Nachricht ereignis = std::move(ereignisse_.front());
        ereignisse_.pop_front();
        return ereignis;
    }
    return lies(frist);
}

std::optional<SwayIpc::Nachricht> SwayIpc::lies(std::chrono::milliseconds frist) {
    const auto ende = Uhr::now() + frist;
    char kopf[kKopfLaenge];
    if (!liesGenau(kopf, kKopfLaenge, ende)) {
        return std::nullopt;
    }
    quint32 laenge = 0;
    Nachricht nachricht;
    std::memcpy(&laenge, kopf + kMagieLaenge, sizeof laenge);
    std::memcpy(&nachricht.typ, kopf + kMagieLaenge + 4, sizeof nachricht.typ);
    if (std::memcmp(kopf, kMagie, kMagieLaenge) != 0 || laenge > kHoechstLaenge) {
        schliesse();
        return std::nullopt;
    }
    QByteArray nutzlast(static_cast<qsizetype>(laenge), Qt::Uninitialized);
    // Once a header came, the rest of the message follows at once.
    if (!liesGenau(nutzlast.data(), nutzlast.size(), Uhr::now() + std::chrono::seconds(2))) {
        schliesse();
        return std::nullopt;
    }
    nachricht.inhalt = QJsonDocument::fromJson(nutzlast);
    return nachricht;
}

bool SwayIpc::liesGenau(char* ziel, qsizetype anzahl, Uhr::time_point ende) {
    qsizetype gelesen = 0;
    while (fd_ >= 0 && gelesen < anzahl) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now());
        pollfd warte{fd_, POLLIN, 0};
        if (rest.count() <= 0 || poll(&warte, 1, static_cast<int>(rest.count())) == 0) {
            if (gelesen > 0) {
                schliesse(); // half a message: the stream is out of step
            }
            return false;
        }
        const auto n = read(fd_, ziel + gelesen, static_cast<size_t>(anzahl - gelesen));
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
            schliesse();
            return false;
        }
        gelesen += n < 0 ? 0 : n;
    }
    return gelesen == anzahl;
}

} // namespace parlix
