#pragma once

#include <QString>
#include <optional>

namespace parlix {

struct Hotkey;

// The keys of a PC keyboard under their three names: the macOS virtual key code that
// stored hotkeys use, the Linux input event code (evdev, uinput, the virtual keyboard)
// and the keysym name (xkbcommon, sway bindings). Modifiers map Control to Control, Alt
// to Option and Super to Command.
namespace LinuxTasten {

struct Taste {
    quint16 mac = 0;
    quint16 evdev = 0;
    const char* keysym = "";
};

std::optional<Taste> ausMac(qint64 keyCode);
std::optional<Taste> ausEvdev(quint16 code);

// The macOS modifier bit (Hotkey::control ...) a key produces; 0 for other keys.
quint64 modifierBit(quint16 mac);

// The event that a press (`unten`) or release of a whole hotkey stands for, where only
// the hotkey as such is reported (compositor bindings, portals): a modifier alone as a
// flag change, another key as key down or up, with the hotkey's modifiers.
struct Meldung {
    quint32 typ = 0;
    qint64 keyCode = 0;
    quint64 flags = 0;
};
Meldung meldung(const Hotkey& hotkey, bool unten);

// sway's name of a hotkey: "Ctrl+Shift+l", "Control_L", "F5"; nothing for keys the
// table does not know.
std::optional<QString> swayName(qint64 keyCode, quint64 modifiers);

} // namespace LinuxTasten

} // namespace parlix
