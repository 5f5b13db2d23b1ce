#include "astro/time_scales.h"

#include <cmath>

#ifdef __FAST_MATH__
#error "The astronomy engine needs IEEE arithmetic: build without -ffast-math."
#endif

namespace tavomerix {

double normalizeDegrees(double x) {
    double r = x - 360 * std::floor(x / 360);
    if (r < 0) {
        r += 360;
    } else if (r >= 360) {
        r -= 360;
    }
    return r;
}

double normalizeRadians(double x) {
    return normalizeDegrees(x / DegreeInRadians) * DegreeInRadians;
}

// Espenak & Meeus (2006) polynomials by decimal year, with this engine's own late branch.
// clang-format off
double deltaTSeconds(double jdUt) {
    const double y = 2000 + (jdUt - J2000) / 365.25;
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + DeltaTEarlyFactor * u * u;
    }
    if (y < 500) {
        const double u = y / 100;
        return (((((0.0090316521 * u
                   + 0.022174192) * u
                  - 0.1798452) * u
                 - 5.952053) * u
                + 33.78311) * u
               - 1014.41) * u
              + 10583.6;
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return (((((0.0083572073 * u
                   - 0.005050998) * u
                  - 0.8503463) * u
                 + 0.319781) * u
                + 71.23472) * u
               - 556.01) * u
              + 1574.2;
    }
    if (y < 1700) {
        const double t = y - 1600;
        return ((1.0 / 7129 * t
                - 0.0153) * t
               - 0.98) * t
              + 120;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return (((-1.0 / 1174000 * t
                 + 0.00013336) * t
                - 0.0059285) * t
               + 0.1603) * t
              + 8.83;
    }
    if (y < 1860) {
        const double t = y - 1800;
        return ((((((0.000000000875 * t
                    - 0.0000001699) * t
                   + 0.0000121272) * t
                  - 0.00037436) * t
                 + 0.0041116) * t
                + 0.0068612) * t
               - 0.332447) * t
              + 13.72;
    }
    if (y < 1900) {
        const double t = y - 1860;
        return ((((1.0 / 233174 * t
                  - 0.0004473624) * t
                 + 0.01680668) * t
                - 0.251754) * t
               + 0.5737) * t
              + 7.62;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return (((-0.000197 * t
                 + 0.0061966) * t
                - 0.0598939) * t
               + 1.494119) * t
              - 2.79;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return ((0.0020936 * t
                - 0.0761) * t
               + 0.84493) * t
              + 21.20;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return ((1.0 / 2547 * t
                - 1.0 / 233) * t
               + 0.407) * t
              + 29.07;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return ((-1.0 / 718 * t
                - 1.0 / 260) * t
               + 1.067) * t
              + 45.45;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return ((((0.00002373599 * t
                  + 0.000651814) * t
                 + 0.0017275) * t
                - 0.060374) * t
               + 0.3345) * t
              + 63.86;
    }
    if (y < 2050) {
        const double t = y - 2000;
        return (0.005589 * t
               + 0.32217) * t
              + 62.92;
    }
    if (y < 2150) {
        const double u = (y - 1820) / 100;
        return -20 + DeltaTEarlyFactor * u * u - 0.5628 * (2150 - y);
    }
    const double u = (y - 1820) / 100;
    return -20 + DeltaTLateFactor * u * u;
}
// clang-format on

double toDynamicalTime(double jdUt) { return jdUt + deltaTSeconds(jdUt) / 86400; }

double localDayNumber(double jdUt, int timeZoneHours) { return jdUt + 0.5 + timeZoneHours / 24.0; }

double localMidnightUt(int day, int timeZoneHours) { return day - 0.5 - timeZoneHours / 24.0; }

}  // namespace tavomerix
