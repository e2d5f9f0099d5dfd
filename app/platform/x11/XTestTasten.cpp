#include "app/platform/x11/XTestTasten.hpp"

#include "app/platform/x11/EigeneTastenMarke.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <array>
#include <optional>
#include <vector>

namespace parlix {

struct XTestTasten::Kern {
    std::optional<XVerbindung> verbindung;

    // The connection, opened again after it was lost; null without an X server.
    Display* anzeige() {
        if (!verbindung || verbindung->verloren()) {
            verbindung = XVerbindung::oeffne();
        }
        return verbindung ? verbindung->anzeige() : nullptr;
    }

    // Xlib keeps a copy of the keymap per connection; the server announces each change
    // of layout with MappingNotify, which we only see when we read our events.
    void aktualisiereTastatur(Display* anzeige) {
        while (XPending(anzeige) > 0) {
            XEvent ereignis;
            XNextEvent(anzeige, &ereignis);
            if (ereignis.type == MappingNotify) {
                XRefreshKeyboardMapping(&ereignis.xmapping);
            }
        }
    }

    static void sende(Display* anzeige, KeyCode code, bool gedrueckt) {
        XTestFakeKeyEvent(anzeige, code, gedrueckt ? True : False, CurrentTime);
    }
};

XTestTasten::XTestTasten()
    : kern_(std::make_unique<Kern>()) {}

XTestTasten::~XTestTasten() = default;

bool XTestTasten::modifikatorGedrueckt() {
    Display* anzeige = kern_->anzeige();
    if (!anzeige) {
        return false;
    }
    std::array<char, 32> gedrueckt{};
    XQueryKeymap(anzeige, gedrueckt.data());
    XModifierKeymap* belegung = XGetModifierMapping(anzeige);
    if (!belegung) {
        return false;
    }
    bool ergebnis = false;
    // Rows: Shift, Lock, Control, Mod1 ... Mod5. Lock is a toggle, not a held key.
    for (int zeile = 0; zeile < 8 && !ergebnis; ++zeile) {
        for (int i = 0; zeile != LockMapIndex && i < belegung->max_keypermod; ++i) {
            const KeyCode code = belegung->modifiermap[zeile * belegung->max_keypermod + i];
            if (code != 0 && (gedrueckt[code / 8] & (1 << (code % 8))) != 0) {
                ergebnis = true;
            }
        }
    }
    XFreeModifiermap(belegung);
    return ergebnis;
}

bool XTestTasten::tippe(const Tastenkombination& kombination) {
    Display* anzeige = kern_->anzeige();
    if (!anzeige) {
        return false;
    }
    kern_->aktualisiereTastatur(anzeige);
    const KeyCode taste = XKeysymToKeycode(anzeige, kombination.keysym);
    if (taste == 0) {
        return false;
    }
    std::vector<KeyCode> modifikatoren;
    if (kombination.strg) {
        modifikatoren.push_back(XKeysymToKeycode(anzeige, XK_Control_L));
    }
    if (kombination.umschalt) {
        modifikatoren.push_back(XKeysymToKeycode(anzeige, XK_Shift_L));
    }
    // Our key listener must not take these for the user's keys.
    EigeneTastenMarke marke(*kern_->verbindung);
    for (const KeyCode code : modifikatoren) {
        Kern::sende(anzeige, code, true);
    }
    Kern::sende(anzeige, taste, true);
    Kern::sende(anzeige, taste, false);
    for (auto code = modifikatoren.rbegin(); code != modifikatoren.rend(); ++code) {
        Kern::sende(anzeige, *code, false);
    }
    return true;
}

} // namespace parlix
