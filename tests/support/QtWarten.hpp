#pragma once

#include <chrono>
#include <functional>

namespace parlix::test {

// Runs the Qt event loop until the condition holds (true) or the time is up (false).
// For tests of windows and animations, which run on the real event loop.
bool warteQt(const std::function<bool()>& bedingung,
             std::chrono::milliseconds frist = std::chrono::seconds(5));

} // namespace parlix::test
