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

// What the interface shows: the PC keyboard's labels in the interface language, while
// the stored names stay the German Mac ones.
TEST(Tastennamen, TheDisplayNamesAPcKeyboardsKeysInEachLanguage) {
    const Hotkey f5{96, 0, false, u"F5"_s};
    const Hotkey strgAltEntf{117, Hotkey::control | Hotkey::option, false, u"⌃⌥Taste 117"_s};
    const struct {
        QString sprache;
        QStringList namen; // dictation, prompt, lock, F5, Ctrl+Alt+unknown key
    } faelle[] = {
        {u"en"_s,
         {u"Left Ctrl"_s, u"Right Super"_s, u"Shift+Super+L"_s, u"F5"_s, u"Ctrl+Alt+Key 117"_s}},
        {u"de"_s,
         {u"Strg links"_s, u"Super rechts"_s, u"Umschalt+Super+L"_s, u"F5"_s,
          u"Strg+Alt+Taste 117"_s}},
        {u"fr"_s,
         {u"Ctrl gauche"_s, u"Super droite"_s, u"Maj+Super+L"_s, u"F5"_s,
          u"Ctrl+Alt+Touche 117"_s}},
        {u"es"_s,
         {u"Ctrl izquierda"_s, u"Super derecha"_s, u"Mayús+Super+L"_s, u"F5"_s,
          u"Ctrl+Alt+Tecla 117"_s}},
        {u"ja"_s, {u"左Ctrl"_s, u"右Super"_s, u"Shift+Super+L"_s, u"F5"_s, u"Ctrl+Alt+キー 117"_s}},
        {u"zh"_s,
         {u"左 Ctrl"_s, u"右 Super"_s, u"Shift+Super+L"_s, u"F5"_s, u"Ctrl+Alt+按键 117"_s}},
    };
    for (const auto& fall : faelle) {
        QStringList namen;
        for (const Hotkey& hotkey : {Hotkey::diktatStandard(), Hotkey::promptStandard(),
                                     Hotkey::lockStandard(), f5, strgAltEntf}) {
            namen << Tastennamen::anzeige(hotkey, fall.sprache);
        }
        EXPECT_EQ(namen, fall.namen) << fall.sprache.toStdString();
    }
    EXPECT_EQ(Tastennamen::anzeige({49, Hotkey::control, false, u"⌃␣"_s}, u"de"_s),
              u"Strg+Leertaste"_s);
    // The stored names do not change.
    EXPECT_EQ(Hotkey::diktatStandard().name, u"Linke Strg"_s);
    EXPECT_EQ(Hotkey::promptStandard().name, u"Rechte Cmd"_s);
    EXPECT_EQ(Tastennamen::kombiName(37, Hotkey::command | Hotkey::shift), u"⇧⌘L"_s);
}

} // namespace
