#pragma once

#include "app/platform/KindProzess.hpp"

#include <functional>

namespace parlix::test {

// Whether the test field (parlix_testfeld, started with "--escape") sees Escape: `druecke` presses
// it again every 300 ms until the field prints "[Escape]", for 10 s at most. Output the field
// printed before is not counted.
bool feldSiehtEscape(KindProzess& feld, const std::function<bool()>& druecke);

} // namespace parlix::test
