// The translation of X keys into the Mac codes and flags the hotkeys store, with a
// keyboard mapping given by the test (a German layout: AltGr instead of right Alt).
#include "app/platform/linux/TastenZustand.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/Hotkey.hpp"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace parlix {
namespace {

// X key codes of a pc105 keyboard.
constexpr quint8 linkeStrg = 37;
constexpr quint8 rechteStrg = 105;
constexpr quint8 altGr = 108;
constexpr quint8 feststell = 66;
constexpr quint8 tasteY = 29;
constexpr quint8 druck = 107;

using E = TastenZustand::Ereignis;

XTastenTabelle deutscheTabelle(quint64 feststellSymbol = XK_Caps_Lock) {
    return XTastenTabelle([feststellSymbol](quint8 x) -> quint64 {
        switch (x) {
        case linkeStrg:
            return XK_Control_L;
        case rechteStrg:
            return XK_Control_R;
        case altGr:
            return XK_ISO_Level3_Shift;
        case feststell:
            return feststellSymbol;
        case tasteY:
            return XK_z;
        default:
            return XK_a;
        }
    });
}

TEST(TastenZustand, ModifierSindFlagWechselLinksUndRechtsGetrennt) {
    const XTastenTabelle tabelle = deutscheTabelle();
    TastenZustand zustand;
    const auto flags = Ereignistyp::flagsGeaendert;
    const quint64 strg = Hotkey::control;

    EXPECT_EQ(zustand.verarbeite(tabelle, linkeStrg, true, false), (E{flags, 59, strg}));
    // A repeated press of a held modifier is no change.
    EXPECT_FALSE(zustand.verarbeite(tabelle, linkeStrg, true, true).has_value());
    EXPECT_EQ(zustand.verarbeite(tabelle, rechteStrg, true, false), (E{flags, 62, strg}));
    // Both Control keys share the flag: letting go of one leaves it set.
    EXPECT_EQ(zustand.verarbeite(tabelle, linkeStrg, false, false), (E{flags, 59, strg}));
    EXPECT_EQ(zustand.verarbeite(tabelle, rechteStrg, false, false), (E{flags, 62, 0}));
    EXPECT_FALSE(zustand.verarbeite(tabelle, rechteStrg, false, false).has_value());

    // AltGr is right Alt (Option); keys carry the modifiers held.
    EXPECT_EQ(zustand.verarbeite(tabelle, altGr, true, false), (E{flags, 61, Hotkey::option}));
    EXPECT_EQ(zustand.verarbeite(tabelle, tasteY, true, false),
              (E{Ereignistyp::tasteRunter, 16, Hotkey::option}));
    EXPECT_EQ(zustand.verarbeite(tabelle, tasteY, true, true),
              (E{Ereignistyp::tasteRunter, 16, Hotkey::option}));
    EXPECT_EQ(zustand.verarbeite(tabelle, tasteY, false, false),
              (E{Ereignistyp::tasteHoch, 16, Hotkey::option}));
}

TEST(XTastenTabelle, PositionenSymboleUndTastenOhneMacGegenstueck) {
    const XTastenTabelle tabelle = deutscheTabelle();
    // The key labelled Z on a German keyboard sits where the US Y is.
    EXPECT_EQ(tabelle[tasteY].keyCode, 16);
    EXPECT_EQ(tabelle[feststell].keyCode, 57);
    EXPECT_EQ(tabelle[feststell].flag, 0u);
    EXPECT_EQ(tabelle[druck].keyCode, 256 + druck);
    EXPECT_EQ(tabelle.xKeycodes(61), std::vector<quint8>{altGr});
    EXPECT_TRUE(tabelle.xKeycodes(62).size() == 1 && tabelle.xKeycodes(63).empty());

    // Caps Lock made a Control key counts as left Control.
    const XTastenTabelle umbelegt = deutscheTabelle(XK_Control_L);
    EXPECT_EQ(umbelegt[feststell].keyCode, 59);
    EXPECT_EQ(umbelegt[feststell].flag, Hotkey::control);
    EXPECT_EQ(umbelegt.xKeycodes(59), (std::vector<quint8>{linkeStrg, feststell}));
}

} // namespace
} // namespace parlix
