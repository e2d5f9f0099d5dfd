#include "app/platform/x11/XGriffe.hpp"

#include "app/platform/x11/XFehlerFalle.hpp"
#include "app/platform/x11/XVerbindung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The modifier bits (Mod1 ...) that the keys producing one of `symbole` set.
unsigned int maskeVon(Display* anzeige, std::initializer_list<KeySym> symbole) {
    XModifierKeymap* tabelle = XGetModifierMapping(anzeige);
    unsigned int maske = 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < tabelle->max_keypermod; ++i) {
            const KeyCode code = tabelle->modifiermap[modifier * tabelle->max_keypermod + i];
            for (const KeySym symbol : symbole) {
                if (code != 0 && code == XKeysymToKeycode(anzeige, symbol)) {
                    maske |= 1U << modifier;
                }
            }
        }
    }
    XFreeModifiermap(tabelle);
    return maske;
}

// The X modifier state that Hotkey modifier bits stand for; nothing when one of them
// has no key on this keyboard.
std::optional<unsigned int> xModifier(Display* anzeige, quint64 modifiers) {
    const struct {
        quint64 bit;
        unsigned int maske;
    } zuordnung[] = {
        {Hotkey::shift, ShiftMask},
        {Hotkey::control, ControlMask},
        {Hotkey::option, maskeVon(anzeige, {XK_Alt_L, XK_Alt_R})},
        {Hotkey::command, maskeVon(anzeige, {XK_Super_L, XK_Super_R})},
    };
    unsigned int maske = 0;
    for (const auto& z : zuordnung) {
        if ((modifiers & z.bit) != 0) {
            if (z.maske == 0) {
                return std::nullopt;
            }
            maske |= z.maske;
        }
    }
    return maske;
}

void fuegeHinzu(std::vector<XGriffe::Griff>& griffe, const Hotkey& hotkey) {
    if (hotkey.istModifierTaste) {
        return;
    }
    const quint64 modifiers = hotkey.modifiers & Hotkey::modifierMaske;
    griffe.push_back({hotkey.keyCode, modifiers, !hotkey.istKombi(), hotkey.name});
}

} // namespace

std::vector<XGriffe::Griff> XGriffe::ausEinstellungen(DefaultsStore& speicher) {
    const Einstellungen einstellungen(speicher);
    std::vector<Griff> griffe;
    for (const Hotkey& hotkey : {einstellungen.diktatHotkey(), einstellungen.aktionHotkey(),
                                 einstellungen.promptHotkey()}) {
        fuegeHinzu(griffe, hotkey);
    }
    if (einstellungen.lockPerTaste()) {
        fuegeHinzu(griffe, einstellungen.lockHotkey());
    }
    return griffe;
}

void XGriffe::setze(std::vector<Griff> griffe, const XTastenTabelle& tabelle) {
    griffe_ = std::move(griffe);
    erneuere(tabelle, true);
}

void XGriffe::erneuere(const XTastenTabelle& tabelle) {
    erneuere(tabelle, false);
}

void XGriffe::erneuere(const XTastenTabelle& tabelle, bool melden) {
    if (pausiert_) {
        loese();
        return;
    }
    Display* anzeige = verbindung_.anzeige();
    std::vector<XGriff> gewuenscht;
    for (const Griff& griff : griffe_) {
        const auto teile = zerlege(griff, tabelle);
        if (teile.empty() && melden) {
            log().schreibe(
                u"FEHLER: Hotkey %1 gibt es auf dieser Tastatur nicht"_s.arg(griff.name));
        }
        XFehlerFalle falle(verbindung_);
        for (const XGriff& teil : teile) {
            if (std::find(gehalten_.begin(), gehalten_.end(), teil) == gehalten_.end()) {
                XGrabKey(anzeige, teil.xKeycode, teil.modifiers, verbindung_.wurzel(), False,
                         GrabModeAsync, GrabModeAsync);
            }
            gewuenscht.push_back(teil);
        }
        if (falle.fehler() == BadAccess) {
            log().schreibe(u"FEHLER: Hotkey %1 ist von einem anderen Programm belegt und "
                           u"wird nicht abgefangen"_s.arg(griff.name));
        }
    }
    for (const XGriff& alt : gehalten_) {
        if (std::find(gewuenscht.begin(), gewuenscht.end(), alt) == gewuenscht.end()) {
            XUngrabKey(anzeige, alt.xKeycode, alt.modifiers, verbindung_.wurzel());
        }
    }
    gehalten_ = std::move(gewuenscht);
}

std::vector<XGriffe::XGriff> XGriffe::zerlege(const Griff& griff,
                                              const XTastenTabelle& tabelle) const {
    Display* anzeige = verbindung_.anzeige();
    const auto modifiers = griff.jedeModifier ? std::optional<unsigned int>(AnyModifier)
                                              : xModifier(anzeige, griff.modifiers);
    if (!modifiers) {
        return {};
    }
    // AnyModifier includes the lock states already.
    std::vector<unsigned int> varianten{*modifiers};
    if (!griff.jedeModifier) {
        const unsigned int numLock = maskeVon(anzeige, {XK_Num_Lock});
        varianten = {*modifiers, *modifiers | LockMask, *modifiers | numLock,
                     *modifiers | LockMask | numLock};
    }
    std::vector<XGriff> teile;
    for (const quint8 code : tabelle.xKeycodes(griff.keyCode)) {
        for (const unsigned int variante : varianten) {
            if (std::find(teile.begin(), teile.end(), XGriff{code, variante}) == teile.end()) {
                teile.push_back({code, variante});
            }
        }
    }
    return teile;
}

void XGriffe::loese() {
    for (const XGriff& griff : gehalten_) {
        XUngrabKey(verbindung_.anzeige(), griff.xKeycode, griff.modifiers, verbindung_.wurzel());
    }
    gehalten_.clear();
}

} // namespace parlix
