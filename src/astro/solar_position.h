#pragma once

namespace tavomerix {

// Earth's heliocentric longitude, VSOP87D (truncated), radians in [0, 2*pi). jde: TT.
double earthLongitude(double jde);

// Earth's heliocentric latitude, VSOP87D (truncated), radians through normalizeRadians
// (a negative latitude comes back as 2*pi minus its size). jde: TT.
double earthLatitude(double jde);

// Earth's radius vector, VSOP87D (truncated), astronomical units. jde: TT.
double earthRadius(double jde);

// Fundamental arguments of the nutation in degrees, each in [0, 360): elongation of the
// Moon D, anomalies of the Sun M and of the Moon M', the Moon's argument of latitude F and
// the longitude of its node Omega; t in Julian centuries of TT from J2000.
struct NutationArguments {
    double d, m, mp, f, omega;
};
NutationArguments nutationArguments(double t);

// Nutation in longitude, IAU 1980 (first 40 terms), degrees. jde: TT.
double nutationInLongitude(double jde);

// Annual aberration of the Sun in degrees (negative). jde: TT.
double solarAberration(double jde);

// Apparent geocentric ecliptic longitude of the Sun in degrees, [0, 360). jde: TT.
double apparentSolarLongitude(double jde);

}  // namespace tavomerix
