#pragma once

#include <cstdint>
#include <span>

namespace tavomerix {

// A longitude or elongation and how fast it grows.
struct LongitudeAndRate {
    double degrees;        // [0, 360)
    double degreesPerDay;  // growth per day of dynamical time (> 0)
};

// Sines and cosines of x[i] (radians, |x| < 2^24 * pi/2), each within a few 1e-16 of the
// exact values: Cody-Waite reduction to [-pi/4, pi/4] and Taylor polynomials to degree
// 17, branch-free so that the loop vectorises. The three spans have the same size.
// On x86-64 processors with AVX2 or AVX-512 (Linux and other non-Windows builds) the loop
// runs four or eight values at a time, with the same operations per value and so the same
// bits as the two-wide SSE2 loop.
void sinesAndCosines(std::span<const double> x, std::span<double> sines, std::span<double> cosines);

// The same in the loop every x86 processor runs (SSE2), whatever the processor has.
void sinesAndCosinesNarrow(std::span<const double> x, std::span<double> sines,
                           std::span<double> cosines);

// True when sinesAndCosines runs the wider loop on this processor.
bool wideSinesAndCosines();

// The same two from the largest terms of the series only (a few percent of the work):
// within about 1e-3 degrees of them near J2000, a few times that ten millennia away; the
// solver's starting points. jde: TT.
LongitudeAndRate roughSolarLongitudeAndRate(double jde);
LongitudeAndRate roughLunarElongationAndRate(double jde);

// Evaluations of solarLongitudeAndRate and lunarElongationAndRate made on the calling
// thread since it started (a statistic for the benchmarks; no result depends on it); 0 in
// Windows builds.
std::uint64_t fastSeriesEvaluations();

// The Sun's apparent longitude (same series as apparentSolarLongitude, within 1e-10
// degrees of it) and its daily motion from the aberration series (within about 1e-4
// of the true rate). jde: TT.
LongitudeAndRate solarLongitudeAndRate(double jde);

// The Moon's elongation from the Sun, apparent Moon minus apparent Sun (the nutation, common
// to both, left out), within 1e-9 degrees of apparentLunarLongitude -
// apparentSolarLongitude reduced to [0, 360), and its daily rate. jde: TT.
LongitudeAndRate lunarElongationAndRate(double jde);

}  // namespace tavomerix
