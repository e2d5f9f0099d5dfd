#include "tests/app/platform/x11/X11Test.hpp"

#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>

namespace parlix::test {

void X11Test::warteAufFensterManager() {
    auto verbindung = XVerbindung::oeffne();
    ASSERT_TRUE(verbindung.has_value());
    Display* anzeige = verbindung->anzeige();
    const Window probe = XCreateSimpleWindow(anzeige, verbindung->wurzel(), 0, 0, 10, 10, 0, 0, 0);
    const bool gerahmt = warteBis([&] {
        XMapWindow(anzeige, probe);
        Window wurzel = None;
        Window eltern = None;
        Window* kinder = nullptr;
        unsigned int anzahl = 0;
        XQueryTree(anzeige, probe, &wurzel, &eltern, &kinder, &anzahl);
        XFree(kinder);
        return eltern != wurzel;
    });
    XDestroyWindow(anzeige, probe);
    verbindung->gleicheAb();
    EXPECT_TRUE(gerahmt) << "openbox takes on no windows";
}

} // namespace parlix::test
