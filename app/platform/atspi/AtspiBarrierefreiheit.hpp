#pragma once

#include "app/platform/Barrierefreiheit.hpp"

namespace parlix {

// The AT-SPI bus of the session, switched through the property IsEnabled of
// org.a11y.Status on the session bus (what the desktop's own accessibility switch sets).
class AtspiBarrierefreiheit final : public Barrierefreiheit {
public:
    bool aktiv() override;
    bool schalteEin() override;
};

} // namespace parlix
