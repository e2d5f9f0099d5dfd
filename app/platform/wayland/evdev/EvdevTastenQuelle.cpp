#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr qsizetype kEreignisGroesse = sizeof(input_event);

bool hatBit(const unsigned char* bits, int nummer) {
    return (bits[nummer / 8] & (1U << (nummer % 8))) != 0;
}

// A keyboard has letter keys; mice, power buttons and lid switches have none.
bool istTastatur(int fd) {
    unsigned char tasten[KEY_MAX / 8 + 1] = {};
    return ioctl(fd, EVIOCGBIT(EV_KEY, sizeof tasten), tasten) >= 0 && hatBit(tasten, KEY_A) &&
           hatBit(tasten, KEY_LEFTCTRL);
}

} // namespace

EvdevTastenQuelle::EvdevTastenQuelle(std::vector<int> geraete, const XTastenTabelle::Keysym& keysym,
                                     QString ordner, Oeffner oeffner)
    : geraete_(std::move(geraete))
    , ordner_(std::move(ordner))
    , oeffner_(std::move(oeffner))
    , tabelle_(keysym)
    , wecker_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

EvdevTastenQuelle::~EvdevTastenQuelle() {
    if (faden_.joinable()) {
        faden_.request_stop();
        const quint64 eins = 1;
        [[maybe_unused]] const auto geschrieben = write(wecker_, &eins, sizeof eins);
        faden_.join();
    }
    for (const int fd : geraete_) {
        close(fd);
    }
    for (const int fd : {wecker_, wache_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::vector<int> EvdevTastenQuelle::oeffneTastaturen() {
    std::vector<int> tastaturen;
    const QDir eingabe(u"/dev/input"_s);
    for (const QString& name : eingabe.entryList({u"event*"_s}, QDir::System)) {
        if (const int fd = oeffneTastatur(eingabe.filePath(name)); fd >= 0) {
            tastaturen.push_back(fd);
        }
    }
    return tastaturen;
}

int EvdevTastenQuelle::oeffneTastatur(const QString& pfad) {
    const int fd = open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && !istTastatur(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

XTastenTabelle::Keysym EvdevTastenQuelle::vorgabeBelegung() {
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> kontext(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    std::shared_ptr<xkb_keymap> keymap(
        kontext ? xkb_keymap_new_from_names(kontext.get(), nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS)
                : nullptr,
        &xkb_keymap_unref);
    return [keymap](quint8 xKeycode) -> quint64 {
        const xkb_keysym_t* symbole = nullptr;
        if (!keymap ||
            xkb_keymap_key_get_syms_by_level(keymap.get(), xKeycode, 0, 0, &symbole) < 1) {
            return 0;
        }
        return symbole[0];
    };
}

void EvdevTastenQuelle::starte(Behandler behandler, Bereit bereit) {
    behandler_ = std::move(behandler);
    const bool erstellt = !geraete_.empty() && wecker_ >= 0;
    if (erstellt) {
        // Watched before the thread runs, so no keyboard plugged in meanwhile is missed;
        // udev creates the node first and grants access after: both are worth a look.
        wache_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (wache_ >= 0) {
            inotify_add_watch(wache_, QFile::encodeName(ordner_).constData(),
                              IN_CREATE | IN_ATTRIB);
        }
        faden_ = std::jthread([this](const std::stop_token& stop) { laufe(stop); });
    }
    bereit(erstellt);
}

void EvdevTastenQuelle::laufe(const std::stop_token& stop) {
    std::vector<pollfd> warte{{wecker_, POLLIN, 0}, {wache_, POLLIN, 0}};
    std::vector<QByteArray> reste(geraete_.size());
    for (const int fd : geraete_) {
        istNeu(fd);
        warte.push_back({fd, POLLIN, 0});
    }
    while (!stop.stop_requested()) {
        if (poll(warte.data(), warte.size(), -1) < 0 && errno != EINTR) {
            break;
        }
        for (size_t i = 2; i < warte.size(); ++i) {
            if ((warte[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                !lies(warte[i].fd, reste[i - 2])) {
                warte[i].fd = -1; // unplugged: poll skips it from now on
            }
        }
        if ((warte[1].revents & POLLIN) != 0) {
            nimmNeueAuf(warte, reste);
        }
    }
}

void EvdevTastenQuelle::nimmNeueAuf(std::vector<pollfd>& warte, std::vector<QByteArray>& reste) {
    alignas(inotify_event) char puffer[4096];
    ssize_t n = 0;
    while ((n = read(wache_, puffer, sizeof puffer)) > 0) {
        for (ssize_t stelle = 0; stelle < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(puffer + stelle);
            stelle += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            const QString name = e->len > 0 ? QFile::decodeName(e->name) : QString();
            if (!name.startsWith(u"event"_s)) {
                continue;
            }
            const int fd = oeffner_(ordner_ + u'/' + name);
            if (fd >= 0 && istNeu(fd)) {
                geraete_.push_back(fd);
                warte.push_back({fd, POLLIN, 0});
                reste.emplace_back();
            } else if (fd >= 0) {
                close(fd);
            }
        }
    }
}

bool EvdevTastenQuelle::istNeu(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && gelesen_.insert({info.st_dev, info.st_ino}).second;
}

bool EvdevTastenQuelle::lies(int fd, QByteArray& rest) {
    char puffer[64 * kEreignisGroesse];
    const auto n = read(fd, puffer, sizeof puffer);
    if (n <= 0) {
        return n < 0 && (errno == EINTR || errno == EAGAIN);
    }
    rest.append(puffer, n);
    qsizetype stelle = 0;
    for (; stelle + kEreignisGroesse <= rest.size(); stelle += kEreignisGroesse) {
        input_event ereignis{};
        std::memcpy(&ereignis, rest.constData() + stelle, kEreignisGroesse);
        // Value 0 is a release, 1 a press, 2 an auto-repeat.
        if (ereignis.type != EV_KEY || ereignis.code > 247 || ereignis.value > 2) {
            continue;
        }
        const auto uebersetzt =
            zustand_.verarbeite(tabelle_, static_cast<quint8>(ereignis.code + 8),
                                ereignis.value != 0, ereignis.value == 2);
        if (uebersetzt && !pausiert_) {
            behandler_(uebersetzt->typ, uebersetzt->keyCode, uebersetzt->flags);
        }
    }
    rest.remove(0, stelle);
    return true;
}

} // namespace parlix
