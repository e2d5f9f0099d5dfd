#pragma once

#include "app/platform/Arbeitsflaeche.hpp"

namespace parlix {

// The focused window is unknown: the overlays follow the mouse pointer instead. The
// desktop is taken to blend translucent windows, as every Wayland desktop does.
class NullArbeitsflaeche final : public Arbeitsflaeche {
public:
    std::optional<QRect> fokusFenster() override { return std::nullopt; }
    bool durchscheinend() override { return true; }
};

} // namespace parlix
