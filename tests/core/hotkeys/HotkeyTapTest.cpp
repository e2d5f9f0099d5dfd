#include "core/hotkeys/HotkeyTap.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/GameModeMonitor.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/FakeTastenQuelle.hpp"
#include "tests/support/FakeVollbildSonde.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace parlix;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Ereignis = test::FakeTastenQuelle::Ereignis;

namespace {

constexpr qint64 tasteA = 0;
constexpr qint64 f5 = 96;
constexpr qint64 linkeStrg = 59;

class HotkeyTapTest : public ::testing::Test {
protected:
    HotkeyTapTest() {
        // Dictation and lock share F5, so both claim its key-down.
        einstellungen.setzeDiktatHotkey(Hotkey{f5, 0, false, u"F5"_s});
        einstellungen.setzeLockHotkey(Hotkey{f5, 0, false, u"F5"_s});
        einstellungen.setzeLockPerTaste(true);
        einstellungen.setzeStartVerzoegerungAktiv(false);
    }

    std::unique_ptr<HotkeyTap> baue(std::unique_ptr<TastenQuelle> quelle) {
        using S = Einstellungen::Schluessel;
        const std::pair<S, std::string> arten[] = {{S::diktatHotkey, "d"},
                                                   {S::aktionHotkey, "a"},
                                                   {S::promptHotkey, "p"},
                                                   {S::lockHotkey, "l"}};
        for (const auto& [schluessel, name] : arten) {
            auto m = HotkeyManager::erstelle(
                queue, speicher,
                [this, s = schluessel] {
                    return std::get<Hotkey>(Einstellungen(speicher).wert(s));
                },
                name == "l");
            // Starts and stops must alternate for every manager.
            m->beiStart = [this, name] { ++laufend[name]; };
            m->beiStop = [this, name] { --laufend[name]; };
            manager.push_back(m);
        }
        return std::make_unique<HotkeyTap>(manager, std::move(quelle));
    }

