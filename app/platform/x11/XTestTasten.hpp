#pragma once

#include "app/platform/linux/Tastenkombination.hpp"

#include <memory>

namespace parlix {

// Posts shortcuts to the focused window through the XTEST extension, on a connection
// of its own. Key codes are looked up from the keysym in the layout in force at the
// call (layouts put "v" on different keys). One thread at a time.
class XTestTasten {
public:
    XTestTasten();
    ~XTestTasten();
    XTestTasten(const XTestTasten&) = delete;
    XTestTasten& operator=(const XTestTasten&) = delete;

    // Whether a modifier key (Shift, Control, Alt, Super, AltGr ...) is held down now.
    bool modifikatorGedrueckt();

    // Posts modifiers down, key down, key up, modifiers up, without pauses. False when
    // there is no X server or the layout has no key for the keysym.
    bool druecke(const Tastenkombination& kombination);

private:
    struct Kern;
    std::unique_ptr<Kern> kern_;
};

} // namespace parlix
