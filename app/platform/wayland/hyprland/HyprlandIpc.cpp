#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"

#include "app/platform/wayland/UnixSocket.hpp"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using Uhr = std::chrono::steady_clock;

// Answers of the commands we send are small; more is no answer of Hyprland.
constexpr qsizetype kHoechstens = 4 * 1024 * 1024;

QByteArray liesBisEnde(int fd, Uhr::time_point ende) {
    QByteArray antwort;
    char puffer[8192];
    while (antwort.size() <= kHoechstens) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now());
        pollfd warte{fd, POLLIN, 0};
        if (rest.count() <= 0 || poll(&warte, 1, static_cast<int>(rest.count())) <= 0) {
            return {};
        }
        const auto n = read(fd, puffer, sizeof puffer);
        if (n == 0) {
            return antwort;
        }
        if (n < 0 && errno != EINTR) {
            return {};
        }
        antwort.append(puffer, n < 0 ? 0 : n);
    }
    return {};
}

// Older versions give a flag with a mode beside it (0 full screen, 1 maximised), newer
// ones flags in one number (1 maximised, 2 full screen).
bool vollbild(const QJsonObject& fenster) {
    const QJsonValue wert = fenster.value(u"fullscreen"_s);
    if (wert.isBool()) {
        return wert.toBool() && fenster.value(u"fullscreenMode"_s).toInt() == 0;
    }
    return (wert.toInt() & 2) != 0;
}

} // namespace

std::optional<QString> HyprlandIpc::ordner() {
    const QString signatur = qEnvironmentVariable("HYPRLAND_INSTANCE_SIGNATURE");
    if (signatur.isEmpty() || signatur.contains(u'/')) {
        return std::nullopt;
    }
    for (const QString& basis : {qEnvironmentVariable("XDG_RUNTIME_DIR"), u"/tmp"_s}) {
        const QString ordner = basis + u"/hypr/"_s + signatur;
        if (!basis.isEmpty() && QFileInfo::exists(ordner + u"/.socket.sock"_s)) {
            return ordner;
        }
    }
    return std::nullopt;
}

std::optional<QJsonDocument> HyprlandIpc::frage(const QByteArray& befehl,
                                                std::chrono::milliseconds frist) const {
    const auto ende = Uhr::now() + frist;
    const int fd = UnixSocket::verbinde(ordner_ + u"/.socket.sock"_s);
    if (fd < 0) {
        return std::nullopt;
    }
    const QByteArray antwort = UnixSocket::sende(fd, befehl) ? liesBisEnde(fd, ende) : QByteArray();
    close(fd);
    QJsonParseError fehler{};
    QJsonDocument dokument = QJsonDocument::fromJson(antwort, &fehler);
    if (fehler.error != QJsonParseError::NoError) {
        return std::nullopt;
    }
    return dokument;
}

std::optional<HyprlandIpc::Fenster> HyprlandIpc::aktivesFenster() const {
    const auto antwort = frage("j/activewindow");
    const QJsonObject o = antwort ? antwort->object() : QJsonObject();
    // Without a focused window the answer is an empty object.
    if (!o.contains(u"class"_s)) {
        return std::nullopt;
    }
    const QJsonArray ort = o.value(u"at"_s).toArray();
    const QJsonArray groesse = o.value(u"size"_s).toArray();
    return Fenster{
        o.value(u"class"_s).toString(), o.value(u"pid"_s).toInteger(),
        QRect(ort.at(0).toInt(), ort.at(1).toInt(), groesse.at(0).toInt(), groesse.at(1).toInt()),
        vollbild(o)};
}

QString HyprlandIpc::ereignisSocket() const {
    return ordner_ + u"/.socket2.sock"_s;
}

} // namespace parlix
