#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/historical_reckoning.h"

namespace tavomerix {
namespace {

TEST(ApplyTermDayCorrection, MovesOnlyTheListedDay) {
    const struct {
        double t, expected;
    } Cases[] = {
        {1683429.0, 1683431.0},  // start of the listed day
        {1683429.84, 1683431.0}, {1683428.999, 1683428.999},
        {1683430.0, 1683430.0},  {2451900.9, 2451900.9},
        {-1e12, -1e12},  // outside the day range: unchanged
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "t = " << c.t);
        EXPECT_EQ(c.expected, applyTermDayCorrection(c.t));
    }
    EXPECT_TRUE(std::isnan(applyTermDayCorrection(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace tavomerix
