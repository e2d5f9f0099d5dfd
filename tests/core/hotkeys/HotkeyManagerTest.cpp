#include "core/hotkeys/HotkeyManager.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace parlix;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Liste = std::vector<std::string>;

namespace {

constexpr qint64 linkeStrg = 59;
constexpr qint64 rechteStrg = 62;
constexpr qint64 f5 = 96;
constexpr qint64 tasteL = 37;
constexpr quint64 strg = Hotkey::control;
constexpr quint64 cmdShift = Hotkey::command | Hotkey::shift;
// Caps lock and device bits lie outside the modifier mask and must not matter.
constexpr quint64 fremdeBits = 0x10000 | 0x102;

const Hotkey plainF5{f5, 0, false, u"F5"_s};

class HotkeyManagerTest : public ::testing::Test {
protected:
    std::shared_ptr<HotkeyManager> erstelle(const Hotkey& hotkey, bool nurToggle = false,
                                            const std::string& name = "d") {
        auto manager = HotkeyManager::erstelle(
            queue, speicher, [this, hotkey] { return konfig.value_or(hotkey); }, nurToggle);
        manager->beiStart = [this, name] { lauf.push_back("start " + name); };
        manager->beiStop = [this, name] { lauf.push_back("stop " + name); };
        manager->beiLock = [this, name] { lauf.push_back("lock " + name); };
        manager->ladeKonfig();
        return manager;
    }

    // One event on the key thread's side, then the main queue catches up.
    bool sende(HotkeyManager& m, quint32 typ, qint64 keyCode, quint64 flags = 0) {
        const bool geschluckt = m.verarbeite(typ, keyCode, flags);
        queue.laufe();
        return geschluckt;
    }
    bool modifier(HotkeyManager& m, qint64 keyCode, quint64 flags) {
        return sende(m, Ereignistyp::flagsGeaendert, keyCode, flags);
    }
    void tippe(HotkeyManager& m, std::chrono::milliseconds dauer) {
        modifier(m, linkeStrg, strg);
        queue.vorspulen(dauer);
        modifier(m, linkeStrg, 0);
    }

    test::VirtuelleMainQueue queue;
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    std::optional<Hotkey> konfig;
    Liste lauf;
};

TEST_F(HotkeyManagerTest, HeldModifierStartsAfterTheDelayAndReleaseStops) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    // Modifier keys are never swallowed, and nothing happens on the key thread itself.
    EXPECT_FALSE(diktat->verarbeite(Ereignistyp::flagsGeaendert, linkeStrg, strg | fremdeBits));
    EXPECT_TRUE(lauf.empty());
    queue.vorspulen(499ms);
    EXPECT_TRUE(lauf.empty());
    queue.vorspulen(1ms);
    EXPECT_EQ(lauf, Liste{"start d"});
    EXPECT_FALSE(modifier(*diktat, linkeStrg, fremdeBits));
    EXPECT_EQ(lauf, (Liste{"start d", "stop d"}));

    einstellungen.setzeStartVerzoegerungMs(800);
    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(799ms);
    EXPECT_EQ(lauf.size(), 2u);
    queue.vorspulen(1ms);
    EXPECT_EQ(lauf.back(), "start d");
}

TEST_F(HotkeyManagerTest, ShortTapThenPressWithinWindowLocksUntilTheNextPress) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    tippe(*diktat, 499ms);
    queue.vorspulen(2s);
    EXPECT_TRUE(lauf.empty());

    tippe(*diktat, 100ms);
    queue.vorspulen(349ms);
    modifier(*diktat, linkeStrg, strg);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d"}));
    // Releasing and waiting keep a locked recording going.
    modifier(*diktat, linkeStrg, 0);
    queue.vorspulen(10s);
    EXPECT_EQ(lauf.size(), 2u);
    // A manager that cannot ask whether the recording still runs takes the next press
    // as the stop.
    modifier(*diktat, linkeStrg, strg);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d", "stop d"}));
    modifier(*diktat, linkeStrg, 0);
    queue.vorspulen(1s);
    EXPECT_EQ(lauf.size(), 3u);
}

TEST_F(HotkeyManagerTest, PressAtTheEndOfTheDoubleTapWindowArmsNormally) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    tippe(*diktat, 100ms);
    queue.vorspulen(350ms);
    modifier(*diktat, linkeStrg, strg);
    EXPECT_TRUE(lauf.empty());
    queue.vorspulen(500ms);
    EXPECT_EQ(lauf, Liste{"start d"});
}

