#pragma once

#include "app/platform/KindProzess.hpp"

#include <QString>
#include <chrono>
#include <gtest/gtest.h>

namespace parlix::test {

// Whether a program printed the line `erwartet` by `frist` (lines seen before count); on
// failure, what it printed.
::testing::AssertionResult
hatZeileGedruckt(KindProzess& programm, const QString& erwartet,
                 std::chrono::milliseconds frist = std::chrono::seconds(10));

} // namespace parlix::test
