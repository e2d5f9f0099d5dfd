#pragma once

#include "core/hotkeys/Hotkey.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <QList>
#include <QStringList>
#include <functional>
#include <mutex>
#include <set>

namespace parlix {

class SwayBindungen;

// Global hotkeys on sway without access to the input devices: every hotkey becomes a
// pair of sway bindings, one for the press and one for the release, and sway's binding
// events are translated into the key events the hotkey managers expect (a modifier
// alone as flag changes, other keys as key down and up). sway takes bound keys away
// from the application, as an X11 grab does; a modifier's state still reaches it.
//
// After a chord (Control held, A pressed) sway reports no release of Control: a new
// press of a key we think is still held first delivers the missing release, so no
// recording hangs on a lost release for longer than the next touch of the key.
//
// sway reports only bound keys, so a new hotkey is recorded from the settings window's
// own keys (FensterTastenUmleitung): the bindings are lifted meanwhile, so every key
// reaches the window.
class SwayTastenQuelle final : public TastenQuelle {
public:
    using Hotkeys = std::function<QList<Hotkey>()>;

    // `hotkeys` tells which keys to bind when the source starts.
    SwayTastenQuelle(SwayBindungen& bindungen, Hotkeys hotkeys);
    ~SwayTastenQuelle() override;

    void starte(Behandler behandler, Bereit bereit) override;
    // sway never switches its bindings off.
    void aktiviereWieder() override {}

    // While a hotkey is recorded nothing is bound; the end of it is followed by
    // hotkeysGeaendert().
    void pausiere(bool pause);
    // Binds the hotkeys as they are now.
    void hotkeysGeaendert();

private:
    bool bindeAlle();
    void loeseAlle();
    bool bindeHotkey(const Hotkey& hotkey);
    void gedrueckt(const Hotkey& hotkey);
    void losgelassen(const Hotkey& hotkey);
    void melde(const Hotkey& hotkey, bool unten);

    SwayBindungen& bindungen_;
    Hotkeys hotkeys_;
    Behandler behandler_;
    QStringList gebunden_;
    bool umgeleitet_ = false;
    std::mutex sperre_;
    std::set<qint64> gehalten_;
};

} // namespace parlix
