#include "astro/solar_position.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <span>

#include "astro/nutation_tables.h"
#include "astro/time_scales.h"
#include "astro/vsop87d_earth_tables.h"

namespace tavomerix {
namespace {

constexpr double OneArcsecondDegrees = 1.0 / 3600;

void expectRow(const PeriodicTerm& expected, const PeriodicTerm& actual) {
    EXPECT_EQ(expected.amplitude, actual.amplitude);
    EXPECT_EQ(expected.phase, actual.phase);
    EXPECT_EQ(expected.frequency, actual.frequency);
}

// First and last rows of every Earth table, as published in VSOP87D.
TEST(EarthTables, FirstAndLastRows) {
    const struct {
        const char* name;
        std::span<const PeriodicTerm> table;
        std::size_t size;
        PeriodicTerm first, last;
    } Cases[] = {
        // clang-format off
        {"EarthLongitude0", EarthLongitude[0], 190, {1.75347045673, 0.00000000000, 0.00000000000}, {0.00000000106, 5.49092372854, 62883.35513951360}},
        {"EarthLongitude1", EarthLongitude[1], 80, {6283.31966747491, 0.00000000000, 0.00000000000}, {0.00000001268, 2.09196018331, 6290.18939699220}},
        {"EarthLongitude2", EarthLongitude[2], 40, {0.00052918870, 0.00000000000, 0.00000000000}, {0.00000000490, 2.34129524194, 1592.59601363280}},
        {"EarthLongitude3", EarthLongitude[3], 8, {0.00000289226, 5.84384198723, 6283.07584999140}, {0.00000000402, 3.78682982419, 553.56940284240}},
        {"EarthLongitude4", EarthLongitude[4], 8, {0.00000114084, 3.14159265359, 0.00000000000}, {0.00000000013, 0.48794833701, 77713.77146812050}},
        {"EarthLongitude5", EarthLongitude[5], 4, {0.00000000878, 3.14159265359, 0.00000000000}, {0.00000000028, 2.21496423926, 12566.15169998280}},
        {"EarthLatitude0", EarthLatitude[0], 80, {0.00000279620, 3.19870156017, 84334.66158130829}, {0.00000000404, 1.46193297142, 15720.83878487840}},
        {"EarthLatitude1", EarthLatitude[1], 40, {0.00000009030, 3.89729061890, 5507.55323866740}, {0.00000000161, 3.32421999691, 6283.31966747490}},
        {"EarthLatitude2", EarthLatitude[2], 20, {0.00000001662, 1.62703209173, 84334.66158130829}, {0.00000000019, 4.32945160287, 17789.84561978500}},
        {"EarthLatitude3", EarthLatitude[3], 8, {0.00000000011, 0.23877262399, 7860.41939243920}, {0.00000000008, 2.42003508927, 5753.38488489680}},
        {"EarthLatitude4", EarthLatitude[4], 4, {0.00000000004, 0.79662198849, 6438.49624942560}, {0.00000000003, 3.46779895686, 6279.55273164240}},
        {"EarthRadius0", EarthRadius[0], 120, {1.00013988799, 0.00000000000, 0.00000000000}, {0.00000002154, 6.03828341543, 10873.98603048040}},
        {"EarthRadius1", EarthRadius[1], 60, {0.00103018608, 1.10748969588, 6283.07584999140}, {0.00000000644, 4.19478168733, 6040.34724601740}},
        {"EarthRadius2", EarthRadius[2], 40, {0.00004359385, 5.78455133738, 6283.07584999140}, {0.00000000214, 3.38285934319, 7632.94325965020}},
        {"EarthRadius3", EarthRadius[3], 6, {0.00000144595, 4.27319435148, 6283.07584999140}, {0.00000000033, 5.62216602775, 6127.65545055720}},
        {"EarthRadius4", EarthRadius[4], 6, {0.00000003858, 2.56384387339, 6283.07584999140}, {0.00000000007, 4.41218854480, 161000.68573767410}},
        {"EarthRadius5", EarthRadius[5], 2, {0.00000000086, 1.21579741687, 6283.07584999140}, {0.00000000012, 0.65617264033, 12566.15169998280}},
        // clang-format on
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.size, c.table.size());
        expectRow(c.first, c.table.front());
        expectRow(c.last, c.table.back());
    }
}

// The longitude's tau^0 table holds the first 160 terms, then terms 501..530.
TEST(EarthTables, LongitudeBlockBoundary) {
    expectRow({0.00000003030, 1.80209931347, 35371.88726597640}, EarthLongitude0[159]);
    expectRow({0.00000000094, 0.68997876060, 7834.12107263940}, EarthLongitude0[160]);
}

TEST(NutationTable, FirstSecondAndLastRows) {
    const auto fields = [](const NutationTerm& r) {
        return std::array{r.d, r.m, r.mp, r.f, r.omega, r.s, r.sDot, r.c, r.cDot};
    };
    EXPECT_EQ((std::array{0.0, 0.0, 0.0, 0.0, 1.0, -171996.0, -174.2, 92025.0, 8.9}),
              fields(NutationTerms[0]));
    EXPECT_EQ((std::array{-2.0, 0.0, 0.0, 2.0, 2.0, -13187.0, -1.6, 5736.0, -3.1}),
              fields(NutationTerms[1]));
    EXPECT_EQ((std::array{2.0, 0.0, 0.0, 2.0, 1.0, -7.0, 0.0, 3.0, 0.0}),
              fields(NutationTerms[39]));
}

// Textbook worked examples (1987-04-10 and 1992-10-13, 0h TD), and for the Earth the full
// VSOP87D series at the second date.
TEST(SolarPosition, PublishedValues) {
    EXPECT_NEAR(-3.788, nutationInLongitude(2446895.5) * 3600, 0.01);
    constexpr double Jde = 2448908.5;
    EXPECT_NEAR(15.908, nutationInLongitude(Jde) * 3600, 0.01);
    EXPECT_NEAR(-20.539, solarAberration(Jde) * 3600, 0.02);
    EXPECT_NEAR(-43.634849268 + 14 * AstroPi, earthLongitude(Jde), 2e-7);
    EXPECT_NEAR(0.997608520, earthRadius(Jde), 1e-8);
    // Latitude -0.0000036067 rad comes back as 2*pi less its size.
    EXPECT_NEAR(2 * AstroPi - 0.0000036067, earthLatitude(Jde), 1e-8);
    EXPECT_NEAR(199 + 54.0 / 60 + 21.56 / 3600, apparentSolarLongitude(Jde),
                0.2 * OneArcsecondDegrees);
}

// Over a year in steps of 0.1 day the longitude grows by 0.095..0.103 degrees a step,
// stays in [0, 360) and wraps once.
TEST(SolarPosition, ContinuousAndNormalisedOverAYear) {
    constexpr double Step = 0.1;
    double previous = apparentSolarLongitude(2451545.0);
    int wraps = 0;
    for (int i = 1; i <= 3653; ++i) {
        const double jde = 2451545.0 + i * Step;
        const double lambda = apparentSolarLongitude(jde);
        SCOPED_TRACE(testing::Message() << "jde " << jde);
        ASSERT_GE(lambda, 0);
        ASSERT_LT(lambda, 360);
        double delta = lambda - previous;
        if (delta < 0) {
            delta += 360;
            ++wraps;
        }
        ASSERT_GT(delta, 0.095);
        ASSERT_LT(delta, 0.103);
        previous = lambda;
    }
    EXPECT_EQ(1, wraps);
}

TEST(SolarPosition, FarFromJ2000StillEvaluates) {
    const double Cases[] = {-1930711.0, 5373484.0};  // -9998-01-01 and 9999-12-31
    for (double jde : Cases) {
        SCOPED_TRACE(testing::Message() << "jde " << jde);
        const double lambda = apparentSolarLongitude(jde);
        EXPECT_TRUE(lambda >= 0 && lambda < 360);
    }
}

}  // namespace
}  // namespace tavomerix
