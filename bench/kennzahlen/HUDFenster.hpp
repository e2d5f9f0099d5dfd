#pragma once

#include "bench/kennzahlen/Kennzahl.hpp"

#include <QList>

namespace parlix::bench {

// The HUD window alone, animating at 60 frames per second with a moving level: its
// process's share of one core and the processor time per frame. Measured by the HUD's
// desktop benchmark program in a desktop of its own, so that nothing else of parlix
// counts in.
namespace HUDFenster {

// Empty when the program failed.
QList<Kennzahl> miss();

} // namespace HUDFenster

} // namespace parlix::bench
