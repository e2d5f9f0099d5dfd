#pragma once

#include "app/platform/KindProzess.hpp"

#include <QString>
#include <chrono>
#include <functional>

namespace parlix::test {

// Runs the Qt event loop until `bedingung` holds or `frist` has passed; whether it holds.
bool laufeBis(const std::function<bool()>& bedingung,
              std::chrono::milliseconds frist = std::chrono::seconds(10));

// Whether a program printed the line `erwartet` by `frist` (lines seen before count).
bool hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                      std::chrono::milliseconds frist = std::chrono::seconds(10));

} // namespace parlix::test
