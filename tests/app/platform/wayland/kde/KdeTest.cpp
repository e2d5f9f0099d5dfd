// KDE Plasma's own ways on the real KWin and desktop portal, started headless by each
// test: hotkeys and Escape through the GlobalShortcuts portal, keys through KWin's fake
// input, the active window from KDE's window management, and the assembly that chooses them.
#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiDienste.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandPlattform.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "app/platform/wayland/evdev/EvdevTastenQuelle.hpp"
#include "app/platform/wayland/kde/KWinTastatur.hpp"
#include "app/platform/wayland/portal/PortalEscMonitor.hpp"
#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/hotkeys/Ereignistyp.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/wayland/WaylandTestHilfen.hpp"
#include "tests/support/FeldSiehtEscape.hpp"
#include "tests/support/KopflosesKdeDesktop.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/QtWarten.hpp"

#include <QDBusConnection>
#include <QImage>
#include <future>
#include <gtest/gtest.h>
#include <tuple>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Ereignis = std::tuple<quint32, qint64, quint64>;
using Uhr = std::chrono::steady_clock;

class KdeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString();
        RecordProperty("start_bis_bereit_ms", static_cast<int>(desktop_.startdauer().count()));
    }

    KopflosesKdeDesktop desktop_;
};

TEST_F(KdeTest, KuerzelDesPortalsMeldenDrueckenUndLoslassenWennKWinSieTippt) {
    QDBusConnection bus = QDBusConnection::connectToBus(
        qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), u"kde-kuerzel"_s);
    {
        ASSERT_TRUE(PortalTastenQuelle::verfuegbar(bus));
        // Control+Shift+D: kVK_ANSI_D is 2.
        Hotkey kuerzel;
        kuerzel.keyCode = 2;
        kuerzel.modifiers = Hotkey::control | Hotkey::shift;
        PortalTastenQuelle quelle(bus, [kuerzel] { return QList<Hotkey>{kuerzel}; });
        QList<Ereignis> ereignisse;
        std::optional<bool> bereit;
        quelle.starte(
            [&](quint32 typ, qint64 code, quint64 flags) {
                ereignisse.append({typ, code, flags});
                return false;
            },
            [&](bool ok) { bereit = ok; });
        ASSERT_TRUE(warteQt([&] { return bereit.has_value(); }));
        ASSERT_TRUE(*bereit);

        WaylandVerbindung verbindung;
        KWinTastatur tastatur(verbindung, EvdevTastenQuelle::vorgabeBelegung());
        ASSERT_TRUE(tastatur.bereit());
        ASSERT_TRUE(tastatur.tippe({true, true, XKB_KEY_d}));
        ASSERT_TRUE(warteQt([&] { return ereignisse.size() >= 2; }));
        EXPECT_EQ(ereignisse, (QList<Ereignis>{{Ereignistyp::tasteRunter, 2, kuerzel.modifiers},
                                               {Ereignistyp::tasteHoch, 2, kuerzel.modifiers}}));
    }
    QDBusConnection::disconnectFromBus(u"kde-kuerzel"_s);
}

// Escape belongs to the watch while it runs and to the focused application again after,
// for every recording anew.
TEST_F(KdeTest, EscapeGehoertDerWacheNurSolangeSieLaeuft) {
    QDBusConnection bus = QDBusConnection::connectToBus(
        qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), u"kde-escape"_s);
    {
        QtMainQueue queue;
        PortalEscMonitor monitor(bus, queue);
        WaylandVerbindung verbindung;
        KWinTastatur tastatur(verbindung, EvdevTastenQuelle::vorgabeBelegung());
        ASSERT_TRUE(tastatur.bereit());
        KindProzess& feld =
            desktop_.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"EscZiel"_s, u"--escape"_s});
        // The field has the focus once it takes a letter.
        ASSERT_TRUE(warteQt(
            [&] {
                return tastatur.tippe({false, false, XKB_KEY_a}) &&
                       hatZeileGedruckt(feld, u"a"_s, 300ms);
            },
            20s));
        const auto escape = [&] { return tastatur.tippe({false, false, XKB_KEY_Escape}); };
        for (int aufnahme = 1; aufnahme <= 2; ++aufnahme) {
            int gesehen = 0;
            auto wache = monitor.installiere([&] { ++gesehen; });
            // The portal binds the shortcut a moment after the watch begins.
            EXPECT_TRUE(warteQt(
                [&] { return escape() && warteQt([&] { return gesehen > 0; }, 300ms); }, 15s))
                << "recording " << aufnahme;
            wache.reset();
            EXPECT_TRUE(feldSiehtEscape(feld, escape)) << "recording " << aufnahme;
            const int danach = gesehen;
            ASSERT_TRUE(escape());
            warteQt([] { return false; }, 300ms);
            EXPECT_EQ(gesehen, danach) << "the closed watch still reports Escape";
        }
    }
    QDBusConnection::disconnectFromBus(u"kde-escape"_s);
}

