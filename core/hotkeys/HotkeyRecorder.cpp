#include "core/hotkeys/HotkeyRecorder.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/Tastennamen.hpp"

namespace parlix {

void HotkeyRecorder::nimmAuf(Fertig fertig, Abgebrochen abgebrochen) {
    fertig_ = std::move(fertig);
    abgebrochen_ = std::move(abgebrochen);
    letzteModifierTaste_.reset();
    aktiv_ = true;
}

bool HotkeyRecorder::tasteGedrueckt(quint16 keyCode, quint64 flags) {
    if (!aktiv_) {
        return false;
    }
    const quint64 modifiers = flags & Hotkey::modifierMaske;
    if (keyCode == escape && modifiers == 0) {
        // Moved out first: the callback may well start the next recording.
        auto abgebrochen = std::move(abgebrochen_);
        beende();
        if (abgebrochen) {
            abgebrochen();
        }
        return true;
    }
    if (modifiers != 0) {
        melde({keyCode, modifiers, false, Tastennamen::kombiName(keyCode, modifiers)});
    } else {
        melde({keyCode, 0, false, Tastennamen::zeichen(keyCode)});
    }
    return true;
}

bool HotkeyRecorder::flagsGeaendert(quint16 keyCode, quint64 flags) {
    if (!aktiv_) {
        return false;
    }
    if ((flags & Hotkey::modifierMaske) != 0) {
        // Releasing one of several held modifiers also lands here and overwrites the
        // remembered key: the key whose change left modifiers held is the one recorded.
        letzteModifierTaste_ = keyCode;
    } else if (letzteModifierTaste_) {
        const quint16 taste = *letzteModifierTaste_;
        melde({taste, 0, true, Tastennamen::name(taste)});
    }
    return true;
}

bool HotkeyRecorder::ereignis(quint32 typ, quint16 keyCode, quint64 flags) {
    if (typ == Ereignistyp::tasteRunter) {
        return tasteGedrueckt(keyCode, flags);
    }
    return typ == Ereignistyp::flagsGeaendert && flagsGeaendert(keyCode, flags);
}

void HotkeyRecorder::beende() {
    aktiv_ = false;
    letzteModifierTaste_.reset();
    fertig_ = nullptr;
    abgebrochen_ = nullptr;
}

void HotkeyRecorder::melde(const Hotkey& hotkey) {
    auto fertig = std::move(fertig_);
    beende();
    if (fertig) {
        fertig(hotkey);
    }
}

} // namespace parlix
