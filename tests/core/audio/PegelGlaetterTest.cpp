#include "core/audio/PegelGlaetter.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace parlix;

namespace {

TEST(PegelGlaetterTest, RisesWithAttackAndFallsWithDecay) {
    PegelGlaetter glaetter(0.5f, 0.12f);
    EXPECT_EQ(glaetter.aktuell(), 0.0f);
    EXPECT_EQ(glaetter.schiebe(1.0f), 0.5f);
    EXPECT_EQ(glaetter.schiebe(1.0f), 0.75f);
    EXPECT_EQ(glaetter.aktuell(), 0.75f);
    glaetter.reset();
    EXPECT_EQ(glaetter.aktuell(), 0.0f);

    PegelGlaetter fallend(0.5f, 0.12f);
    while (fallend.aktuell() < 1.0f) {
        fallend.schiebe(1.0f);
    }
    EXPECT_EQ(fallend.schiebe(0.0f), 0.88f);
    // A steady level uses decay too, and stays where it is.
    EXPECT_EQ(fallend.schiebe(0.88f), 0.88f);
}

TEST(PegelGlaetterTest, ClampsInputAndTreatsNaNAsSilence) {
    PegelGlaetter glaetter(0.5f, 0.12f);
    EXPECT_EQ(glaetter.schiebe(-3.0f), 0.0f);
    EXPECT_EQ(glaetter.schiebe(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(glaetter.schiebe(std::numeric_limits<float>::infinity()), 0.5f);
    while (glaetter.aktuell() < 1.0f) {
        glaetter.schiebe(1.7f);
    }
    EXPECT_EQ(glaetter.schiebe(1.7f), 1.0f);
    EXPECT_EQ(glaetter.schiebe(std::numeric_limits<float>::quiet_NaN()), 0.88f);
    EXPECT_FALSE(std::isnan(glaetter.aktuell()));
    EXPECT_FLOAT_EQ(glaetter.schiebe(-std::numeric_limits<float>::infinity()), 0.7744f);
}

} // namespace
