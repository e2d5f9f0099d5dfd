#pragma once

#include <chrono>
#include <functional>

namespace parlix::test {

// Checks `bedingung` every few milliseconds until it holds (true) or `frist` has passed
// (false). For conditions on other processes; nothing runs on this thread meanwhile.
bool warteBis(const std::function<bool()>& bedingung,
              std::chrono::milliseconds frist = std::chrono::seconds(20));

} // namespace parlix::test
