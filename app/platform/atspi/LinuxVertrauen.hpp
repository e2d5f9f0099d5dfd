#pragma once

#include "app/platform/AXVertrauen.hpp"

namespace parlix {

class AtspiVerbindung;

// Parlix can post keystrokes and read other applications' text when the X server has
// the XTEST and XInputExtension extensions and the accessibility bus answered.
class LinuxVertrauen final : public AXVertrauen {
public:
    // Asks the X server once (the extensions of a running server do not change).
    explicit LinuxVertrauen(const AtspiVerbindung& verbindung);

    bool istVertraut() override;

private:
    const AtspiVerbindung& verbindung_;
    bool erweiterungen_ = false;
};

} // namespace parlix
