// The focused application, its place and its full-screen state from sway's tree; the
// overlays above it.
#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/wayland/Bildschirmkopie.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/sway/SwayBaum.hpp"
#include "app/platform/wayland/sway/SwayEreignisse.hpp"
#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"
#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/QtWarten.hpp"

#include <QImage>
#include <csignal>
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

// A pixel of the screen, through screencopy.
QRgb pixel(Bildschirmkopie& kopie, QPoint ort) {
    const auto png = kopie.bereich(QRect(ort, QSize(1, 1)));
    return png ? QImage::fromData(*png).pixel(0, 0) : 0;
}

// The probe's HUD and live box appear over the user's window and fade away, and the user's
// window keeps the focus and the keys throughout.
void pruefeUeberlagerungen(KopflosesWaylandDesktop& desktop, const QStringList& argumente) {
    KindProzess& feld = desktop.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"Nutzer"_s});
    ASSERT_TRUE(desktop.warteAufFokus(u"Nutzer"_s));
    WaylandVerbindung verbindung;
    NullArbeitsflaeche arbeitsflaeche;
    Bildschirmkopie kopie(verbindung, arbeitsflaeche);
    // On a 1280x800 screen: the middle of the HUD (360x180, 120 above the bottom) and of
    // the live box (680x200, 220 above it); a corner of the HUD, where it is transparent.
    const QPoint hudMitte(640, 590), liveBoxMitte(640, 480), hudEcke(462, 502);
    // The field has the focus before it has drawn itself everywhere (XWayland in particular):
    // the ground is the colour once all three points show the same one.
    QRgb grund = 0;
    ASSERT_TRUE(warteQt([&] {
        grund = pixel(kopie, hudMitte);
        return pixel(kopie, liveBoxMitte) == grund && pixel(kopie, hudEcke) == grund;
    }));

    KindProzess& probe = desktop.starte(QString::fromUtf8(PARLIX_UEBERLAGERUNGSPROBE), argumente);
    ASSERT_TRUE(hatZeileGedruckt(probe, u"gezeigt"_s));
    EXPECT_TRUE(warteQt(
        [&] { return pixel(kopie, hudMitte) != grund && pixel(kopie, liveBoxMitte) != grund; }));
    EXPECT_EQ(pixel(kopie, hudEcke), grund);
    // No window the compositor manages, the user's window keeps the focus and the keys.
    EXPECT_FALSE(desktop.warteAufFenster(u"Parlix HUD"_s, std::chrono::milliseconds(0)));
    EXPECT_FALSE(desktop.warteAufFenster(u"Parlix Live"_s, std::chrono::milliseconds(0)));
    EXPECT_TRUE(desktop.warteAufFokus(u"Nutzer"_s, std::chrono::milliseconds(0)));
    ASSERT_TRUE(desktop.tippe({u"Hallo"_s}));
    EXPECT_TRUE(hatZeileGedruckt(feld, u"Hallo"_s));

    probe.sende(SIGUSR1);
    EXPECT_TRUE(hatZeileGedruckt(probe, u"versteckt"_s));
    EXPECT_EQ(probe.warteAufEnde(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(warteQt(
        [&] { return pixel(kopie, hudMitte) == grund && pixel(kopie, liveBoxMitte) == grund; }));
}

TEST(SwayFensterTest, HUDUndLiveBoxErscheinenUeberDemFensterDesNutzersOhneIhmDenFokusZuNehmen) {
    KopflosesWaylandDesktop desktop;
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    pruefeUeberlagerungen(desktop, {});
}

// Where the compositor has no layer-shell, Qt draws on XWayland and the overlays are
// override-redirect windows there.
TEST(SwayFensterTest, UeberXWaylandNehmenHUDUndLiveBoxDenFokusEbensoWenig) {
    KopflosesWaylandDesktop desktop({.xwayland = true});
    ASSERT_TRUE(desktop.laeuft()) << desktop.fehler().toStdString();
    pruefeUeberlagerungen(desktop, {u"-platform"_s, u"xcb"_s});
}

} // namespace
} // namespace parlix::test
