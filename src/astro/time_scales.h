#pragma once

namespace tavomerix {

// pi as the engine uses it throughout.
constexpr double AstroPi = 3.14159265358979;
// Degrees to radians.
constexpr double DegreeInRadians = AstroPi / 180;
// Stopping threshold of the crossing solver.
constexpr double SolverTolerance = 1e-10;
// Delta T factor before the year -500 and from 2150 on.
constexpr double DeltaTEarlyFactor = 32;
constexpr double DeltaTLateFactor = 31;
// J2000.0 in Julian Date.
constexpr double J2000 = 2451545.0;

// x reduced to [0, 360).
double normalizeDegrees(double x);

// x reduced to [0, 2*pi) through normalizeDegrees.
double normalizeRadians(double x);

// Delta T in seconds for a Julian Date in UT (piecewise polynomial by decimal year).
double deltaTSeconds(double jdUt);

// Dynamical time of a UT Julian Date: jd + deltaT/86400.
double toDynamicalTime(double jdUt);

// LocalDayNumber of a UT Julian Date in a zone (hours east of Greenwich):
// jdUt + 0.5 + timeZoneHours/24. Its floor is the Julian Day number of the local civil day.
double localDayNumber(double jdUt, int timeZoneHours);

// Equation of time in days at a UT Julian Date: apparent minus mean solar time, from the
// Sun's apparent right ascension against the mean Sun (positive when a sundial is fast;
// about -14 min 14 s on 11 February, +16 min 25 s on 3 November).
double equationOfTime(double jdUt);

// UT Julian Date of the local midnight that begins civil day `day` in a zone.
double localMidnightUt(int day, int timeZoneHours);

}  // namespace tavomerix
