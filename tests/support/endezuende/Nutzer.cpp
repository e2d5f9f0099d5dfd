#include "tests/support/endezuende/Nutzer.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace parlix::test {

Nutzer::Nutzer(const QString& anzeige)
    : verbindung_(XVerbindung::oeffne(anzeige.toUtf8())) {}

void Nutzer::taste(quint32 keysym, bool gedrueckt) {
    if (!verbindung_) {
        return;
    }
    Display* anzeige = verbindung_->anzeige();
    const KeyCode code = XKeysymToKeycode(anzeige, keysym);
    if (code != 0) {
        XTestFakeKeyEvent(anzeige, code, gedrueckt ? True : False, CurrentTime);
    }
    verbindung_->gleicheAb();
}

void Nutzer::drueckeTaste(quint32 keysym) {
    taste(keysym, true);
}

void Nutzer::lasseTasteLos(quint32 keysym) {
    taste(keysym, false);
}

void Nutzer::tippe(const Tastenkombination& kombination) {
    const auto modifikatoren = [&](bool gedrueckt) {
        if (kombination.strg) {
            taste(XK_Control_L, gedrueckt);
        }
        if (kombination.umschalt) {
            taste(XK_Shift_L, gedrueckt);
        }
    };
    modifikatoren(true);
    taste(kombination.keysym, true);
    taste(kombination.keysym, false);
    modifikatoren(false);
}

void Nutzer::schreibe(const QString& text) {
    if (!verbindung_) {
        return;
    }
    for (const QChar zeichen : text) {
        // Printable Latin-1 characters are their own keysyms.
        const auto keysym = static_cast<quint32>(zeichen.unicode());
        const KeyCode code = XKeysymToKeycode(verbindung_->anzeige(), keysym);
        const bool umschalt = XkbKeycodeToKeysym(verbindung_->anzeige(), code, 0, 0) != keysym;
        tippe({.strg = false, .umschalt = umschalt, .keysym = keysym});
    }
}

void Nutzer::klicke(QPoint ort) {
    if (!verbindung_) {
        return;
    }
    Display* anzeige = verbindung_->anzeige();
    XTestFakeMotionEvent(anzeige, DefaultScreen(anzeige), ort.x(), ort.y(), CurrentTime);
    XTestFakeButtonEvent(anzeige, Button1, True, CurrentTime);
    XTestFakeButtonEvent(anzeige, Button1, False, CurrentTime);
    verbindung_->gleicheAb();
}

void Nutzer::vollbild(quint64 fenster, bool an) {
    if (!verbindung_) {
        return;
    }
    XEvent bitte{};
    bitte.xclient.type = ClientMessage;
    bitte.xclient.window = static_cast<Window>(fenster);
    bitte.xclient.message_type = static_cast<Atom>(verbindung_->atom("_NET_WM_STATE"));
    bitte.xclient.format = 32;
    bitte.xclient.data.l[0] = an ? 1 : 0; // _NET_WM_STATE_ADD, _REMOVE
    bitte.xclient.data.l[1] = static_cast<long>(verbindung_->atom("_NET_WM_STATE_FULLSCREEN"));
    bitte.xclient.data.l[3] = 2; // asked for by the user
    XSendEvent(verbindung_->anzeige(), static_cast<Window>(verbindung_->wurzel()), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &bitte);
    verbindung_->gleicheAb();
}

} // namespace parlix::test
