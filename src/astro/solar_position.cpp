#include "astro/solar_position.h"

#include <cmath>
#include <cstddef>
#include <span>

#include "astro/nutation_tables.h"
#include "astro/solar_motion_tables.h"
#include "astro/time_scales.h"
#include "astro/vsop87d_earth_tables.h"

namespace tavomerix {
namespace {

constexpr double DaysPerMillennium = 365250;
constexpr double DaysPerCentury = 36525;

// Sum of A*cos(B + C*tau) over one table, in table order.
double seriesSum(std::span<const PeriodicTerm> terms, double tau) {
    double sum = 0;
    for (const PeriodicTerm& term : terms)
        sum += term.amplitude * std::cos(term.phase + term.frequency * tau);
    return sum;
}

// Sum over k of S_k * tau^k, Horner form from the highest power.
double seriesValue(std::span<const std::span<const PeriodicTerm>> series, double tau) {
    double value = 0;
    for (std::size_t k = series.size(); k-- > 0;) value = value * tau + seriesSum(series[k], tau);
    return value;
}

// Aberration in degrees from tau (Julian millennia of TT) and the radius vector in au.
double aberrationDegrees(double tau, double radius) {
    const double tauPower[4] = {1, tau, tau * tau, tau * tau * tau};
    double motion = SolarMeanMotionArcseconds;  // arcseconds per day
    for (const MotionTerm& term : SolarMotionTerms) {
        motion += term.coefficient * tauPower[term.power] *
                  std::sin((term.phase + term.rate * tau) * DegreeInRadians);
    }
    return aberrationOfMotion(radius, motion);
}

// Nutation in longitude in degrees; t in Julian centuries of TT.
double nutationDegrees(double t) {
    const auto [d, m, mp, f, omega] = nutationArguments(t);
    double sum = 0;  // 0.0001 arcseconds
    for (const NutationTerm& term : NutationTerms) {
        const double argument = DegreeInRadians * (term.d * d + term.m * m + term.mp * mp +
                                                   term.f * f + term.omega * omega);
        sum += (term.s + term.sDot * t) * std::sin(argument) * 0.0001;
    }
    return sum / 3600;
}

}  // namespace

NutationArguments nutationArguments(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    return {normalizeDegrees(297.8502042 + 445267.1115168 * t - 0.00163 * t2 + t3 / 545868),
            normalizeDegrees(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 - t3 / 24490000),
            normalizeDegrees(134.9634114 + 477198.8676313 * t + 0.008997 * t2 + t3 / 69699),
            normalizeDegrees(93.2720993 + 483202.0175273 * t - 0.0034029 * t2 - t3 / 3526000),
            normalizeDegrees(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000)};
}

double fk5LongitudeCorrection(double geometricDegrees, double latitudeRadians, double t) {
    const double lambda = (geometricDegrees - 1.397 * t - 0.00031 * t * t) * DegreeInRadians;
    return (Fk5LongitudeOffsetArcseconds +
            0.03916 * (std::sin(lambda) + std::cos(lambda)) * std::tan(latitudeRadians)) /
           3600;
}

double aberrationOfMotion(double radiusAu, double motionArcseconds) {
    return -LightTimeDaysPerAu * radiusAu * motionArcseconds / 3600;
}

double earthLongitude(double jde) {
    return normalizeRadians(seriesValue(EarthLongitude, (jde - J2000) / DaysPerMillennium));
}

double earthLatitude(double jde) {
    return normalizeRadians(seriesValue(EarthLatitude, (jde - J2000) / DaysPerMillennium));
}

double earthRadius(double jde) {
    return seriesValue(EarthRadius, (jde - J2000) / DaysPerMillennium);
}

double nutationInLongitude(double jde) { return nutationDegrees((jde - J2000) / DaysPerCentury); }

double solarAberration(double jde) {
    return aberrationDegrees((jde - J2000) / DaysPerMillennium, earthRadius(jde));
}

double apparentSolarLongitude(double jde) {
    const double t = (jde - J2000) / DaysPerCentury;
    const double tau = (jde - J2000) / DaysPerMillennium;
    const double geometric =
        (earthLongitude(jde) + AstroPi) / DegreeInRadians;  // degrees, not reduced
    const double frame = fk5LongitudeCorrection(geometric, earthLatitude(jde), t);
    return normalizeDegrees(geometric + frame + nutationDegrees(t) +
                            aberrationDegrees(tau, earthRadius(jde)));
}

double trueObliquity(double jde) {
    const double t = (jde - J2000) / DaysPerCentury;
    const double mean =
        23.4392911111 - (46.8150 * t + 0.00059 * t * t - 0.001813 * t * t * t) / 3600;
    const double omega = nutationArguments(t).omega * DegreeInRadians;
    const double sunMean = (280.4665 + 36000.7698 * t) * DegreeInRadians;
    return mean + (9.20 * std::cos(omega) + 0.57 * std::cos(2 * sunMean)) / 3600;
}

double apparentSolarRightAscension(double jde) {
    const double lambda = apparentSolarLongitude(jde) * DegreeInRadians;
    const double epsilon = trueObliquity(jde) * DegreeInRadians;
    return normalizeDegrees(std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) /
                            DegreeInRadians);
}

double equationOfTime(double jdUt) {
    const double jde = toDynamicalTime(jdUt);
    const double tau = (jde - J2000) / DaysPerMillennium;
    // The mean Sun's longitude, less the aberration; the nutation moves the equinox the
    // right ascension is counted from.
    const double meanSun = 280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau +
                           tau * tau * tau / 49931 - tau * tau * tau * tau / 15300 -
                           tau * tau * tau * tau * tau / 2000000;
    const double equinox =
        nutationInLongitude(jde) * std::cos(trueObliquity(jde) * DegreeInRadians);
    double e = normalizeDegrees(meanSun - 0.0057183 - apparentSolarRightAscension(jde) + equinox);
    if (e > 180) e -= 360;
    return e / 360;  // a degree is 4 minutes of time
}

}  // namespace tavomerix
