#pragma once

#include "app/platform/x11/TastenZustand.hpp"
#include "app/platform/x11/XTastenTabelle.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <atomic>
#include <thread>
#include <vector>

namespace parlix {

// The user's keys read straight from the keyboards' input devices (/dev/input/event*,
// readable for members of the `input` group): every key on every compositor, a modifier
// alone too. A device cannot be read and swallowed at once, so every key also reaches the
// focused application. Keys are translated as on X11 (XTastenTabelle, TastenZustand; the
// X key code is the device's code + 8); auto-repeat of a held modifier is dropped.
class EvdevTastenQuelle final : public TastenQuelle {
public:
    // Reads the open devices `geraete` (it closes them); `keysym` tells what the user's
    // layout makes of each key.
    EvdevTastenQuelle(std::vector<int> geraete, const XTastenTabelle::Keysym& keysym);
    ~EvdevTastenQuelle() override;
    EvdevTastenQuelle(const EvdevTastenQuelle&) = delete;
    EvdevTastenQuelle& operator=(const EvdevTastenQuelle&) = delete;

    // The keyboards among /dev/input/event* this user may read; empty when none.
    static std::vector<int> oeffneTastaturen();
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
    // Whether the device is still there.
    bool lies(int fd, QByteArray& rest);

    std::vector<int> geraete_;
    XTastenTabelle tabelle_;
    TastenZustand zustand_;
    Behandler behandler_;
    std::atomic<bool> pausiert_{false};
    int wecker_ = -1;
    std::jthread faden_;
};

} // namespace parlix
