#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavomerix {
namespace {

// UT Julian Date at which the decimal year of the Delta T model equals `year`.
double jdOfDecimalYear(double year) { return J2000 + (year - 2000) * 365.25; }

TEST(NormalizeDegrees, ReducesToZeroTo360) {
    const struct {
        double x, expected;
    } Cases[] = {
        {-0.5, 359.5},    {360, 0},
        {720.25, 0.25},   {0, 0},
        {359.75, 359.75}, {-720, 0},
        {-1e-15, 0},  // rounds to 360 before the reduction: must come back as 0
        {1e-300, 1e-300}, {-3600000.5, 359.5},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "x = " << c.x);
        EXPECT_EQ(c.expected, normalizeDegrees(c.x));
    }
}

TEST(NormalizeRadians, StaysBelowTwoPi) {
    const double Cases[] = {-1e-15, -1e-6, 0, 1, 7, -100, 2 * AstroPi};
    for (double x : Cases) {
        SCOPED_TRACE(testing::Message() << "x = " << x);
        const double r = normalizeRadians(x);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 2 * AstroPi);
        EXPECT_NEAR(0, std::remainder(r - x, 2 * AstroPi), 1e-12);
    }
}

// Published values of Delta T (Espenak & Meeus), seconds; values of 100 s and more are
// printed rounded to 10 s.
TEST(DeltaTSeconds, PublishedValues) {
    const struct {
        double year, seconds;
    } Cases[] = {
        {-1000, 25400}, {-500, 17190}, {0, 10580},   {500, 5710},  {1000, 1570},
        {1500, 200},    {1600, 120},   {1700, 9},    {1750, 13},   {1800, 14},
        {1850, 7},      {1900, -3},    {1950, 29},   {1960, 33.2}, {1970, 40.2},
        {1980, 50.5},   {1990, 56.9},  {2000, 63.8}, {2005, 64.7},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year);
        const double tolerance =
            std::fabs(c.seconds) >= 100 ? 5 + 0.001 * std::fabs(c.seconds) : 1.0;
        EXPECT_NEAR(c.seconds, deltaTSeconds(jdOfDecimalYear(c.year)), tolerance);
    }
}

// Each row starts where the previous one ends to within a fraction of a second, except at
// 2150, where the factor drops from 32 to 31: about 10.9 s less at the boundary.
TEST(DeltaTSeconds, RowsMeetAtTheirBoundaries) {
    const double Bounds[] = {-500, 500,  1600, 1700, 1800, 1860, 1900,
                             1920, 1941, 1961, 1986, 2005, 2050};
    constexpr double Just = 1e-6;  // days
    for (double year : Bounds) {
        SCOPED_TRACE(testing::Message() << "year " << year);
        const double jd = jdOfDecimalYear(year);
        EXPECT_NEAR(0, deltaTSeconds(jd) - deltaTSeconds(jd - Just), 0.5);
    }
    const double jd2150 = jdOfDecimalYear(2150);
    EXPECT_NEAR(-10.89, deltaTSeconds(jd2150) - deltaTSeconds(jd2150 - Just), 0.01);
    EXPECT_NEAR(317.59, deltaTSeconds(jd2150), 1e-9);
}

TEST(LocalDayNumber, FollowsTheZone) {
    const struct {
        int zone;
        double jdUt, local;
        int day;
        double midnightUt;
    } Cases[] = {
        {8, 2451545.0, 2451545.8333333333, 2451545, 2451544.1666666667},  // 2000-01-01 20:00
        {0, 2451545.0, 2451545.5, 2451545, 2451544.5},
        {-12, 2451545.0, 2451545.0, 2451545, 2451545.0},  // local midnight exactly
        {12, 2451545.0, 2451546.0, 2451546, 2451545.0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "zone " << c.zone);
        EXPECT_NEAR(c.local, localDayNumber(c.jdUt, c.zone), 1e-9);
        EXPECT_EQ(c.day, static_cast<int>(std::floor(localDayNumber(c.jdUt, c.zone))));
        EXPECT_NEAR(c.midnightUt, localMidnightUt(c.day, c.zone), 1e-9);
    }
}

}  // namespace
}  // namespace tavomerix