TEST_F(HotkeyManagerTest, WithoutStartDelayAReleaseBeforeTheStartRanIsATap) {
    einstellungen.setzeStartVerzoegerungAktiv(false);
    auto diktat = erstelle(Hotkey::diktatStandard());
    // Both events are handled before the zero-delay start gets its turn.
    diktat->verarbeite(Ereignistyp::flagsGeaendert, linkeStrg, strg);
    diktat->verarbeite(Ereignistyp::flagsGeaendert, linkeStrg, 0);
    queue.laufe();
    EXPECT_TRUE(lauf.empty());
    modifier(*diktat, linkeStrg, strg);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d"}));
    modifier(*diktat, linkeStrg, strg);
    lauf.clear();

    // Handled one by one, press and release start and stop; the next press is no
    // double tap.
    tippe(*diktat, 0ms);
    modifier(*diktat, linkeStrg, strg);
    EXPECT_EQ(lauf, (Liste{"start d", "stop d", "start d"}));
}

TEST_F(HotkeyManagerTest, LeftAndRightControlAreTwoKeysButShareOneFlag) {
    auto diktat = erstelle(Hotkey::diktatStandard(), false, "d");
    auto aktion = erstelle(Hotkey::aktionStandard(), false, "a");
    const auto beide = [&](qint64 keyCode, quint64 flags) {
        modifier(*diktat, keyCode, flags);
        modifier(*aktion, keyCode, flags);
    };
    beide(linkeStrg, strg);
    queue.vorspulen(600ms);
    beide(rechteStrg, strg);
    // Right Control goes up while left is held: the flag is still set, so the action
    // key reads it as a press and arms nothing new.
    beide(rechteStrg, strg);
    queue.vorspulen(600ms);
    beide(linkeStrg, 0);
    EXPECT_EQ(lauf, (Liste{"start d", "start a", "stop d"}));
}

TEST_F(HotkeyManagerTest, SecondPressWhileArmingKeepsTheOnePendingStart) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(200ms);
    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(200ms);
    modifier(*diktat, linkeStrg, 0);
    queue.vorspulen(2s);
    EXPECT_TRUE(lauf.empty());

    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(400ms);
    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(2s);
    modifier(*diktat, linkeStrg, 0);
    EXPECT_EQ(lauf, (Liste{"start d", "stop d"}));
}

TEST_F(HotkeyManagerTest, CombinationTogglesOnExactModifiersAndPassesItsKeyUp) {
    auto prompt = erstelle(Hotkey::lockStandard());
    EXPECT_TRUE(sende(*prompt, Ereignistyp::tasteRunter, tasteL, cmdShift | fremdeBits));
    EXPECT_EQ(lauf, (Liste{"start d", "lock d"}));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteHoch, tasteL, cmdShift));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteRunter, tasteL, cmdShift | Hotkey::option));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteHoch, tasteL, cmdShift | Hotkey::option));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteRunter, tasteL, Hotkey::command));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteHoch, tasteL, Hotkey::command));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::tasteRunter, tasteL + 1, cmdShift));
    EXPECT_FALSE(sende(*prompt, Ereignistyp::flagsGeaendert, tasteL, cmdShift));
    EXPECT_EQ(lauf.size(), 2u);
    EXPECT_TRUE(sende(*prompt, Ereignistyp::tasteRunter, tasteL, cmdShift));
    EXPECT_EQ(lauf.back(), "stop d");
}

// Escape, an error or the toggle command end a recording without the hotkey: the next
// press starts a new recording at once instead of stopping the one that is gone.
TEST_F(HotkeyManagerTest, ARecordingEndedElsewhereMakesTheNextPressAStart) {
    bool nimmtAuf = false;
    auto prompt = erstelle(Hotkey::lockStandard());
    prompt->nimmtAuf = [&nimmtAuf] { return nimmtAuf; };
    sende(*prompt, Ereignistyp::tasteRunter, tasteL, cmdShift);
    nimmtAuf = true;
    sende(*prompt, Ereignistyp::tasteHoch, tasteL, cmdShift);
    nimmtAuf = false; // cancelled with Escape
    sende(*prompt, Ereignistyp::tasteRunter, tasteL, cmdShift);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d", "start d", "lock d"}));

    // Locked by a double tap, then ended elsewhere: the next press arms a new start.
    lauf.clear();
    auto diktat = erstelle(Hotkey::diktatStandard());
    diktat->nimmtAuf = [&nimmtAuf] { return nimmtAuf; };
    tippe(*diktat, 100ms);
    modifier(*diktat, linkeStrg, strg);
    modifier(*diktat, linkeStrg, 0);
    ASSERT_EQ(lauf, (Liste{"start d", "lock d"}));
    queue.vorspulen(1s);
    modifier(*diktat, linkeStrg, strg);
    queue.vorspulen(2s);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d", "start d"}));
}

