// The focused application, its place and its full-screen state from sway's tree.
#include "app/platform/wayland/Bildschirmkopie.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/sway/SwayBaum.hpp"
#include "app/platform/wayland/sway/SwayEreignisse.hpp"
#include "app/platform/wayland/sway/SwayUeberlagerungen.hpp"
#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(SwayFensterTest, AnwendungOrtUndVollbildKommenAusDemBaum) {
    KopflosesWaylandDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    SwayIpc ipc(desktop.ipcSocket());
    SwayEreignisse ereignisse(desktop.ipcSocket());
    QtMainQueue queue;
    SwayVordergrundApp vorn(ipc);
    SwayVollbildSonde sonde(ipc, ereignisse, queue);
    EXPECT_EQ(vorn.anwendungsID(), std::nullopt);
    EXPECT_EQ(sonde.vorderstePid(), std::nullopt);

    KindProzess& feld = desktop.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Vorn"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Vorn"_s));
    EXPECT_EQ(vorn.anwendungsID(), u"parlix_testfeld"_s);
    EXPECT_EQ(sonde.vorderstePid(), feld.pid());
    EXPECT_EQ(sonde.bildschirme(), QList{QSizeF(1280, 800)});
    // Tiled: the content lies inside sway's border and title.
    const auto gekachelt = sonde.fenster();
    ASSERT_TRUE(gekachelt && !gekachelt->isEmpty());
    EXPECT_LT(gekachelt->first().grenzen->height(), 800);
    EXPECT_EQ(vorn.fokusFenster(), gekachelt->first().grenzen->toRect());
    // The window photo is the window's region of the screen.
    WaylandVerbindung verbindung;
    Bildschirmkopie kopie(verbindung, vorn);
    const auto png = kopie.fensterScreenshot();
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(QImage::fromData(*png).size(), gekachelt->first().grenzen->size().toSize());

    int wechsel = 0;
    sonde.beobachteWechsel([&] { ++wechsel; });
    ASSERT_TRUE(desktop.befehl(u"fullscreen enable"_s));
    ASSERT_TRUE(warteQt([&] { return wechsel > 0; }));
    const auto vollbild = sonde.fenster();
    ASSERT_TRUE(vollbild && !vollbild->isEmpty());
    EXPECT_EQ(vollbild->first().besitzerPid, feld.pid());
    EXPECT_EQ(vollbild->first().grenzen, QRectF(0, 0, 1280, 800));
}

TEST(SwayFensterTest, UeberlagerungenSchwebenUndNehmenDemFensterDesNutzersDenFokusNicht) {
    KopflosesWaylandDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    SwayIpc ipc(desktop.ipcSocket());
    ASSERT_TRUE(SwayUeberlagerungen::richteEin(ipc, u"parlix_testfeld"_s));
    const QString feld = QString::fromUtf8(PARLIX_TESTFELD);
    desktop.starte(feld, {u"Erstes"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Erstes"_s));
    // An ordinary window takes the focus when it appears ...
    desktop.starte(feld, {u"Zweites"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Zweites"_s));
    // ... the HUD does not, and floats above the tiles.
    desktop.starte(feld, {u"Parlix HUD"_s});
    const auto hud = desktop.warteAufFenster(u"Parlix HUD"_s);
    ASSERT_TRUE(hud.has_value());
    EXPECT_EQ(hud->value(u"type"_s).toString(), u"floating_con"_s);
    EXPECT_TRUE(desktop.warteAufFokus(u"Zweites"_s, std::chrono::milliseconds(0)));
}

} // namespace
} // namespace parlix::test
