#pragma once

namespace tavomerix {

// TermKind: every term (15 degree steps) or principal terms only (30 degree steps).
constexpr int AnyTerm = 0;
constexpr int PrincipalTerm = 1;

// Crossing modes of the solver.
constexpr int SolarTermMode = 0;
constexpr int LunarPhaseMode = 1;

// Phases.
constexpr int NewMoon = 0;
constexpr int FullMoon = 1;

// Target solar longitude of TermNumber k in degrees (1 = 小寒 285 .. 24 = 冬至 270; 0
// gives 270).
double termAngle(int k);

// Degrees in [0, 360) still to go before the target is reached at UT Julian Date jd:
// the Sun's longitude for a solar term (mode 0), the Moon-Sun elongation for a phase (1).
double crossingOffset(double jdUt, double targetDegrees, int mode);

// UT Julian Date of the first crossing of the target after jdUt (secant iteration, at
// most 20 steps, never fails). The reference solution.
double solveCrossingSecant(double jdUt, double targetDegrees, int mode);

// The same crossing by Newton steps on the fast series (3 to 5 evaluations instead of 6 to
// 22), within 1e-8 days of solveCrossingSecant; NaN when it does not settle.
double solveCrossingNewton(double jdUt, double targetDegrees, int mode);

// The crossing as the calendar uses it: solveCrossingNewton, except that
// solveCrossingSecant decides when the Newton result does not settle or lies within 1e-4
// days of a local midnight (TimeZoneHours) or of the local day fraction
// decisiveFraction (a day-shift threshold; 0 for none). So the day of every instant, and
// its side of the threshold, equal those of the secant solution.
double solveCrossing(double jdUt, double targetDegrees, int mode, double decisiveFraction);
double solveCrossing(double jdUt, double targetDegrees, int mode);

// While one lives, this thread's searches use only the plain series and the secant
// solver: the reference the fast path is checked against. Does not empty any cache.
class ScopedReferenceEngine {
public:
    ScopedReferenceEngine();
    ~ScopedReferenceEngine();
    ScopedReferenceEngine(const ScopedReferenceEngine&) = delete;
    ScopedReferenceEngine& operator=(const ScopedReferenceEngine&) = delete;

private:
    bool saved_;
};

// Modern-astronomy searches; all results are LocalDayNumber instants. `corrected`
// applies the single-day correction of the historical reckoning to each candidate.
double nextTermModern(int day, int kind, bool corrected);
int nextTermNumberModern(int day, bool corrected);
double termAtOrAfterModern(int day, int k, bool corrected);
// First new (phase 0) or full (other) moon on `day` or later, LocalDayNumber.
double nextMoonPhase(int day, int phase);

// Public term operations; they dispatch on modernAstronomy() between modern astronomy
// and the historical reckoning (104 BC .. AD 1886). Instants are LocalDayNumbers.
// Instant of the first term of the kind on `day` or later.
double nextTermInstant(int day, int kind);
// TermNumber of the first term on `day` or later.
int nextTermNumber(int day);
// Instant of term k on or after `day`.
double solarTermInstant(int day, int k);
// 1 if the first principal term on or after firstDay falls on a day <= lastDay.
int containsPrincipalTerm(int firstDay, int lastDay);
// Number of terms whose day lies in civil year Y (23, 24 or 25); 0 for an invalid year.
int solarTermCount(int year);
// TermNumber of the last term on or before the date; 0 for an invalid date.
int solarTermOfDate(int year, int month, int day);

}  // namespace tavomerix
