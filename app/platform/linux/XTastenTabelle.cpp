#include "app/platform/linux/XTastenTabelle.hpp"

#include "core/hotkeys/Hotkey.hpp"

#include <X11/keysym.h>
#include <algorithm>

namespace parlix {

namespace {

struct Position {
    quint8 xKeycode;
    quint16 keyCode;
};

// X key code (evdev + 8) → Mac virtual key code, by position on the keyboard.
constexpr Position positionen[] = {
    // Digits row
    {9, 53},
    {10, 18},
    {11, 19},
    {12, 20},
    {13, 21},
    {14, 23},
    {15, 22},
    {16, 26},
    {17, 28},
    {18, 25},
    {19, 29},
    {20, 27},
    {21, 24},
    {22, 51},
    {49, 50},
    // Letter rows
    {23, 48},
    {24, 12},
    {25, 13},
    {26, 14},
    {27, 15},
    {28, 17},
    {29, 16},
    {30, 32},
    {31, 34},
    {32, 31},
    {33, 35},
    {34, 33},
    {35, 30},
    {36, 36},
    {38, 0},
    {39, 1},
    {40, 2},
    {41, 3},
    {42, 5},
    {43, 4},
    {44, 38},
    {45, 40},
    {46, 37},
    {47, 41},
    {48, 39},
    {51, 42},
    {52, 6},
    {53, 7},
    {54, 8},
    {55, 9},
    {56, 11},
    {57, 45},
    {58, 46},
    {59, 43},
    {60, 47},
    {61, 44},
    {65, 49},
    {94, 10},
    // Modifiers where the layout leaves them
    {37, 59},
    {50, 56},
    {62, 60},
    {64, 58},
    {66, 57},
    {105, 62},
    {108, 61},
    {133, 55},
    {134, 54},
    // Function keys
    {67, 122},
    {68, 120},
    {69, 99},
    {70, 118},
    {71, 96},
    {72, 97},
    {73, 98},
    {74, 100},
    {75, 101},
    {76, 109},
    {95, 103},
    {96, 111},
    {191, 105},
    {192, 107},
    {193, 113},
    {194, 106},
    {195, 64},
    {196, 79},
    {197, 80},
    {198, 90},
    // Navigation
    {110, 115},
    {111, 126},
    {112, 116},
    {113, 123},
    {114, 124},
    {115, 119},
    {116, 125},
    {117, 121},
    {118, 114},
    {119, 117},
    {135, 110},
    // Keypad
    {63, 67},
    {77, 71},
    {79, 89},
    {80, 91},
    {81, 92},
    {82, 78},
    {83, 86},
    {84, 87},
    {85, 88},
    {86, 69},
    {87, 83},
    {88, 84},
    {89, 85},
    {90, 82},
    {91, 65},
    {104, 76},
    {106, 75},
    {125, 81},
    {129, 95},
    // Volume; Japanese keys
    {121, 74},
    {122, 73},
    {123, 72},
    {97, 94},
    {100, 104},
    {102, 102},
    {132, 93},
};

struct Symbol {
    quint64 keysym;
    quint16 keyCode;
    quint64 flag;
};

// Keys taken by what they produce.
constexpr Symbol symbole[] = {
    {XK_Control_L, 59, Hotkey::control},
    {XK_Control_R, 62, Hotkey::control},
    {XK_Shift_L, 56, Hotkey::shift},
    {XK_Shift_R, 60, Hotkey::shift},
    {XK_Alt_L, 58, Hotkey::option},
    {XK_Meta_L, 58, Hotkey::option},
    {XK_Alt_R, 61, Hotkey::option},
    {XK_Meta_R, 61, Hotkey::option},
    {XK_ISO_Level3_Shift, 61, Hotkey::option},
    {XK_Super_L, 55, Hotkey::command},
    {XK_Super_R, 54, Hotkey::command},
    {XK_Caps_Lock, 57, 0},
    {XK_Escape, 53, 0},
};

} // namespace

XTastenTabelle::XTastenTabelle(const Keysym& keysym) {
    for (int x = 0; x < 256; ++x) {
        tasten_[x].keyCode = static_cast<quint16>(256 + x);
    }
    for (const Position& p : positionen) {
        tasten_[p.xKeycode].keyCode = p.keyCode;
    }
    for (int x = 8; x < 256; ++x) {
        const quint64 symbol = keysym(static_cast<quint8>(x));
        const auto* treffer =
            std::find_if(std::begin(symbole), std::end(symbole),
                         [symbol](const Symbol& s) { return s.keysym == symbol; });
        if (treffer != std::end(symbole)) {
            tasten_[x] = {treffer->keyCode, treffer->flag};
        } else if (tasten_[x].keyCode >= 54 && tasten_[x].keyCode <= 62) {
            // A modifier position that the layout gives another meaning is no modifier.
            tasten_[x].keyCode = static_cast<quint16>(256 + x);
        }
    }
}

std::vector<quint8> XTastenTabelle::xKeycodes(qint64 keyCode) const {
    std::vector<quint8> codes;
    for (int x = 8; x < 256; ++x) {
        if (tasten_[x].keyCode == keyCode) {
            codes.push_back(static_cast<quint8>(x));
        }
    }
    return codes;
}

std::optional<std::vector<quint16>>
XTastenTabelle::kernelCodes(const Keysym& belegung, const std::vector<quint32>& keysyms) {
    constexpr int versatz = 8;
    std::vector<quint16> codes;
    for (const quint32 keysym : keysyms) {
        int x = versatz;
        while (x <= 255 && belegung(static_cast<quint8>(x)) != keysym) {
            ++x;
        }
        if (x > 255) {
            return std::nullopt;
        }
        codes.push_back(static_cast<quint16>(x - versatz));
    }
    return codes;
}

} // namespace parlix
