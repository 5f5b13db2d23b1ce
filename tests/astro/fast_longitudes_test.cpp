#include "astro/fast_longitudes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "astro/lunar_position.h"
#include "astro/solar_position.h"
#include "astro/time_scales.h"

namespace tavomerix {
namespace {

constexpr double Pi = 3.14159265358979323846;

// Smallest distance between two angles in degrees.
double angleDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

TEST(SinesAndCosines, ExactValuesAndQuadrants) {
    const struct {
        double x, sine, cosine;
    } Cases[] = {
        {0, 0, 1},
        {Pi / 6, 0.5, 0.86602540378443865},
        {Pi / 3, 0.86602540378443865, 0.5},
        {Pi / 2, 1, 0},
        {3 * Pi / 4, 0.70710678118654752, -0.70710678118654752},
        {Pi, 0, -1},
        {-Pi / 2, -1, 0},
        {-5 * Pi / 4, 0.70710678118654752, -0.70710678118654752},
        {7 * Pi / 4, -0.70710678118654752, 0.70710678118654752},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "x = " << c.x);
        double s = 0, co = 0;
        sinesAndCosines({&c.x, 1}, {&s, 1}, {&co, 1});
        EXPECT_NEAR(c.sine, s, 1e-15);
        EXPECT_NEAR(c.cosine, co, 1e-15);
    }
}

// Arguments as large as the series reach (frequency times 12 millennia), against the
// library's sine and cosine of the same double.
TEST(SinesAndCosines, LargeArgumentsMatchTheLibrary) {
    std::vector<double> x;
    for (double v = -3.1e6; v < 3.1e6; v += 1234.56789) x.push_back(v);
    for (double v = -10; v < 10; v += 0.001) x.push_back(v);
    std::vector<double> s(x.size()), c(x.size());
    sinesAndCosines(x, s, c);
    double worst = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        worst =
            std::max({worst, std::fabs(s[i] - std::sin(x[i])), std::fabs(c[i] - std::cos(x[i]))});
    }
    EXPECT_LT(worst, 1e-15);
}

// The wider loop, where the processor runs it, gives the bits of the SSE2 loop: for
// arguments of every size and sign, quadrant boundaries and odd counts (vector tails).
TEST(SinesAndCosines, WideLoopGivesTheNarrowBits) {
    std::vector<double> x;
    for (double v = -3.1e6; v < 3.1e6; v += 987.654321) x.push_back(v);
    for (double v = -20; v < 20; v += 0.000731) x.push_back(v);
    for (int k = -64; k <= 64; ++k) {
        for (const double d : {-1e-12, 0.0, 1e-12}) x.push_back(k * Pi / 4 + d);
    }
    for (const double v : {0.0, -0.0, 1e-300, -1e-300}) x.push_back(v);
    for (const std::size_t n : {x.size(), std::size_t{1}, std::size_t{3}, std::size_t{7}}) {
        SCOPED_TRACE(testing::Message() << n << " values, wide loop: " << wideSinesAndCosines());
        const std::span<const double> in(x.data(), n);
        std::vector<double> s(n), c(n), sNarrow(n), cNarrow(n);
        sinesAndCosines(in, s, c);
        sinesAndCosinesNarrow(in, sNarrow, cNarrow);
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(sNarrow[i]), std::bit_cast<std::uint64_t>(s[i]))
                << x[i];
            ASSERT_EQ(std::bit_cast<std::uint64_t>(cNarrow[i]), std::bit_cast<std::uint64_t>(c[i]))
                << x[i];
        }
    }
}

// The rough series stay close to the fast ones from -10000 to 10000 (closest near J2000),
// close enough that the solver's first full step from their crossing settles.
TEST(RoughLongitudes, CloseToTheFastSeries) {
    const struct {
        double fromJde, toJde, sunDegrees, elongationDegrees;
    } Spans[] = {
        {J2000 - 36525 * 3, J2000 + 36525 * 3, 0.002, 0.01},
        {J2000 - 365250 * 12, J2000 + 365250 * 8, 0.05, 0.2},
    };
    for (const auto& span : Spans) {
        SCOPED_TRACE(testing::Message() << "JDE " << span.fromJde << " .. " << span.toJde);
        double worstSun = 0, worstElongation = 0, worstSunRate = 0, worstElongationRate = 0;
        for (double jde = span.fromJde; jde < span.toJde; jde += 97.31) {
            const LongitudeAndRate sun = solarLongitudeAndRate(jde);
            const LongitudeAndRate roughSun = roughSolarLongitudeAndRate(jde);
            const LongitudeAndRate elongation = lunarElongationAndRate(jde);
            const LongitudeAndRate roughElongation = roughLunarElongationAndRate(jde);
            worstSun = std::max(worstSun, angleDistance(sun.degrees, roughSun.degrees));
            worstElongation = std::max(worstElongation,
                                       angleDistance(elongation.degrees, roughElongation.degrees));
            worstSunRate =
                std::max(worstSunRate, std::fabs(sun.degreesPerDay / roughSun.degreesPerDay - 1));
            worstElongationRate =
                std::max(worstElongationRate,
                         std::fabs(elongation.degreesPerDay / roughElongation.degreesPerDay - 1));
        }
        std::printf("rough: sun %.2e deg (rate %.1e), elongation %.2e deg (rate %.1e)\n", worstSun,
                    worstSunRate, worstElongation, worstElongationRate);
        EXPECT_LT(worstSun, span.sunDegrees);
        EXPECT_LT(worstElongation, span.elongationDegrees);
        EXPECT_LT(worstSunRate, 0.01);
        EXPECT_LT(worstElongationRate, 0.01);
    }
}

// The fast series against the plain ones from -10000 to 10000: the longitudes within
// 1e-8 degrees (about 1e-8 days of the Sun's motion), the rates within 0.5 percent.
TEST(FastLongitudes, MatchThePlainSeries) {
    double worstSun = 0, worstElongation = 0, worstSunRate = 0, worstElongationRate = 0;
    constexpr double H = 0.001;  // days, for the numerical rates
    const auto plainElongation = [](double jde) {
        return normalizeDegrees(apparentLunarLongitude(jde) - apparentSolarLongitude(jde));
    };
    for (double jde = J2000 - 365250 * 12; jde < J2000 + 365250 * 8; jde += 797.31) {
        SCOPED_TRACE(testing::Message() << "JDE " << jde);
        const LongitudeAndRate sun = solarLongitudeAndRate(jde);
        const LongitudeAndRate elongation = lunarElongationAndRate(jde);
        ASSERT_GE(sun.degrees, 0);
        ASSERT_LT(sun.degrees, 360);
        worstSun = std::max(worstSun, angleDistance(apparentSolarLongitude(jde), sun.degrees));
        worstElongation =
            std::max(worstElongation, angleDistance(plainElongation(jde), elongation.degrees));
        const double sunRate =
            angleDistance(apparentSolarLongitude(jde + H), apparentSolarLongitude(jde - H)) /
            (2 * H);
        const double elongationRate =
            angleDistance(plainElongation(jde + H), plainElongation(jde - H)) / (2 * H);
        worstSunRate = std::max(worstSunRate, std::fabs(sun.degreesPerDay / sunRate - 1));
        worstElongationRate =
            std::max(worstElongationRate, std::fabs(elongation.degreesPerDay / elongationRate - 1));
    }
    EXPECT_LT(worstSun, 1e-8);
    EXPECT_LT(worstElongation, 1e-8);
    EXPECT_LT(worstSunRate, 5e-3);
    EXPECT_LT(worstElongationRate, 5e-3);
}

}  // namespace
}  // namespace tavomerix
