#include "core/log/DateiLog.hpp"
#include "tests/support/GuiDesktop.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <gmock/gmock.h>

namespace parlix::test {

namespace {

KopflosesDesktop* desktop = nullptr;

} // namespace

KopflosesDesktop& guiDesktop() {
    return *desktop;
}

} // namespace parlix::test

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    // The display must exist before the application connects to it.
    parlix::test::KopflosesDesktop desktop(
        parlix::test::KopflosesDesktop::Optionen{true, false, QSize(1280, 800)});
    if (!desktop.laeuft()) {
        QTextStream(stderr) << "headless desktop: " << desktop.fehler() << '\n';
        return 1;
    }
    parlix::test::desktop = &desktop;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    parlix::test::LogMitschnitt::umleitenFuerProzess();
    const int ergebnis = RUN_ALL_TESTS();
    QFile::remove(parlix::log().pfad());
    return ergebnis;
}
