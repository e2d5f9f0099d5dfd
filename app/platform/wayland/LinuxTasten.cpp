#include "app/platform/wayland/LinuxTasten.hpp"

#include "core/hotkeys/Ereignistyp.hpp"
#include "core/hotkeys/Hotkey.hpp"

#include <linux/input-event-codes.h>

using namespace Qt::StringLiterals;

namespace parlix::LinuxTasten {

namespace {

constexpr Taste kTasten[] = {
    {0, KEY_A, "a"},
    {1, KEY_S, "s"},
    {2, KEY_D, "d"},
    {3, KEY_F, "f"},
    {4, KEY_H, "h"},
    {5, KEY_G, "g"},
    {6, KEY_Z, "z"},
    {7, KEY_X, "x"},
    {8, KEY_C, "c"},
    {9, KEY_V, "v"},
    {11, KEY_B, "b"},
    {12, KEY_Q, "q"},
    {13, KEY_W, "w"},
    {14, KEY_E, "e"},
    {15, KEY_R, "r"},
    {16, KEY_Y, "y"},
    {17, KEY_T, "t"},
    {18, KEY_1, "1"},
    {19, KEY_2, "2"},
    {20, KEY_3, "3"},
    {21, KEY_4, "4"},
    {22, KEY_6, "6"},
    {23, KEY_5, "5"},
    {24, KEY_EQUAL, "equal"},
    {25, KEY_9, "9"},
    {26, KEY_7, "7"},
    {27, KEY_MINUS, "minus"},
    {28, KEY_8, "8"},
    {29, KEY_0, "0"},
    {30, KEY_RIGHTBRACE, "bracketright"},
    {31, KEY_O, "o"},
    {32, KEY_U, "u"},
    {33, KEY_LEFTBRACE, "bracketleft"},
    {34, KEY_I, "i"},
    {35, KEY_P, "p"},
    {36, KEY_ENTER, "Return"},
    {37, KEY_L, "l"},
    {38, KEY_J, "j"},
    {39, KEY_APOSTROPHE, "apostrophe"},
    {40, KEY_K, "k"},
    {41, KEY_SEMICOLON, "semicolon"},
    {42, KEY_BACKSLASH, "backslash"},
    {43, KEY_COMMA, "comma"},
    {44, KEY_SLASH, "slash"},
    {45, KEY_N, "n"},
    {46, KEY_M, "m"},
    {47, KEY_DOT, "period"},
    {48, KEY_TAB, "Tab"},
    {49, KEY_SPACE, "space"},
    {50, KEY_GRAVE, "grave"},
    {51, KEY_BACKSPACE, "BackSpace"},
    {53, KEY_ESC, "Escape"},
    {54, KEY_RIGHTMETA, "Super_R"},
    {55, KEY_LEFTMETA, "Super_L"},
    {56, KEY_LEFTSHIFT, "Shift_L"},
    {57, KEY_CAPSLOCK, "Caps_Lock"},
    {58, KEY_LEFTALT, "Alt_L"},
    {59, KEY_LEFTCTRL, "Control_L"},
    {60, KEY_RIGHTSHIFT, "Shift_R"},
    {61, KEY_RIGHTALT, "Alt_R"},
    {62, KEY_RIGHTCTRL, "Control_R"},
    {64, KEY_F17, "F17"},
    {96, KEY_F5, "F5"},
    {97, KEY_F6, "F6"},
    {98, KEY_F7, "F7"},
    {99, KEY_F3, "F3"},
    {100, KEY_F8, "F8"},
    {101, KEY_F9, "F9"},
    {103, KEY_F11, "F11"},
    {105, KEY_F13, "F13"},
    {106, KEY_F16, "F16"},
    {107, KEY_F14, "F14"},
    {109, KEY_F10, "F10"},
    {111, KEY_F12, "F12"},
    {113, KEY_F15, "F15"},
    {114, KEY_INSERT, "Insert"},
    {115, KEY_HOME, "Home"},
    {116, KEY_PAGEUP, "Prior"},
    {117, KEY_DELETE, "Delete"},
    {118, KEY_F4, "F4"},
    {119, KEY_END, "End"},
    {120, KEY_F2, "F2"},
    {121, KEY_PAGEDOWN, "Next"},
    {122, KEY_F1, "F1"},
    {123, KEY_LEFT, "Left"},
    {124, KEY_RIGHT, "Right"},
    {125, KEY_DOWN, "Down"},
    {126, KEY_UP, "Up"},
    {10, KEY_102ND, "less"},
    {52, KEY_KPENTER, "KP_Enter"},
    {65, KEY_KPDOT, "KP_Decimal"},
    {67, KEY_KPASTERISK, "KP_Multiply"},
};

template <class Passt> std::optional<Taste> finde(Passt passt) {
    for (const Taste& taste : kTasten) {
        if (passt(taste)) {
            return taste;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Taste> ausMac(qint64 keyCode) {
    return finde([&](const Taste& t) { return t.mac == keyCode; });
}

std::optional<Taste> ausEvdev(quint16 code) {
    return finde([&](const Taste& t) { return t.evdev == code; });
}

quint64 modifierBit(quint16 mac) {
    switch (mac) {
    case 56:
    case 60:
        return Hotkey::shift;
    case 59:
    case 62:
        return Hotkey::control;
    case 58:
    case 61:
        return Hotkey::option;
    case 54:
    case 55:
        return Hotkey::command;
    default:
        return 0;
    }
}

Meldung meldung(const Hotkey& hotkey, bool unten) {
    if (hotkey.istModifierTaste) {
        const quint64 eigenes = unten ? modifierBit(static_cast<quint16>(hotkey.keyCode)) : 0;
        return {Ereignistyp::flagsGeaendert, hotkey.keyCode, hotkey.modifiers | eigenes};
    }
    return {unten ? Ereignistyp::tasteRunter : Ereignistyp::tasteHoch, hotkey.keyCode,
            hotkey.modifiers};
}

std::optional<QString> swayName(qint64 keyCode, quint64 modifiers) {
    const auto taste = ausMac(keyCode);
    if (!taste) {
        return std::nullopt;
    }
    QString name;
    for (const auto& [bit, mod] :
         {std::pair{Hotkey::control, u"Ctrl+"_s}, std::pair{Hotkey::option, u"Mod1+"_s},
          std::pair{Hotkey::shift, u"Shift+"_s}, std::pair{Hotkey::command, u"Mod4+"_s}}) {
        if ((modifiers & bit) != 0) {
            name += mod;
        }
    }
    return name + QString::fromLatin1(taste->keysym);
}

} // namespace parlix::LinuxTasten
