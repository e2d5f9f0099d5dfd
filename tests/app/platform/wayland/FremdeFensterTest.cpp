// The active window and its full-screen state from foreign-toplevel management, on a
// headless sway (which offers it besides its own IPC).
#include "app/platform/wayland/toplevel/FremdeFenster.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/toplevel/ToplevelVollbildSonde.hpp"
#include "app/platform/wayland/toplevel/ToplevelVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/hotkeys/GameModeMonitor.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(FremdeFensterTest, AnwendungUndVollbildFolgenDemAktivenFenster) {
    KopflosesWaylandDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    WaylandVerbindung verbindung;
    FremdeFenster fenster(verbindung);
    ASSERT_TRUE(fenster.bereit());
    QtMainQueue queue;
    ToplevelVordergrundApp vorn(fenster);
    ToplevelVollbildSonde sonde(fenster, queue);
    GameModeMonitor spielModus(queue, sonde);
    EXPECT_EQ(vorn.anwendungsID(), std::nullopt);
    EXPECT_FALSE(spielModus.istVollbildAktiv());
    int wechsel = 0;
    sonde.beobachteWechsel([&] { ++wechsel; });
    const auto vorne = [&](const QString& id) {
        return warteQt([&] { return vorn.anwendungsID() == id; }, std::chrono::seconds(10));
    };

    desktop.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Qt"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Qt"_s));
    EXPECT_TRUE(vorne(u"parlix_testfeld"_s));
    KindProzess& gtk = desktop.starte(u"zenity"_s, {u"--entry"_s, u"--title=Gtk"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Gtk"_s));
    EXPECT_TRUE(vorne(u"zenity"_s));

    // A focus change, as the user makes it, and back.
    ASSERT_TRUE(desktop.befehl(u"[title=\"^Qt$\"] focus"_s));
    EXPECT_TRUE(vorne(u"parlix_testfeld"_s));
    ASSERT_TRUE(desktop.befehl(u"[title=\"^Gtk$\"] focus"_s));
    EXPECT_TRUE(vorne(u"zenity"_s));

    const int vorher = wechsel;
    ASSERT_TRUE(desktop.befehl(u"fullscreen enable"_s));
    EXPECT_TRUE(warteQt([&] { return spielModus.istVollbildAktiv(); }));
    EXPECT_TRUE(warteQt([&] { return wechsel > vorher; }));
    EXPECT_EQ(sonde.vorderstePid(), std::nullopt);
    ASSERT_TRUE(desktop.befehl(u"fullscreen disable"_s));
    EXPECT_TRUE(warteQt([&] { return !spielModus.istVollbildAktiv(); }));

    // The active window closes: the one that takes the focus is reported.
    gtk.sende(SIGTERM);
    EXPECT_TRUE(vorne(u"parlix_testfeld"_s));

    // After the end of the watch no change reaches the callback any more.
    sonde.beendeBeobachtung();
    const int zuletzt = wechsel;
    ASSERT_TRUE(desktop.befehl(u"fullscreen enable"_s));
    EXPECT_TRUE(warteQt([&] { return sonde.meldetVollbild() == true; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(wechsel, zuletzt);
}

} // namespace
} // namespace parlix::test
