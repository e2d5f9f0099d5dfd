#include "tests/app/platform/x11/TestTastatur.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace parlix::test {

TestTastatur::TestTastatur()
    : verbindung_(XVerbindung::oeffne()) {}

void TestTastatur::druecke(quint64 keysym) {
    XTestFakeKeyEvent(verbindung_->anzeige(), XKeysymToKeycode(verbindung_->anzeige(), keysym),
                      True, CurrentTime);
    verbindung_->gleicheAb();
}

void TestTastatur::lasse(quint64 keysym) {
    XTestFakeKeyEvent(verbindung_->anzeige(), XKeysymToKeycode(verbindung_->anzeige(), keysym),
                      False, CurrentTime);
    verbindung_->gleicheAb();
}

void TestTastatur::tippe(quint64 keysym) {
    druecke(keysym);
    lasse(keysym);
}

} // namespace parlix::test
