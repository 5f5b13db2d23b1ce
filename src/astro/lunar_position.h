#pragma once

namespace tavomerix {

// Accumulated general precession in longitude since J2000, degrees in [0, 360). jde: TT.
double generalPrecession(double jde);

// Apparent geocentric ecliptic longitude of the Moon in degrees, [0, 360). jde: TT.
double apparentLunarLongitude(double jde);

}  // namespace tavomerix
