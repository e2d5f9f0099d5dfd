#include "core/log/DateiLog.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QCoreApplication>
#include <QFile>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
#ifdef PARLIX_QT_OHNE_GLIB
    // As in the program: the accessibility thread runs GLib's default context.
    qputenv("QT_NO_GLIB", "1");
#endif
    QCoreApplication app(argc, argv);
    // No test may write to the user's real log.
    parlix::test::LogMitschnitt::umleitenFuerProzess();
    const int ergebnis = RUN_ALL_TESTS();
    QFile::remove(parlix::log().pfad());
    return ergebnis;
}
