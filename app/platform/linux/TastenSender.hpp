#pragma once

#include "app/platform/linux/Tastenkombination.hpp"

#include <vector>

namespace parlix {

// A way to post a shortcut into the focused application: the X server's XTEST, or on
// Wayland the compositor's virtual keyboard, the RemoteDesktop portal or a uinput device.
class TastenSender {
public:
    virtual ~TastenSender() = default;

    // Posts the shortcut once; false when it could not be posted. Any thread.
    virtual bool tippe(const Tastenkombination& taste) = 0;

    // Whether the user holds a modifier key (Shift, Control, Alt, Super, AltGr ...) down
    // now, which would turn a shortcut into another; false where that cannot be seen.
    virtual bool modifikatorGedrueckt() { return false; }

protected:
    // The keysyms of the shortcut in the order they go down (Control, Shift, the key);
    // they come up in the reverse order.
    static std::vector<quint32> gedrueckt(const Tastenkombination& taste);
};

} // namespace parlix
