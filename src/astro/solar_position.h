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

// Longitude offset of the FK5 frame from the dynamical frame of VSOP87, arcseconds.
constexpr double Fk5LongitudeOffsetArcseconds = -0.09033;
// Light time for one astronomical unit in days: the aberration of the Sun is minus this
// times the radius vector (au) times the Sun's daily motion.
constexpr double LightTimeDaysPerAu = 0.005775518;

// Correction from the dynamical frame to FK5 of the Sun's longitude in degrees:
// geometricDegrees the geometric longitude (not reduced), latitudeRadians the Earth's
// heliocentric latitude, t in Julian centuries of TT.
double fk5LongitudeCorrection(double geometricDegrees, double latitudeRadians, double t);

// Aberration of the Sun in degrees (negative) from the radius vector in au and the Sun's
// daily motion in arcseconds.
double aberrationOfMotion(double radiusAu, double motionArcseconds);

// Annual aberration of the Sun in degrees (negative). jde: TT.
double solarAberration(double jde);

// Apparent geocentric ecliptic longitude of the Sun in degrees, [0, 360). jde: TT.
double apparentSolarLongitude(double jde);

// True obliquity of the ecliptic in degrees: the mean obliquity (IAU 1980) plus the two
// largest terms of the nutation in obliquity. jde: TT.
double trueObliquity(double jde);

// Apparent geocentric right ascension of the Sun in degrees, [0, 360). jde: TT.
double apparentSolarRightAscension(double jde);

}  // namespace tavomerix
