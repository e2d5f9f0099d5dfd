#pragma once

#include "app/platform/KindProzess.hpp"

#include <QString>
#include <chrono>

namespace parlix::test {

// Whether a program printed the line `erwartet` by `frist` (lines seen before count).
bool hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                      std::chrono::milliseconds frist = std::chrono::seconds(10));

} // namespace parlix::test