    test::VirtuelleMainQueue queue;
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    std::map<std::string, int> laufend;
    std::vector<std::shared_ptr<HotkeyManager>> manager;
};

TEST_F(HotkeyTapTest, EveryManagerIsAskedAndAnyClaimSwallows) {
    auto quelle = std::make_unique<test::FakeTastenQuelle>(
        std::vector<Ereignis>{{Ereignistyp::tasteRunter, tasteA, 0},
                              {Ereignistyp::tasteRunter, f5, 0},
                              {Ereignistyp::flagsGeaendert, linkeStrg, Hotkey::control},
                              {Ereignistyp::abgeschaltetZeit, 0, 0},
                              {Ereignistyp::abgeschaltetEingabe, 0, 0}});
    auto* q = quelle.get();
    auto tap = baue(std::move(quelle));
    test::LogMitschnitt log;
    tap->starte();
    q->warteAufEnde();
    queue.laufe();

    EXPECT_EQ(q->antworten(), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(laufend, (std::map<std::string, int>{{"d", 1}, {"l", 1}}));
    EXPECT_EQ(q->reaktivierungen(), 2);
    EXPECT_TRUE(q->nurAufEigenemThread());
    EXPECT_EQ(log.zeilen(), QStringList{u"HotkeyTap aktiv (eigener Thread)"_s});
}

TEST_F(HotkeyTapTest, SourceThatCannotBeCreatedIsLogged) {
    test::LogMitschnitt log;
    {
        auto tap = baue(std::make_unique<test::FakeTastenQuelle>(std::vector<Ereignis>{}, false));
        tap->starte();
    }
    EXPECT_EQ(log.zeilen(), QStringList{u"FEHLER: HotkeyTap: konnte nicht erstellt werden "
                                        u"(Bedienungshilfen fehlen?)"_s});
}

TEST_F(HotkeyTapTest, GameModePassesEveryEventWhileAFullScreenWindowIsShown) {
    auto tap = baue(std::make_unique<test::FakeTastenQuelle>(std::vector<Ereignis>{}));
    tap->starte();
    test::FakeVollbildSonde sonde;
    sonde.pid = 7;
    GameModeMonitor monitor(queue, sonde);
    monitor.onChange = [&](bool aktiv) { tap->setzeGameModeAktiv(aktiv); };
    monitor.starte();

    sonde.liste = QList{VollbildSonde::Fenster{7, 0, QRectF(0, 0, 1920, 1080)}};
    queue.vorspulen(9s);
    EXPECT_FALSE(tap->behandle(Ereignistyp::tasteRunter, f5, 0));
    EXPECT_FALSE(tap->behandle(Ereignistyp::flagsGeaendert, linkeStrg, Hotkey::control));
    EXPECT_EQ(queue.wartend(), 1); // only the next check

    sonde.liste->clear();
    sonde.wechsle();
    EXPECT_TRUE(tap->behandle(Ereignistyp::tasteRunter, f5, 0));
}

// A key held when game mode comes on still stops its recording on release (the other
// audio stays lowered otherwise); nothing new starts until game mode ends.
TEST_F(HotkeyTapTest, GameModeLetsAHeldKeyStopItsRecordingButStartsNothing) {
    constexpr qint64 rechteStrg = 62; // the action key, a modifier
    einstellungen.setzeLockPerTaste(false);
    auto tap = baue(std::make_unique<test::FakeTastenQuelle>(std::vector<Ereignis>{}));
    tap->starte();
    const auto laufendNach = [&](quint32 typ, qint64 keyCode, quint64 flags) {
        tap->behandle(typ, keyCode, flags);
        queue.laufe();
        return std::pair(laufend["d"], laufend["a"]);
    };

    EXPECT_EQ(laufendNach(Ereignistyp::tasteRunter, f5, 0), std::pair(1, 0));
    EXPECT_EQ(laufendNach(Ereignistyp::flagsGeaendert, rechteStrg, Hotkey::control),
              std::pair(1, 1));
    tap->setzeGameModeAktiv(true);
    EXPECT_FALSE(tap->behandle(Ereignistyp::tasteHoch, f5, 0)) << "passed on in game mode";
    queue.laufe();
    EXPECT_EQ(laufendNach(Ereignistyp::flagsGeaendert, rechteStrg, 0), std::pair(0, 0));
    EXPECT_EQ(laufendNach(Ereignistyp::tasteRunter, f5, 0), std::pair(0, 0));
    EXPECT_EQ(laufendNach(Ereignistyp::tasteHoch, f5, 0), std::pair(0, 0));

    tap->setzeGameModeAktiv(false);
    EXPECT_EQ(laufendNach(Ereignistyp::tasteRunter, f5, 0), std::pair(1, 0));
}

// The key thread decides while the main thread runs the managers' jobs, reloads their
// hotkeys and switches game mode.
TEST_F(HotkeyTapTest, KeyThreadAndMainQueueRunSideBySide) {
    std::vector<Ereignis> ereignisse;
    for (int i = 0; i < 2000; ++i) {
        const bool runter = i % 2 == 0;
        ereignisse.push_back({runter ? Ereignistyp::tasteRunter : Ereignistyp::tasteHoch, f5, 0});
        ereignisse.push_back(
            {Ereignistyp::flagsGeaendert, linkeStrg, runter ? Hotkey::control : 0});
    }
    auto quelle = std::make_unique<test::FakeTastenQuelle>(ereignisse);
    auto* q = quelle.get();
    auto tap = baue(std::move(quelle));
    tap->starte();
    int runde = 0;
    EXPECT_TRUE(queue.warteBis([&] {
        tap->setzeGameModeAktiv(++runde % 7 == 0);
        einstellungen.setzeStartVerzoegerungAktiv(runde % 3 == 0);
        manager[runde % 4]->ladeKonfig();
        for (const auto& [name, anzahl] : laufend) {
            EXPECT_GE(anzahl, 0) << name;
            EXPECT_LE(anzahl, 1) << name;
        }
        return q->zugestellt();
    }));
    q->warteAufEnde();
    EXPECT_EQ(q->antworten().size(), ereignisse.size());
}

} // namespace
