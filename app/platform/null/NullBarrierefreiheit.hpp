#pragma once

#include "app/platform/Barrierefreiheit.hpp"

namespace parlix {

// No session bus: the accessibility bus is off and stays off.
class NullBarrierefreiheit final : public Barrierefreiheit {
public:
    bool aktiv() override { return false; }
    bool schalteEin() override { return false; }
};

} // namespace parlix
