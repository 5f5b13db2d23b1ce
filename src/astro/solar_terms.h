#pragma once

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"

namespace tavomerix {

// Which terms a search looks for: every term (15 degree steps) or principal terms (中气)
// only (30 degree steps).
enum class TermKind { Any, Principal };

// What a crossing measures: the Sun's apparent longitude (solar terms) or the Moon-Sun
// elongation (lunar phases).
enum class CrossingMode { SolarTerm, LunarPhase };

// The phases the calendar uses.
enum class MoonPhase { New, Full };

// TermNumbers (1 = 小寒 .. 24 = 冬至, every 15 degrees of solar longitude) of the terms the
// calendar's rules name.
constexpr int Lichun = 3;           // 立春, 315 degrees
constexpr int VernalEquinox = 6;    // 春分, 0 degrees
constexpr int GrainInEar = 11;      // 芒种, 75 degrees
constexpr int SummerSolstice = 12;  // 夏至, 90 degrees
constexpr int MinorHeat = 13;       // 小暑, 105 degrees
constexpr int StartOfAutumn = 15;   // 立秋, 135 degrees
constexpr int WinterSolstice = 24;  // 冬至, 270 degrees

// Target solar longitude of TermNumber k in degrees (1 = 小寒 285 .. 24 = 冬至 270; 0
// gives 270).
double termAngle(int k);

// Degrees in [0, 360) still to go before the target is reached at UT Julian Date jdUt:
// the Sun's longitude for a solar term, the Moon-Sun elongation for a phase.
double crossingOffset(double jdUt, double targetDegrees, CrossingMode mode);

// UT Julian Date of the first crossing of the target after jdUt (secant iteration, at
// most 20 steps, never fails). The reference solution.
double solveCrossingSecant(double jdUt, double targetDegrees, CrossingMode mode);

// The same crossing by Newton steps on the fast series, within 1e-8 days of
// solveCrossingSecant; NaN when it does not settle. The steps start from the crossing of
// the rough series, so that as a rule the second evaluation confirms the root (two
// evaluations instead of 6 to 22); where that start is unsure they are those of
// solveCrossingNewtonFromMeanMotion.
double solveCrossingNewton(double jdUt, double targetDegrees, CrossingMode mode);

// The same Newton steps from the mean motion's estimate (3 to 5 evaluations); NaN when the
// target lies within 1e-8 degrees of jdUt's value or the steps do not settle.
double solveCrossingNewtonFromMeanMotion(double jdUt, double targetDegrees, CrossingMode mode);

// The crossing as the calendar uses it (UT Julian Date): with the fast engine
// solveCrossingNewton, except that solveCrossingSecant decides when the Newton result does
// not settle or lies within 1e-4 days of a local midnight of the context's zone or of the
// local day fraction decisiveFraction (a day-shift threshold; 0 for none), so the day of
// every instant, and its side of the threshold, equal those of the secant solution; with
// the reference engine always solveCrossingSecant.
double solveCrossing(const CalendarContext& context, double jdUt, double targetDegrees,
                     CrossingMode mode, double decisiveFraction = 0);

// Modern-astronomy searches; all results are LocalDayNumber instants in the context's
// zone (its regime is not consulted). `corrected` applies the single-day correction of the
// historical reckoning to each candidate.
// Instant of the first term of the kind on `day` or later.
double nextTermModern(const CalendarContext& context, int day, TermKind kind, bool corrected);
// TermNumber of the first term on `day` or later.
int nextTermNumberModern(const CalendarContext& context, int day, bool corrected);
// Instant of term k (1..24, clamped) on or after `day`.
double termAtOrAfterModern(const CalendarContext& context, int day, int k, bool corrected);
// First new or full moon on `day` or later.
double nextMoonPhase(const CalendarContext& context, int day, MoonPhase phase);

// Public term operations: modern astronomy or, in the historical regime, the historical
// reckoning (104 BC .. AD 1886). Instants are LocalDayNumbers in the context's zone; days
// are Julian Day numbers of civil years -9998..9999.
// Instant of the first term of the kind on `day` or later.
double nextTermInstant(const CalendarContext& context, int day, TermKind kind);
// TermNumber (1..24) of the first term on `day` or later.
int nextTermNumber(const CalendarContext& context, int day);
// Instant of term k (1..24) on or after `day`.
double solarTermInstant(const CalendarContext& context, int day, int k);
// True if the first principal term on or after firstDay falls on a day <= lastDay.
bool containsPrincipalTerm(const CalendarContext& context, int firstDay, int lastDay);
// Number of terms whose day lies in civil year `year` (23, 24 or 25); 0 for an invalid year.
int solarTermCount(const CalendarContext& context, int year);
// TermNumber of the last term on or before a civil date; 0 for an invalid date.
int solarTermOfDate(const CalendarContext& context, const CivilDate& date);
// The same for a day (Julian Day number) of civil years -9998..9999.
int solarTermOfDay(const CalendarContext& context, int day);

}  // namespace tavomerix
