#include "core/hotkeys/HotkeyManager.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/Tastennamen.hpp"
#include "core/settings/Einstellungen.hpp"

namespace parlix {

std::shared_ptr<HotkeyManager> HotkeyManager::erstelle(MainQueue& queue, DefaultsStore& speicher,
                                                       Konfig konfig, bool nurToggle) {
    return std::shared_ptr<HotkeyManager>(
        new HotkeyManager(queue, speicher, std::move(konfig), nurToggle));
}

HotkeyManager::HotkeyManager(MainQueue& queue, DefaultsStore& speicher, Konfig konfig,
                             bool nurToggle)
    : nurToggle(nurToggle)
    , queue_(queue)
    , speicher_(speicher)
    , konfig_(std::move(konfig)) {
    uebernimm(Hotkey::diktatStandard());
}

void HotkeyManager::ladeKonfig() {
    uebernimm(konfig_());
}

void HotkeyManager::uebernimm(Hotkey hotkey) {
    keyCode_ = hotkey.keyCode;
    art_ = artVon(hotkey);
    flagCG_ = Tastennamen::flag(static_cast<quint16>(hotkey.keyCode));
    kombiMaskeCG_ = hotkey.modifiers & Hotkey::modifierMaske;
    unten_ = false;
    hotkey_ = std::move(hotkey);
}

HotkeyManager::Art HotkeyManager::artVon(const Hotkey& hotkey) const {
    // The lock manager looks at the modifier-key flag first, the others at the modifiers.
    if (nurToggle) {
        if (hotkey.istModifierTaste) {
            return Art::modifierTaste;
        }
        return hotkey.istKombi() ? Art::kombi : Art::umschalten;
    }
    if (hotkey.istKombi()) {
        return Art::kombi;
    }
    return hotkey.istModifierTaste ? Art::modifierTaste : Art::halten;
}

bool HotkeyManager::verarbeite(quint32 typ, qint64 keyCode, quint64 flags) {
    // Almost every key the user types ends here.
    if (keyCode != keyCode_.load(std::memory_order_relaxed)) {
        return false;
    }
    switch (art_.load(std::memory_order_relaxed)) {
    case Art::modifierTaste:
        return modifierEreignis(typ, flags);
    case Art::halten:
        return halteEreignis(typ);
    case Art::kombi:
        return umschaltEreignis(typ, flags, true);
    case Art::umschalten:
        return umschaltEreignis(typ, flags, false);
    }
    return false;
}

void HotkeyManager::verarbeiteLoslassen(quint32 typ, qint64 keyCode, quint64 flags) {
    if (keyCode != keyCode_.load(std::memory_order_relaxed)) {
        return;
    }
    if (typ == Ereignistyp::tasteHoch) {
        unten_ = false; // the next press after game mode is no auto-repeat
    }
    const Art art = art_.load(std::memory_order_relaxed);
    const quint64 flag = flagCG_.load(std::memory_order_relaxed);
    const bool losgelassen = art == Art::halten
                                 ? typ == Ereignistyp::tasteHoch
                                 : art == Art::modifierTaste &&
                                       typ == Ereignistyp::flagsGeaendert && (flags & flag) != flag;
    if (losgelassen && !nurToggle) {
        poste(&HotkeyManager::losgelassen);
    }
}

// Modifier keys are never swallowed: the focused application still sees them.
bool HotkeyManager::modifierEreignis(quint32 typ, quint64 flags) {
    if (typ != Ereignistyp::flagsGeaendert) {
        return false;
    }
    // Left and right keys share their flag, so this reads the pair, not the key.
    const quint64 flag = flagCG_.load(std::memory_order_relaxed);
    const bool gedrueckt = (flags & flag) == flag;
    if (nurToggle) {
        if (gedrueckt && lockPerTaste()) {
            poste(&HotkeyManager::toggle);
        }
        return false;
    }
    poste(gedrueckt ? &HotkeyManager::tasteRunter : &HotkeyManager::losgelassen);
    return false;
}

bool HotkeyManager::halteEreignis(quint32 typ) {
    if (typ == Ereignistyp::tasteRunter) {
        // A held key repeats its key-down; only the first one is a press.
        if (!unten_.exchange(true)) {
            poste(&HotkeyManager::tasteRunter);
        }
        return true;
    }
    if (typ == Ereignistyp::tasteHoch) {
        unten_ = false;
        poste(&HotkeyManager::losgelassen);
        return true;
    }
    return false;
}

bool HotkeyManager::umschaltEreignis(quint32 typ, quint64 flags, bool maskePruefen) {
    if (typ == Ereignistyp::tasteHoch) {
        // Passed on although its key-down was swallowed.
        unten_ = false;
        return false;
    }
    if (typ != Ereignistyp::tasteRunter) {
        return false;
    }
    const bool wiederholung = unten_.exchange(true);
    if (maskePruefen &&
        (flags & Hotkey::modifierMaske) != kombiMaskeCG_.load(std::memory_order_relaxed)) {
        return false;
    }
    if (nurToggle && !lockPerTaste()) {
        return false;
    }
    // Auto-repeat is swallowed like the press but must not toggle again.
    if (!wiederholung) {
        poste(&HotkeyManager::toggle);
    }
    return true;
}

bool HotkeyManager::lockPerTaste() const {
    return Einstellungen(speicher_).lockPerTaste();
}

void HotkeyManager::poste(void (HotkeyManager::*operation)()) {
    queue_.post([schwach = weak_from_this(), operation] {
        if (const auto manager = schwach.lock()) {
            (manager.get()->*operation)();
        }
    });
}

// A recording the coordinator ended by itself is over here too: the next press starts a
// new one instead of stopping nothing.
void HotkeyManager::gleicheAb() {
    if (aufnahmeLaeuft_ && nimmtAuf && !nimmtAuf()) {
        aufnahmeLaeuft_ = false;
        gesperrt_ = false;
    }
}

void HotkeyManager::tasteRunter() {
    gleicheAb();
    if (aufnahmeLaeuft_) {
        if (gesperrt_) {
            beende();
        }
        return;
    }
    // One pending start is enough: a second press before it runs must not start a
    // second recording.
    if (startArbeit_) {
        return;
    }
    const Einstellungen einstellungen(speicher_);
    if (!einstellungen.lockPerTaste() && letzterTap_ &&
        queue_.jetzt() - *letzterTap_ < doppelTippFenster) {
        letzterTap_.reset();
        sperre();
        return;
    }
    const auto verzoegerung = std::chrono::round<MainQueue::Dauer>(
        std::chrono::duration<double>(einstellungen.startVerzoegerungSek()));
    startArbeit_ = queue_.after(verzoegerung, [schwach = weak_from_this()] {
        const auto manager = schwach.lock();
        if (!manager) {
            return;
        }
        manager->startArbeit_.reset();
        manager->aufnahmeLaeuft_ = true;
        manager->gesperrt_ = false;
        rufe(manager->beiStart);
    });
}

void HotkeyManager::losgelassen() {
    if (startArbeit_) {
        // Released before the delayed start ran: a short tap, no recording.
        brichStartAb();
        letzterTap_ = queue_.jetzt();
    } else if (aufnahmeLaeuft_ && !gesperrt_) {
        beende();
    }
}

void HotkeyManager::toggle() {
    gleicheAb();
    if (aufnahmeLaeuft_) {
        beende();
    } else {
        sperre();
    }
}

void HotkeyManager::sperre() {
    // A start still pending would start the same recording a second time.
    brichStartAb();
    aufnahmeLaeuft_ = true;
    gesperrt_ = true;
    rufe(beiStart);
    rufe(beiLock);
}

void HotkeyManager::beende() {
    brichStartAb();
    letzterTap_.reset();
    aufnahmeLaeuft_ = false;
    gesperrt_ = false;
    rufe(beiStop);
}

void HotkeyManager::brichStartAb() {
    if (startArbeit_) {
        startArbeit_->abbrechen();
        startArbeit_.reset();
    }
}

void HotkeyManager::rufe(const Rueckruf& rueckruf) {
    if (rueckruf) {
        rueckruf();
    }
}

} // namespace parlix
