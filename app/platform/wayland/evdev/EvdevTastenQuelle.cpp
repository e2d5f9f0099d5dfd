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
#include <sys/ioctl.h>
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

EvdevTastenQuelle::EvdevTastenQuelle(std::vector<int> geraete, const XTastenTabelle::Keysym& keysym)
    : geraete_(std::move(geraete))
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
    if (wecker_ >= 0) {
        close(wecker_);
    }
}

std::vector<int> EvdevTastenQuelle::oeffneTastaturen() {
    std::vector<int> tastaturen;
    const QDir eingabe(u"/dev/input"_s);
    for (const QString& name : eingabe.entryList({u"event*"_s}, QDir::System)) {
        const int fd = open(QFile::encodeName(eingabe.filePath(name)).constData(),
                            O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 && istTastatur(fd)) {
            tastaturen.push_back(fd);
        } else if (fd >= 0) {
            close(fd);
        }
    }
    return tastaturen;
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
        faden_ = std::jthread([this](const std::stop_token& stop) { laufe(stop); });
    }
    bereit(erstellt);
}

void EvdevTastenQuelle::laufe(const std::stop_token& stop) {
    std::vector<pollfd> warte{{wecker_, POLLIN, 0}};
    std::vector<QByteArray> reste(geraete_.size());
    for (const int fd : geraete_) {
        warte.push_back({fd, POLLIN, 0});
    }
    while (!stop.stop_requested()) {
        if (poll(warte.data(), warte.size(), -1) < 0 && errno != EINTR) {
            return;
        }
        for (size_t i = 1; i < warte.size(); ++i) {
            if ((warte[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                !lies(warte[i].fd, reste[i - 1])) {
                warte[i].fd = -1; // unplugged: poll skips it from now on
            }
        }
    }
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
