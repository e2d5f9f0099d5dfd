#include "app/platform/wayland/uinput/UinputTastatur.hpp"

#include "core/log/DateiLog.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/uinput.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// X key codes are the kernel's plus 8.
constexpr int kXVersatz = 8;

input_event ereignis(quint16 typ, quint16 code, qint32 wert) {
    input_event e{};
    e.type = typ;
    e.code = code;
    e.value = wert;
    return e;
}

// Announces every key a layout can put a symbol on, then creates the device.
bool richteEin(int fd) {
    if (ioctl(fd, UI_SET_EVBIT, EV_KEY) < 0 || ioctl(fd, UI_SET_EVBIT, EV_SYN) < 0) {
        return false;
    }
    for (int code = KEY_ESC; code <= 255 - kXVersatz; ++code) {
        if (ioctl(fd, UI_SET_KEYBIT, code) < 0) {
            return false;
        }
    }
    uinput_setup einrichtung{};
    einrichtung.id.bustype = BUS_VIRTUAL;
    std::strncpy(einrichtung.name, "Parlix keyboard", UINPUT_MAX_NAME_SIZE - 1);
    return ioctl(fd, UI_DEV_SETUP, &einrichtung) == 0 && ioctl(fd, UI_DEV_CREATE) == 0;
}

} // namespace

UinputTastatur::UinputTastatur(int geraet, XTastenTabelle::Keysym belegung)
    : geraet_(geraet)
    , belegung_(std::move(belegung)) {}

UinputTastatur::~UinputTastatur() {
    // A pipe in place of the device knows no such request; closing is enough then.
    ioctl(geraet_, UI_DEV_DESTROY);
    close(geraet_);
}

std::unique_ptr<UinputTastatur> UinputTastatur::erstelle(XTastenTabelle::Keysym belegung) {
    const int fd = open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || !richteEin(fd)) {
        log().schreibe(u"Wayland: keine Tastatur über /dev/uinput (%1)"_s.arg(
            QString::fromLocal8Bit(std::strerror(errno))));
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    return std::make_unique<UinputTastatur>(fd, std::move(belegung));
}

bool UinputTastatur::tippe(const Tastenkombination& taste) {
    const auto codes = XTastenTabelle::kernelCodes(belegung_, gedrueckt(taste));
    if (!codes) {
        return false;
    }
    const std::vector<quint16>& runter = *codes;
    std::vector<input_event> folge;
    const auto sende = [&folge](quint16 code, qint32 wert) {
        folge.push_back(ereignis(EV_KEY, code, wert));
        folge.push_back(ereignis(EV_SYN, SYN_REPORT, 0));
    };
    for (const quint16 code : runter) {
        sende(code, 1);
    }
    for (auto code = runter.rbegin(); code != runter.rend(); ++code) {
        sende(*code, 0);
    }
    const auto groesse = static_cast<ssize_t>(folge.size() * sizeof(input_event));
    return write(geraet_, folge.data(), static_cast<size_t>(groesse)) == groesse;
}

} // namespace parlix
