#pragma once

#include "app/platform/linux/TastenZustand.hpp"
#include "app/platform/linux/XTastenTabelle.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <QString>
#include <atomic>
#include <functional>
#include <poll.h>
#include <set>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

namespace parlix {

// The user's keys read straight from the keyboards' input devices (/dev/input/event*,
// readable for members of the `input` group): every key on every compositor, a modifier
// alone too. A device cannot be read and swallowed at once, so every key also reaches the
// focused application. Keys are translated as on X11 (XTastenTabelle, TastenZustand; the
// X key code is the device's code + 8); auto-repeat of a held modifier is dropped. A
// keyboard plugged in later (a Bluetooth keyboard waking up) is read as soon as its
// device node appears and may be read.
class EvdevTastenQuelle final : public TastenQuelle {
public:
    // Opens a device node for reading; -1 when it is no keyboard or cannot be read.
    using Oeffner = std::function<int(const QString& pfad)>;

    // Reads the open devices `geraete` (it closes them) and the keyboards that appear in
    // `ordner` later, opened by `oeffner`; `keysym` tells what the user's layout makes of
    // each key.
    EvdevTastenQuelle(std::vector<int> geraete, const XTastenTabelle::Keysym& keysym,
                      QString ordner = QStringLiteral("/dev/input"),
                      Oeffner oeffner = &oeffneTastatur);
    ~EvdevTastenQuelle() override;
    EvdevTastenQuelle(const EvdevTastenQuelle&) = delete;
    EvdevTastenQuelle& operator=(const EvdevTastenQuelle&) = delete;

    // The keyboards among /dev/input/event* this user may read; empty when none.
    static std::vector<int> oeffneTastaturen();
    static int oeffneTastatur(const QString& pfad);
    // The system's default layout (XKB_DEFAULT_* or the built-in default), as the
    // compositor would load it; every key without a symbol when xkbcommon fails.
    static XTastenTabelle::Keysym vorgabeBelegung();

    void starte(Behandler behandler, Bereit bereit) override;
    // Devices are never switched off.
    void aktiviereWieder() override {}
    // While a hotkey is recorded the keys are read on (the state stays right) but no
    // hotkey acts on them.
    void pausiere(bool pause) { pausiert_ = pause; }

private:
    void laufe(const std::stop_token& stop);
    // Opens the keyboards named in the watch's events that are not read yet.
    void nimmNeueAuf(std::vector<pollfd>& warte, std::vector<QByteArray>& reste);
    // Whether the device behind `fd` is one not read yet; remembers it.
    bool istNeu(int fd);
    // Whether the device is still there.
    bool lies(int fd, QByteArray& rest);

    std::vector<int> geraete_;
    QString ordner_;
    Oeffner oeffner_;
    // The devices read, by file identity, so one announced twice is read once.
    std::set<std::pair<dev_t, ino_t>> gelesen_;
    XTastenTabelle tabelle_;
    TastenZustand zustand_;
    Behandler behandler_;
    std::atomic<bool> pausiert_{false};
    int wecker_ = -1;
    int wache_ = -1; // inotify on `ordner_`
    std::jthread faden_;
};

} // namespace parlix