TEST_F(HotkeyManagerTest, LockKeyActsOnlyWithLockPerTasteWhichSwitchesDoubleTapsOff) {
    auto diktat = erstelle(Hotkey::diktatStandard(), false, "d");
    auto lock = erstelle(Hotkey::lockStandard(), true, "l");
    EXPECT_FALSE(sende(*lock, Ereignistyp::tasteRunter, tasteL, cmdShift));
    sende(*lock, Ereignistyp::tasteHoch, tasteL, cmdShift);
    EXPECT_TRUE(lauf.empty());

    einstellungen.setzeLockPerTaste(true);
    EXPECT_TRUE(sende(*lock, Ereignistyp::tasteRunter, tasteL, cmdShift));
    sende(*lock, Ereignistyp::tasteHoch, tasteL, cmdShift);
    EXPECT_FALSE(sende(*lock, Ereignistyp::tasteRunter, tasteL, Hotkey::command));
    sende(*lock, Ereignistyp::tasteHoch, tasteL, Hotkey::command);
    EXPECT_TRUE(sende(*lock, Ereignistyp::tasteRunter, tasteL, cmdShift));
    EXPECT_EQ(lauf, (Liste{"start l", "lock l", "stop l"}));
    lauf.clear();

    tippe(*diktat, 100ms);
    modifier(*diktat, linkeStrg, strg);
    EXPECT_TRUE(lauf.empty());
    queue.vorspulen(500ms);
    EXPECT_EQ(lauf, Liste{"start d"});
    lauf.clear();

    // A modifier as the lock key toggles on its press and is never swallowed; a plain
    // key toggles whatever modifiers are held.
    konfig = Hotkey{61, 0, true, u"Rechte Alt"_s};
    lock->ladeKonfig();
    EXPECT_FALSE(modifier(*lock, 61, Hotkey::option));
    EXPECT_FALSE(modifier(*lock, 61, 0));
    konfig = plainF5;
    lock->ladeKonfig();
    EXPECT_TRUE(sende(*lock, Ereignistyp::tasteRunter, f5, Hotkey::option));
    EXPECT_EQ(lauf, (Liste{"start l", "lock l", "stop l"}));
}

TEST_F(HotkeyManagerTest, AutoRepeatNeverStartsOrTogglesAgain) {
    auto taste = erstelle(plainF5);
    const auto halte = [&](HotkeyManager& m, qint64 keyCode, quint64 flags) {
        for (int i = 0; i < 60; ++i) {
            EXPECT_TRUE(sende(m, Ereignistyp::tasteRunter, keyCode, flags));
            queue.vorspulen(40ms);
        }
    };
    halte(*taste, f5, 0);
    EXPECT_TRUE(sende(*taste, Ereignistyp::tasteHoch, f5));
    EXPECT_EQ(lauf, (Liste{"start d", "stop d"}));
    EXPECT_FALSE(sende(*taste, Ereignistyp::flagsGeaendert, f5, 0));
    lauf.clear();

    // Double tap, then the key stays down: the locked recording goes on.
    sende(*taste, Ereignistyp::tasteRunter, f5);
    sende(*taste, Ereignistyp::tasteHoch, f5);
    halte(*taste, f5, 0);
    sende(*taste, Ereignistyp::tasteHoch, f5);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d"}));
    sende(*taste, Ereignistyp::tasteRunter, f5);
    EXPECT_EQ(lauf.back(), "stop d");
    lauf.clear();

    auto kombi = erstelle(Hotkey::lockStandard(), false, "k");
    halte(*kombi, tasteL, cmdShift);
    EXPECT_EQ(lauf, (Liste{"start k", "lock k"}));
}

TEST_F(HotkeyManagerTest, AJobForADestroyedManagerDoesNothing) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    diktat->verarbeite(Ereignistyp::flagsGeaendert, linkeStrg, strg);
    diktat.reset();
    queue.vorspulen(1s);

    diktat = erstelle(Hotkey::diktatStandard());
    modifier(*diktat, linkeStrg, strg);
    diktat.reset();
    queue.vorspulen(1s);
    EXPECT_TRUE(lauf.empty());
}

TEST_F(HotkeyManagerTest, NewHotkeyAppliesAfterReloadAndALockCancelsAPendingStart) {
    auto diktat = erstelle(Hotkey::diktatStandard());
    modifier(*diktat, linkeStrg, strg);
    konfig = Hotkey::lockStandard();
    diktat->ladeKonfig();
    EXPECT_EQ(diktat->hotkey(), Hotkey::lockStandard());
    EXPECT_FALSE(modifier(*diktat, linkeStrg, 0));
    EXPECT_TRUE(sende(*diktat, Ereignistyp::tasteRunter, tasteL, cmdShift));
    queue.vorspulen(2s);
    EXPECT_EQ(lauf, (Liste{"start d", "lock d"}));
}

} // namespace
