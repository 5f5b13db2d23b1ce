#include "astro/lunar_position.h"

#include <cmath>
#include <span>

#include "astro/lunar_tables.h"
#include "astro/solar_position.h"
#include "astro/time_scales.h"

namespace tavomerix {
namespace {

// Sum of A*sin(B + C*T + D*T^2 + E*T^3 + F*T^4) over one table, in table order.
double lunarSum(std::span<const LunarTerm> terms, double t, double t2, double t3, double t4) {
    double sum = 0;
    for (const LunarTerm& term : terms) {
        const double argument =
            term.phase + term.rate * t + term.rate2 * t2 + term.rate3 * t3 + term.rate4 * t4;
        sum += term.amplitude * std::sin(argument);
    }
    return sum;
}

// Number of precession coefficients used at |t| Julian millennia from J2000.
int precessionTermCount(double t) {
    const double a = std::fabs(t);
    if (a <= 1) return 7;
    if (a <= 3) return 6;
    if (a <= 5) return 5;
    return 4;
}

}  // namespace

double generalPrecession(double jde) {
    const double t = (jde - J2000) / 365250;
    double p = 0;  // arcseconds
    for (int i = precessionTermCount(t); i-- > 0;) p = (p + PrecessionCoefficients[i]) * t;
    return normalizeDegrees((p + 2.9965 * t) / 3600);
}

double lunarMeanLongitude(double t) {
    const double* l = LunarMeanLongitude;
    // clang-format off
    return (((l[4] * t
              + l[3]) * t
             + l[2]) * t
            + l[1]) * t
           + l[0];
    // clang-format on
}

double lunarMeanLongitudeRate(double t) {
    const double* l = LunarMeanLongitude;
    // clang-format off
    return ((4 * l[4] * t
             + 3 * l[3]) * t
            + 2 * l[2]) * t
           + l[1];
    // clang-format on
}

double apparentLunarLongitude(double jde) {
    const double t = (jde - J2000) / 36525;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double s0 = lunarSum(LunarTerms0, t, t2, t3, t4);
    const double s1 = lunarSum(LunarTerms1, t, t2, t3, t4);
    const double s2 = lunarSum(LunarTerms2, t, t2, t3, t4);
    const double periodic = (s0 + s1 * t + s2 * t2) / 3600 * DegreeInRadians;  // radians
    const double lambda = normalizeRadians(periodic + lunarMeanLongitude(t)) / DegreeInRadians;
    return normalizeDegrees(lambda + generalPrecession(jde) + nutationInLongitude(jde));
}

}  // namespace tavomerix
