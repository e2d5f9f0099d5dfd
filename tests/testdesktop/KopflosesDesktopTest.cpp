// The headless desktop that the desktop tests stand on: if it cannot come up on a
// machine, this says so plainly instead of every desktop test failing on its own.
#include "tests/support/KopflosesDesktop.hpp"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(KopflosesDesktop, BringtAnzeigeBusUndFensterManagerUndRaeumtAuf) {
    QString anzeige;
    {
        KopflosesDesktop desktop;
        ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
        anzeige = desktop.anzeige();
        EXPECT_EQ(qgetenv("DISPLAY"), anzeige.toUtf8());
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), desktop.busAdresse().toUtf8());

        desktop.starte(u"xterm"_s, {u"-class"_s, u"ParlixProbe"_s, u"-T"_s, u"Probefenster"_s});
        EXPECT_NE(desktop.warteAufFenster(u"ParlixProbe"_s), 0u);
    }
    // The display is gone with the desktop, and the environment is restored.
    EXPECT_NE(qgetenv("DISPLAY"), anzeige.toUtf8());
    const auto info =
        KindProzess::ausgabe(u"xdpyinfo"_s, {u"-display"_s, anzeige}, std::chrono::seconds(5));
    EXPECT_FALSE(info.has_value());
}

TEST(KopflosesDesktop, ZweiDesktopsNebeneinanderHabenEigeneAnzeigen) {
    KopflosesDesktop erster({.fensterManager = false, .barrierefreiheit = false});
    KopflosesDesktop zweiter({.fensterManager = false, .barrierefreiheit = false});
    ASSERT_TRUE(erster.laeuft() && zweiter.laeuft());
    EXPECT_NE(erster.anzeige(), zweiter.anzeige());
}

} // namespace
} // namespace parlix::test
