#include "core/hotkeys/GameModeMonitor.hpp"

#include "tests/support/FakeVollbildSonde.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Fenster = VollbildSonde::Fenster;

namespace {

constexpr qint64 spiel = 42;

class GameModeMonitorTest : public ::testing::Test {
protected:
    bool vollbild(QList<Fenster> fenster) {
        sonde.liste = std::move(fenster);
        return monitor.istVollbildAktiv();
    }

    test::VirtuelleMainQueue queue;
    test::FakeVollbildSonde sonde;
    GameModeMonitor monitor{queue, sonde};
};

TEST_F(GameModeMonitorTest, FullScreenMeansAnOrdinaryWindowOfTheFrontAppAsLargeAsAScreen) {
    const Fenster voll{spiel, 0, QRectF(0, 0, 1920, 1080)};
    EXPECT_FALSE(vollbild({voll})); // no frontmost application
    sonde.pid = spiel;
    EXPECT_TRUE(vollbild({voll}));
    sonde.liste.reset();
    EXPECT_FALSE(monitor.istVollbildAktiv());

    EXPECT_FALSE(vollbild({{spiel + 1, 0, voll.grenzen}}));
    EXPECT_FALSE(vollbild({{spiel, 3, voll.grenzen}}));
    EXPECT_FALSE(vollbild({{spiel, 0, std::nullopt}}));
    // Within 4 points in width and 6 in height; the position does not matter.
    EXPECT_TRUE(vollbild({{spiel, 0, QRectF(500, 300, 1916.5, 1074.5)}}));
    EXPECT_FALSE(vollbild({{spiel, 0, QRectF(0, 0, 1916, 1080)}}));
    EXPECT_FALSE(vollbild({{spiel, 0, QRectF(0, 0, 1920, 1086)}}));
    // Any window of the application on any screen.
    sonde.schirme = {QSizeF(1920, 1080), QSizeF(2560, 1440)};
    EXPECT_TRUE(
        vollbild({{spiel, 0, QRectF(0, 0, 800, 600)}, {spiel, 0, QRectF(0, 0, 2560, 1440)}}));
    // A desktop that reports the state itself is believed over the window list.
    sonde.gemeldet = false;
    EXPECT_FALSE(monitor.istVollbildAktiv());
    sonde.gemeldet = true;
    EXPECT_TRUE(vollbild({}));
}

TEST_F(GameModeMonitorTest, ChecksAtStartEveryThreeSecondsAndOnSwitchesUntilStopped) {
    sonde.pid = spiel;
    sonde.liste = QList{Fenster{spiel, 0, QRectF(0, 0, 1920, 1080)}};
    QList<bool> meldungen;
    monitor.onChange = [&](bool aktiv) { meldungen << aktiv; };
    test::LogMitschnitt log;
    monitor.starte();
    EXPECT_EQ(meldungen, QList{true});
    EXPECT_TRUE(sonde.beobachtet());

    sonde.liste->clear();
    queue.vorspulen(2999ms);
    EXPECT_EQ(meldungen, QList{true});
    queue.vorspulen(1ms);
    EXPECT_EQ(meldungen, (QList{true, false}));
    sonde.liste->append(Fenster{spiel, 0, QRectF(0, 0, 1920, 1080)});
    sonde.wechsle();
    queue.vorspulen(30s);
    EXPECT_EQ(meldungen, (QList{true, false, true}));
    EXPECT_TRUE(monitor.aktiv());
    EXPECT_EQ(log.anzahl(u"Game Mode AN — Hotkeys deaktiviert"_s), 2);
    EXPECT_EQ(log.anzahl(u"Game Mode AUS — Hotkeys aktiv"_s), 1);

    monitor.stoppe();
    EXPECT_FALSE(sonde.beobachtet());
    sonde.liste->clear();
    queue.vorspulen(30s);
    EXPECT_EQ(meldungen.size(), 3);
    EXPECT_EQ(queue.wartend(), 0);
}

TEST_F(GameModeMonitorTest, StoppingFromTheCallbackEndsTheChecks) {
    sonde.pid = spiel;
    monitor.starte();
    monitor.onChange = [&](bool) { monitor.stoppe(); };
    sonde.liste = QList{Fenster{spiel, 0, QRectF(0, 0, 1920, 1080)}};
    queue.vorspulen(3s);
    sonde.liste->clear();
    queue.vorspulen(30s);
    EXPECT_TRUE(monitor.aktiv());
    EXPECT_EQ(queue.wartend(), 0);
}

} // namespace
