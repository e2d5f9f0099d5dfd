#pragma once

#include "app/platform/KontextDienste.hpp"

namespace parlix {

class MainQueue;

// The accessibility bus's services for a desktop's assembly, over one connection.
namespace AtspiDienste {

// `mainQueue` outlives them. Main thread.
KontextDienste erstelle(MainQueue& mainQueue);

} // namespace AtspiDienste

} // namespace parlix
