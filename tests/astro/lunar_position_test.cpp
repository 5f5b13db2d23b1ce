#include "astro/lunar_position.h"

#include <gtest/gtest.h>

#include "astro/lunar_tables.h"
#include "astro/time_scales.h"

namespace tavomerix {
namespace {

TEST(LunarTables, FirstAndLastRows) {
    EXPECT_EQ(22639.58588, LunarTerms0[0].amplitude);
    EXPECT_EQ(-1.1863391e-09, LunarTerms0[0].rate4);
    EXPECT_EQ(1.2618162, LunarTerms0[54].amplitude);
    EXPECT_EQ(16728.3705250656, LunarTerms0[54].rate);
    EXPECT_EQ(1.6768, LunarTerms1[0].amplitude);
    EXPECT_EQ(-6.8852003e-05, LunarTerms1[7].rate2);
    EXPECT_EQ(0.00487, LunarTerms2[0].amplitude);
    EXPECT_EQ(9.3204945e-10, LunarTerms2[2].rate4);
}

// IAU 2006 general precession in longitude: 5028.796195 T + 1.1054348 T^2 arcseconds.
TEST(GeneralPrecession, PublishedValues) {
    const struct {
        double centuries, degrees;
    } Cases[] = {
        {1, 1.397195},
        {-1, 358.603419},  // negative values wrap to just below 360
        {10, 13.99954},
    };
    EXPECT_EQ(0, generalPrecession(J2000));
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.centuries << " centuries");
        EXPECT_NEAR(c.degrees, generalPrecession(J2000 + 36525 * c.centuries), 0.002);
    }
}

// Textbook worked example: the Moon on 1992-04-12 0h TD, apparent longitude 133.167265.
TEST(LunarPosition, TextbookExample) {
    EXPECT_NEAR(133.167265, apparentLunarLongitude(2448724.5), 0.003);
}

// Over a month in steps of 0.05 day the Moon moves 0.5..0.8 degrees a step, in [0, 360).
TEST(LunarPosition, ContinuousAndNormalised) {
    double previous = apparentLunarLongitude(J2000);
    for (int i = 1; i <= 600; ++i) {
        const double jde = J2000 + i * 0.05;
        const double lambda = apparentLunarLongitude(jde);
        SCOPED_TRACE(testing::Message() << "jde " << jde);
        ASSERT_GE(lambda, 0);
        ASSERT_LT(lambda, 360);
        double delta = lambda - previous;
        if (delta < 0) delta += 360;
        ASSERT_GT(delta, 0.5);
        ASSERT_LT(delta, 0.8);
        previous = lambda;
    }
}

}  // namespace
}  // namespace tavomerix
