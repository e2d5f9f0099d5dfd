#pragma once

#include "app/ui/FensterSteuerung.hpp"

#include <memory>

namespace parlix {

struct FensterUmfeld;

// The window controller of the running program, over the start-up's objects and the
// real maintenance services (autostart entry, updater, restart). A FensterFabrik.
std::unique_ptr<FensterSteuerung> baueFenster(const FensterUmfeld& umfeld);

} // namespace parlix
