#pragma once

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
void sinesAndCosines(std::span<const double> x, std::span<double> sines, std::span<double> cosines);

// The Sun's apparent longitude (same series as apparentSolarLongitude, within 1e-10
// degrees of it) and its daily motion from the aberration series (within about 1e-4
// of the true rate). jde: TT.
LongitudeAndRate solarLongitudeAndRate(double jde);

// The Moon's elongation from the Sun, apparent Moon minus apparent Sun (the nutation, common
// to both, left out), within 1e-9 degrees of apparentLunarLongitude -
// apparentSolarLongitude reduced to [0, 360), and its daily rate. jde: TT.
LongitudeAndRate lunarElongationAndRate(double jde);

}  // namespace tavomerix
