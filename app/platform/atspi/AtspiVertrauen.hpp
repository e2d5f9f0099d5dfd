#pragma once

#include "app/platform/AXVertrauen.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"

namespace parlix {

// Parlix may act for the user when it can post keys into other applications (the
// desktop's assembly knows whether) and read their text, which it can while the
// accessibility bus answers.
class AtspiVertrauen final : public AXVertrauen {
public:
    AtspiVertrauen(const AtspiVerbindung& atspi, bool tastatur)
        : atspi_(atspi)
        , tastatur_(tastatur) {}

    bool istVertraut() override { return tastatur_ && atspi_.erreichbar(); }

private:
    const AtspiVerbindung& atspi_;
    bool tastatur_;
};

} // namespace parlix
