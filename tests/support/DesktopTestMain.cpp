// The main of the test folders whose code needs a desktop for the whole process: a
// headless desktop first, then the QApplication on it.
#include "core/log/DateiLog.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/ProzessDesktop.hpp"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <gmock/gmock.h>
#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    parlix::test::LogMitschnitt::umleitenFuerProzess();
    // On a loaded machine shared with other X servers a start now and then loses a race
    // for the display or its window manager; a second one settles it.
    std::unique_ptr<parlix::test::KopflosesDesktop> desktop;
    for (int versuch = 0; versuch < 3 && !(desktop && desktop->laeuft()); ++versuch) {
        desktop.reset();
        desktop = std::make_unique<parlix::test::KopflosesDesktop>();
    }
    if (!desktop->laeuft()) {
        std::fprintf(stderr, "headless desktop: %s\n", qPrintable(desktop->fehler()));
        return 1;
    }
    parlix::test::setzeProzessDesktop(*desktop);
    int ergebnis = 0;
    {
        QApplication app(argc, argv);
        ergebnis = RUN_ALL_TESTS();
    }
    QFile::remove(parlix::log().pfad());
    return ergebnis;
}
