#include "core/hotkeys/Hotkey.hpp"

#include "core/hotkeys/Tastennamen.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(Hotkey, JsonKeepsFieldOrderAndSurvivesARoundTrip) {
    EXPECT_EQ(Hotkey::diktatStandard().alsJson(),
              R"({"keyCode":59,"modifiers":0,"istModifierTaste":true,"name":"Linke Strg"})");

    const Hotkey seltsam{-3, Hotkey::command | Hotkey::shift, false, u"\"⌘\"\n\\ 😀"_s};
    EXPECT_EQ(Hotkey::ausJson(seltsam.alsJson()), seltsam);
    EXPECT_EQ(Hotkey::ausJson(Hotkey::lockStandard().alsJson()), Hotkey::lockStandard());
}

TEST(Hotkey, ReadingNeedsAllFourKeysWithTheirTypesInAnyOrder) {
    EXPECT_EQ(Hotkey::ausJson(QByteArray(
                  R"({"name":"F5","istModifierTaste":false,"modifiers":0.0,"keyCode":96})")),
              (Hotkey{96, 0, false, u"F5"_s}));

    const QByteArray kaputt[] = {
        R"({"modifiers":0,"istModifierTaste":true,"name":"x"})",
        R"({"keyCode":59,"istModifierTaste":true,"name":"x"})",
        R"({"keyCode":59,"modifiers":0,"name":"x"})",
        R"({"keyCode":59,"modifiers":0,"istModifierTaste":true})",
        R"({"keyCode":"59","modifiers":0,"istModifierTaste":true,"name":"x"})",
        R"({"keyCode":59.5,"modifiers":0,"istModifierTaste":true,"name":"x"})",
        R"({"keyCode":59,"modifiers":-1,"istModifierTaste":true,"name":"x"})",
        R"({"keyCode":59,"modifiers":0,"istModifierTaste":1,"name":"x"})",
        R"({"keyCode":59,"modifiers":0,"istModifierTaste":true,"name":null})",
        R"({"keyCode":1e30,"modifiers":0,"istModifierTaste":true,"name":"x"})",
        R"([59,0,true,"x"])",
        "\x01\x02garbage",
        "",
    };
    for (const QByteArray& json : kaputt) {
        EXPECT_FALSE(Hotkey::ausJson(json).has_value()) << json.toStdString();
    }
}

TEST(Hotkey, DefaultsAndCombinations) {
    EXPECT_FALSE(Hotkey::diktatStandard().istKombi());
    EXPECT_EQ(Hotkey::aktionStandard(), (Hotkey{62, 0, true, u"Rechte Strg"_s}));
    EXPECT_EQ(Hotkey::promptStandard(), (Hotkey{54, 0, true, u"Rechte Cmd"_s}));
    const Hotkey lock = Hotkey::lockStandard();
    EXPECT_TRUE(lock.istKombi());
    EXPECT_EQ(lock.modifiers, 0x120000u);
    // The stored default keeps Command first; a recorded combination would not.
    EXPECT_EQ(lock.name, u"⌘⇧L"_s);
    EXPECT_EQ(Tastennamen::kombiName(37, lock.modifiers), u"⇧⌘L"_s);
}

TEST(Tastennamen, KombiNameOrdersTheSignsWhateverTheBits) {
    const quint64 alle = Hotkey::command | Hotkey::shift | Hotkey::option | Hotkey::control;
    EXPECT_EQ(Tastennamen::kombiName(0, alle), u"⌃⌥⇧⌘A"_s);
    EXPECT_EQ(Tastennamen::kombiName(16, Hotkey::option), u"⌥Y"_s);
    EXPECT_EQ(Tastennamen::kombiName(10, Hotkey::control), u"⌃Taste 10"_s);
    EXPECT_EQ(Tastennamen::kombiName(122, 0), u"F1"_s);
}

TEST(Tastennamen, TablesAndTheirFallbacks) {
    EXPECT_EQ(Tastennamen::zeichen(10), u"Taste 10"_s);
    // Letters are symbols, not names.
    EXPECT_EQ(Tastennamen::name(0), u"Taste 0"_s);
    EXPECT_EQ(Tastennamen::name(56), u"Linke Umschalt"_s);
    EXPECT_EQ(Tastennamen::name(113), u"F15"_s);
    EXPECT_EQ(Tastennamen::name(65535), u"Taste 65535"_s);
    EXPECT_EQ(Tastennamen::zeichen(6), u"Z"_s);
    EXPECT_EQ(Tastennamen::zeichen(29), u"0"_s);
    EXPECT_EQ(Tastennamen::zeichen(51), u"⌫"_s);
    EXPECT_EQ(Tastennamen::zeichen(111), u"F12"_s);
    // F13 has a name but no symbol.
    EXPECT_EQ(Tastennamen::zeichen(105), u"Taste 105"_s);
}

TEST(Tastennamen, FlagOfEachModifierKeyAndControlForTheRest) {
    EXPECT_EQ(Tastennamen::flag(54), Hotkey::command);
    EXPECT_EQ(Tastennamen::flag(55), Hotkey::command);
    EXPECT_EQ(Tastennamen::flag(56), Hotkey::shift);
    EXPECT_EQ(Tastennamen::flag(60), Hotkey::shift);
    EXPECT_EQ(Tastennamen::flag(58), Hotkey::option);
    EXPECT_EQ(Tastennamen::flag(61), Hotkey::option);
    for (quint16 andere : {59, 62, 63, 57, 0, 53}) {
        EXPECT_EQ(Tastennamen::flag(andere), Hotkey::control) << andere;
    }
}

} // namespace
