#pragma once

#include "app/platform/DesktopZugang.hpp"

namespace parlix {

// No desktop to reach: neither keys nor window capture.
class NullDesktopZugang final : public DesktopZugang {
public:
    bool istWayland() override { return false; }
    bool tastenUndEingabe() override { return false; }
    bool fensterAufnahme() override { return false; }
};

} // namespace parlix
