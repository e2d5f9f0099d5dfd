#include "app/platform/wayland/sway/SwayTastenQuelle.hpp"

#include "app/platform/wayland/LinuxTasten.hpp"
#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "core/log/DateiLog.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

SwayTastenQuelle::SwayTastenQuelle(SwayBindungen& bindungen, Hotkeys hotkeys)
    : bindungen_(bindungen)
    , hotkeys_(std::move(hotkeys)) {}

SwayTastenQuelle::~SwayTastenQuelle() {
    loeseAlle();
}

void SwayTastenQuelle::starte(Behandler behandler, Bereit bereit) {
    behandler_ = std::move(behandler);
    bereit(bindeAlle());
}

void SwayTastenQuelle::pausiere(bool pause) {
    umgeleitet_ = pause;
    if (pause) {
        loeseAlle();
    }
}

void SwayTastenQuelle::hotkeysGeaendert() {
    loeseAlle();
    if (behandler_ && !umgeleitet_) {
        bindeAlle();
    }
}

bool SwayTastenQuelle::bindeAlle() {
    bool eine = false;
    for (const Hotkey& hotkey : hotkeys_()) {
        eine = bindeHotkey(hotkey) || eine;
    }
    return eine;
}

void SwayTastenQuelle::loeseAlle() {
    for (const QString& tasten : gebunden_) {
        bindungen_.loese(tasten);
    }
    gebunden_.clear();
    const std::lock_guard lock(sperre_);
    gehalten_.clear();
}

bool SwayTastenQuelle::bindeHotkey(const Hotkey& hotkey) {
    const auto name = LinuxTasten::swayName(hotkey.keyCode, hotkey.modifiers);
    if (!name) {
        log().schreibe(u"FEHLER: Sway: Taste %1 hat keinen Namen"_s.arg(hotkey.keyCode));
        return false;
    }
    const QString runter = u"--no-repeat "_s + *name;
    const QString hoch = u"--release "_s + *name;
    if (!bindungen_.binde(runter, [this, hotkey] { gedrueckt(hotkey); })) {
        log().schreibe(u"FEHLER: Sway: Bindung %1 abgelehnt"_s.arg(*name));
        return false;
    }
    gebunden_ << runter;
    // A combination acts on its press alone, as on every desktop.
    if (!hotkey.istKombi() && bindungen_.binde(hoch, [this, hotkey] { losgelassen(hotkey); })) {
        gebunden_ << hoch;
    }
    log().schreibe(u"Sway: Hotkey %1 gebunden"_s.arg(*name));
    return true;
}

void SwayTastenQuelle::gedrueckt(const Hotkey& hotkey) {
    bool releaseFehlt = false;
    {
        const std::lock_guard lock(sperre_);
        releaseFehlt = !gehalten_.insert(hotkey.keyCode).second;
    }
    if (releaseFehlt) {
        melde(hotkey, false);
    }
    melde(hotkey, true);
    if (hotkey.istKombi()) {
        const std::lock_guard lock(sperre_);
        gehalten_.erase(hotkey.keyCode);
    }
}

void SwayTastenQuelle::losgelassen(const Hotkey& hotkey) {
    {
        const std::lock_guard lock(sperre_);
        gehalten_.erase(hotkey.keyCode);
    }
    melde(hotkey, false);
}

void SwayTastenQuelle::melde(const Hotkey& hotkey, bool unten) {
    const auto [typ, keyCode, flags] = LinuxTasten::meldung(hotkey, unten);
    if (behandler_) {
        behandler_(typ, keyCode, flags);
    }
}

} // namespace parlix
