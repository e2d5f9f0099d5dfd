// The assembly of a Wayland session on a headless sway: which link of each chain it
// takes, and that the log says so.
#include "app/platform/wayland/WaylandPlattform.hpp"

#include "app/platform/KindProzess.hpp"
#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiDienste.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/wayland/FakeHyprland.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

KontextFabrik kontext(MainQueue& queue) {
    return [&queue] { return AtspiDienste::erstelle(queue); };
}

TEST(WaylandPlattformTest, SwayGibtTastenEinfuegenUndFotoOhneSwayBleibtNurDerToggleBefehl) {
    KopflosesWaylandDesktop desktop({.bus = true});
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    SpeicherDefaultsStore speicher;
    QtMainQueue queue;
    {
        LogMitschnitt log;
        Plattform p;
        WaylandPlattform::bestuecke(p, speicher, queue, kontext(queue));
        EXPECT_TRUE(log.enthaelt(u"Wayland: globale Tasten über sway-IPC"_s));
        EXPECT_TRUE(log.enthaelt(u"Wayland: keine Tastatur unter /dev/input lesbar (Hotkeys auf "
                                 u"jedem Desktop: den Nutzer in die Gruppe „input“ aufnehmen)"_s));
        // sway 1.7 offers only the older of the two data-control protocols.
        EXPECT_TRUE(log.enthaelt(u"Wayland: Zwischenablage über wlr-data-control"_s));
        EXPECT_TRUE(log.enthaelt(u"Wayland: Einfügen über data-control und virtuelle Tastatur"_s));
        EXPECT_TRUE(log.enthaelt(u"Wayland: Fensterfoto über screencopy"_s));
        EXPECT_TRUE(log.enthaelt(u"Wayland: HUD und Live-Box über layer-shell"_s));
        ASSERT_TRUE(p.tasten && p.inserter && p.auswahl && p.fensterFoto && p.desktop &&
                    p.ueberlagerung);
        EXPECT_NE(p.umleitung, nullptr);
        EXPECT_EQ(p.arbeitsflaeche.get(), dynamic_cast<Arbeitsflaeche*>(p.vordergrund.get()));
        EXPECT_FALSE(p.desktop->istWayland());
        EXPECT_TRUE(p.desktop->tastenUndEingabe());
        EXPECT_TRUE(p.desktop->fensterAufnahme());
        // What the history panel copies goes where other programs read it, although no
        // window of ours has the focus.
        ASSERT_TRUE(p.kopierablage);
        EXPECT_TRUE(p.kopierablage->kopiere(u"Grüße aus dem Verlauf"_s));
        EXPECT_EQ(
            KindProzess::ausgabe(u"wl-paste"_s, {u"--no-newline"_s}, std::chrono::seconds(10)),
            QString(u"Grüße aus dem Verlauf"_s).toUtf8());
    }
    // Another compositor: no global keys, but the paste still goes through data-control;
    // the focused application from Hyprland's IPC where it runs, else foreign-toplevel.
    GesetzteUmgebung umgebung;
    umgebung.entferne("SWAYSOCK");
    {
        FakeHyprland hyprland(desktop.verzeichnis());
        ASSERT_TRUE(hyprland.laeuft());
        LogMitschnitt log;
        Plattform p;
        WaylandPlattform::bestuecke(p, speicher, queue, kontext(queue));
        EXPECT_TRUE(log.enthaelt(u"Wayland: Vollbild und vordere Anwendung über Hyprland-IPC"_s));
        EXPECT_TRUE(p.vollbild && p.arbeitsflaeche);
    }
    LogMitschnitt log;
    Plattform p;
    WaylandPlattform::bestuecke(p, speicher, queue, kontext(queue));
    EXPECT_TRUE(log.enthaelt(u"Wayland: keine globalen Tasten auf diesem Desktop (kein sway-IPC, "
                             u"kein GlobalShortcuts-Portal); "
                             u"den Befehl „parlix --toggle“ in den Tastenkürzeln des Desktops "
                             u"binden"_s));
    EXPECT_TRUE(log.enthaelt(u"Wayland: Vollbild und vordere Anwendung (ohne Prozess und "
                             u"Fensterort) über foreign-toplevel"_s));
    EXPECT_FALSE(p.tasten);
    EXPECT_FALSE(p.fensterFoto);
    ASSERT_TRUE(p.inserter && p.vordergrund && p.vollbild && p.desktop);
    EXPECT_FALSE(p.desktop->istWayland());
    EXPECT_FALSE(p.desktop->tastenUndEingabe());
}

} // namespace
} // namespace parlix::test