// Calls the photo on another thread while the main thread serves the portal's answer.
std::optional<QByteArray> fotografiere(FensterFoto& foto) {
    auto ergebnis = std::async(std::launch::async, [&] { return foto.fensterScreenshot(); });
    warteQt([&] { return ergebnis.wait_for(0s) == std::future_status::ready; }, 30s);
    return ergebnis.get();
}

TEST_F(KdeTest, AnordnungFuegtUeberFakeInputEinUndKenntDasAktiveFenster) {
    WaylandVerbindung nutzer;
    WaylandAblage nutzerAblage(nutzer);
    nutzerAblage.setze(WaylandAblage::Art::zwischenablage, u"vom Nutzer kopiert"_s);
    SpeicherDefaultsStore speicher;
    QtMainQueue queue;
    LogMitschnitt log;
    Plattform p;
    WaylandPlattform::bestuecke(p, speicher, queue,
                                [&queue] { return AtspiDienste::erstelle(queue); });
    EXPECT_TRUE(log.enthaelt(u"Wayland: globale Tasten über GlobalShortcuts-Portal"_s));
    EXPECT_TRUE(log.enthaelt(
        u"Wayland: Escape (nur während einer Aufnahme gebunden) über GlobalShortcuts-Portal"_s));
    EXPECT_TRUE(log.enthaelt(u"Wayland: Einfügen über data-control und KWin-fake-input"_s));
    EXPECT_TRUE(
        log.enthaelt(u"Wayland: Vollbild und vordere Anwendung über KDE-Fensterverwaltung"_s));
    EXPECT_TRUE(log.enthaelt(u"Wayland: Fensterfoto (aktives Fenster) über KWin-ScreenShot2"_s));
    EXPECT_TRUE(log.enthaelt(u"Wayland: HUD und Live-Box über layer-shell"_s));
    ASSERT_TRUE(p.tasten && p.escMonitor && p.inserter && p.vordergrund && p.vollbild &&
                p.fensterFoto);

    KindProzess& feld = desktop_.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"QtZiel"_s});
    ASSERT_TRUE(warteQt([&] { return p.vordergrund->prozess() == feld.pid(); }, 20s));
    EXPECT_EQ(p.vordergrund->anwendungsID(), u"parlix_testfeld"_s);
    EXPECT_EQ(p.vollbild->meldetVollbild(), false);

    const auto beginn = Uhr::now();
    p.inserter->fuegeEin(u"Hallo aus Parlix"_s, {});
    EXPECT_TRUE(hatZeileGedruckt(feld, u"Hallo aus Parlix"_s));
    RecordProperty(
        "einfuegen_bis_text_ms",
        static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - beginn).count()));
    EXPECT_TRUE(warteQt([&] {
        return nutzerAblage.text(WaylandAblage::Art::zwischenablage) == u"vom Nutzer kopiert"_s;
    }));

    // The photo holds the active window alone, not the screen around it.
    const auto png = fotografiere(*p.fensterFoto);
    ASSERT_TRUE(png.has_value());
    // The field's window is 600x60 on a screen of 1280x800.
    EXPECT_EQ(QImage::fromData(*png, "PNG").size(), QSize(600, 60));

    // A full-screen window in front pauses the hotkeys: the probe says so, and says when.
    std::atomic<int> wechsel = 0;
    p.vollbild->beobachteWechsel([&] { ++wechsel; });
    desktop_.starte(QString::fromUtf8(PARLIX_TESTFELD), {u"VollZiel"_s, u"--vollbild"_s});
    EXPECT_TRUE(warteQt([&] { return p.vollbild->meldetVollbild() == true && wechsel > 0; }, 20s));
    p.vollbild->beendeBeobachtung();
}

} // namespace
} // namespace parlix::test
