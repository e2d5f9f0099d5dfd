#pragma once

#include "app/platform/FokusOrt.hpp"

namespace parlix {

// The focused window is unknown: the overlays follow the mouse pointer instead.
class NullFokusOrt final : public FokusOrt {
public:
    std::optional<QRect> fokusFenster() override { return std::nullopt; }
};

} // namespace parlix
