#pragma once

#include "app/platform/AXVertrauen.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"

namespace parlix {

// On Wayland Parlix may post keys when the compositor gave it a keyboard, and read
// other applications' text when the accessibility bus answers.
class WaylandVertrauen final : public AXVertrauen {
public:
    WaylandVertrauen(const AtspiVerbindung& atspi, bool tastatur)
        : atspi_(atspi)
        , tastatur_(tastatur) {}

    bool istVertraut() override { return tastatur_ && atspi_.erreichbar(); }

private:
    const AtspiVerbindung& atspi_;
    bool tastatur_;
};

} // namespace parlix
