#include "core/hotkeys/HotkeyRecorder.hpp"

#include <gtest/gtest.h>
#include <vector>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

constexpr quint16 escape = 53;
constexpr quint16 linkeUmschalt = 56;
constexpr quint16 linkeCmd = 55;
// Flag bits outside the four modifiers (caps lock, device bits) must not count.
constexpr quint64 fremdeBits = 0x10000 | 0x100;

class HotkeyRecorderTest : public ::testing::Test {
protected:
    void starte() {
        recorder.nimmAuf([this](const Hotkey& h) { fertig.push_back(h); },
                         [this] { ++abgebrochen; });
    }

    HotkeyRecorder recorder;
    std::vector<Hotkey> fertig;
    int abgebrochen = 0;
};

TEST_F(HotkeyRecorderTest, EscapeAloneCancelsAndEndsTheRecording) {
    starte();
    EXPECT_TRUE(recorder.tasteGedrueckt(escape, fremdeBits));
    EXPECT_EQ(abgebrochen, 1);
    EXPECT_TRUE(fertig.empty());
    EXPECT_FALSE(recorder.nimmtAuf());
    // Later events belong to the window again.
    EXPECT_FALSE(recorder.tasteGedrueckt(0, 0));
    EXPECT_TRUE(fertig.empty());
}

TEST_F(HotkeyRecorderTest, KeysWithAndWithoutModifiers) {
    starte();
    EXPECT_TRUE(recorder.flagsGeaendert(linkeUmschalt, Hotkey::shift));
    EXPECT_TRUE(recorder.tasteGedrueckt(escape, Hotkey::shift | fremdeBits));
    starte();
    recorder.tasteGedrueckt(37, Hotkey::command | Hotkey::shift);
    starte();
    recorder.tasteGedrueckt(96, fremdeBits);

    ASSERT_EQ(fertig.size(), 3u);
    EXPECT_EQ(fertig[0], (Hotkey{escape, Hotkey::shift, false, u"⇧Taste 53"_s}));
    EXPECT_EQ(fertig[1], (Hotkey{37, Hotkey::command | Hotkey::shift, false, u"⇧⌘L"_s}));
    EXPECT_EQ(fertig[2], (Hotkey{96, 0, false, u"F5"_s}));
    EXPECT_EQ(abgebrochen, 0);
}

TEST_F(HotkeyRecorderTest, ModifierAloneRecordsTheLastKeyThatLeftModifiersHeld) {
    starte();
    recorder.flagsGeaendert(linkeUmschalt, Hotkey::shift);
    recorder.flagsGeaendert(linkeCmd, Hotkey::shift | Hotkey::command);
    // Shift goes up first; Command is still held, so this event names Shift again.
    recorder.flagsGeaendert(linkeUmschalt, Hotkey::command);
    EXPECT_TRUE(fertig.empty());
    recorder.flagsGeaendert(linkeCmd, fremdeBits);

    ASSERT_EQ(fertig.size(), 1u);
    EXPECT_EQ(fertig[0], (Hotkey{linkeUmschalt, 0, true, u"Linke Umschalt"_s}));
    EXPECT_FALSE(recorder.nimmtAuf());
}

TEST_F(HotkeyRecorderTest, ReleaseWithoutAPressKeepsRecordingAndFnCannotBeRecorded) {
    starte();
    // A release left over from before the recording started.
    EXPECT_TRUE(recorder.flagsGeaendert(linkeCmd, 0));
    // fn sets none of the four bits.
    recorder.flagsGeaendert(63, 0x800000);
    recorder.flagsGeaendert(63, 0);
    EXPECT_TRUE(fertig.empty());
    EXPECT_TRUE(recorder.nimmtAuf());
    recorder.tasteGedrueckt(0, 0);
    ASSERT_EQ(fertig.size(), 1u);
    EXPECT_EQ(fertig[0], (Hotkey{0, 0, false, u"A"_s}));
}

TEST_F(HotkeyRecorderTest, ANewRecordingForgetsTheLastModifierAndMayStartInsideTheCallback) {
    starte();
    recorder.flagsGeaendert(linkeUmschalt, Hotkey::shift);
    starte();
    recorder.flagsGeaendert(linkeCmd, 0);
    EXPECT_TRUE(fertig.empty());

    recorder.nimmAuf(
        [this](const Hotkey& h) {
            fertig.push_back(h);
            starte();
        },
        [] {});
    recorder.tasteGedrueckt(0, 0);
    EXPECT_TRUE(recorder.nimmtAuf());
    recorder.tasteGedrueckt(11, 0);
    ASSERT_EQ(fertig.size(), 2u);
    EXPECT_EQ(fertig[1].name, u"B"_s);
}

} // namespace
