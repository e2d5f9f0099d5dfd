#pragma once

#include <QtGlobal>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace parlix {

// The one translation from X key codes to the macOS virtual key codes and modifier flag
// bits that Hotkey stores, so that stored hotkeys and the key names work unchanged.
//
// Keys are taken by their position (X key codes in the evdev numbering that current X
// servers use): letters sit at their US places whatever the layout, as on the Mac.
// Modifier keys, Caps Lock and Escape are taken by what they produce instead, so a key
// remapped by the layout counts as the key it acts as (Caps Lock made a Control key is
// left Control). Left and right modifiers keep their own codes; AltGr is right Alt
// (Option), Super is Command. A key with no Mac counterpart gets 256 + its X key code.
class XTastenTabelle {
public:
    struct Taste {
        quint16 keyCode = 0;
        // The modifier bit the key produces (Hotkey::shift ...), 0 for other keys.
        quint64 flag = 0;
    };

    // keysym: the symbol an X key code produces without modifiers (0 when none).
    using Keysym = std::function<quint64(quint8 xKeycode)>;

    explicit XTastenTabelle(const Keysym& keysym);

    Taste operator[](quint8 xKeycode) const { return tasten_[xKeycode]; }
    // The X key codes that give `keyCode`; empty when no key does.
    std::vector<quint8> xKeycodes(qint64 keyCode) const;

    // The kernel's key codes (X's minus 8) of the first keys that give `keysyms` without
    // modifiers on `belegung`, for devices that send key codes and leave the layout to
    // the compositor; nothing when one is not on the layout.
    static std::optional<std::vector<quint16>> kernelCodes(const Keysym& belegung,
                                                           const std::vector<quint32>& keysyms);

private:
    std::array<Taste, 256> tasten_{};
};

} // namespace parlix
