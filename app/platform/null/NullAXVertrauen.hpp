#pragma once

#include "app/platform/AXVertrauen.hpp"

namespace parlix {

// Other applications cannot be read or driven on this desktop.
class NullAXVertrauen final : public AXVertrauen {
public:
    bool istVertraut() override { return false; }
};

} // namespace parlix
