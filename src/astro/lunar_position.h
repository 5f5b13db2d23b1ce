#pragma once

namespace tavomerix {

// Accumulated general precession in longitude since J2000, degrees in [0, 360). jde: TT.
double generalPrecession(double jde);

// Mean longitude of the Moon about the J2000 equinox in radians, not reduced, and its rate
// in radians per Julian century; t in Julian centuries of TT from J2000.
double lunarMeanLongitude(double t);
double lunarMeanLongitudeRate(double t);

// Apparent geocentric ecliptic longitude of the Moon in degrees, [0, 360). jde: TT.
double apparentLunarLongitude(double jde);

}  // namespace tavomerix
