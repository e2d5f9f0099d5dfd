#pragma once

#include "app/platform/Mikrofon.hpp"

#include <vector>

namespace parlix {

// The microphones as the settings and the permission rows need them. Main thread; each
// call asks the sound server afresh and may take a moment when it does not answer.
class MikrofonDienst {
public:
    virtual ~MikrofonDienst() = default;

    // The inputs in the sound server's order; empty when it cannot be reached.
    virtual std::vector<Mikrofon> liste() = 0;
    // Whether a recording can be opened on the default input right now.
    virtual bool kannAufnehmen() = 0;
    // Opens the desktop's sound settings; false when no program for them was found.
    virtual bool oeffneToneinstellungen() = 0;
};

} // namespace parlix
