#include "astro/solar_terms.h"

#include <cmath>

#include "app/app_settings.h"
#include "astro/historical_reckoning.h"
#include "astro/lunar_position.h"
#include "astro/solar_position.h"
#include "astro/time_scales.h"
#include "calendar/arithmetic.h"

namespace tavomerix {
namespace {

constexpr int SolverIterations = 20;
// First secant step of the solver, days: about a year for the Sun, most of a lunation for
// the elongation, so that the span always holds one wrap of the offset.
constexpr double SolarSpanDays = 360;
constexpr double LunarSpanDays = 25;

// LocalDayNumber of a solver result, through the single-day correction when asked.
double toInstant(double jdUt, double zoneDays, bool corrected) {
    const double t = jdUt + 0.5 + zoneDays;
    return corrected ? applyTermDayCorrection(t) : t;
}

// Target angle after `targetDegrees`, one step on, 360 wrapping to 0.
double advanceTarget(double targetDegrees, double stepDegrees) {
    const double next = targetDegrees + stepDegrees;
    return next >= 360 ? next - 360 : next;
}

// TermNumber of a target angle in [0, 360): 270 gives 24, 285 gives 1.
int termNumberOfAngle(double targetDegrees) {
    const int k = floorToInt(targetDegrees / 15) + 6;
    return k > 24 ? k - 24 : k;
}

// The last term angle of the step reached at or before the local midnight beginning day.
double lastTargetAtMidnight(int day, double zoneDays, double stepDegrees) {
    const double lambda = apparentSolarLongitude(toDynamicalTime(day - 0.5 - zoneDays));
    return stepDegrees * std::floor(lambda / stepDegrees);
}

}  // namespace

double termAngle(int k) { return k >= 6 ? 15.0 * (k - 6) : 15.0 * (k - 6) + 360; }

double crossingOffset(double jdUt, double targetDegrees, int mode) {
    const double jde = toDynamicalTime(jdUt);
    if (mode == LunarPhaseMode) {
        return normalizeDegrees(targetDegrees - (apparentLunarLongitude(jde) - apparentSolarLongitude(jde)));
    }
    return normalizeDegrees(targetDegrees - apparentSolarLongitude(jde));
}

double solveCrossing(double jdUt, double targetDegrees, int mode) {
    double x0 = jdUt;
    double x1 = x0 + (mode == LunarPhaseMode ? LunarSpanDays : SolarSpanDays);
    double f0 = crossingOffset(x0, targetDegrees, mode);
    double f1 = crossingOffset(x1, targetDegrees, mode);
    if (f1 > f0) f1 -= 360;  // the span holds exactly one wrap
    double slope = 1.0;      // degrees per day, kept when a step gives no usable slope
    double x2 = x1;
    for (int i = 0; i < SolverIterations; ++i) {
        if (std::fabs(x1 - x0) * 100000 < SolverTolerance) break;
        const double s = (f1 - f0) / (x1 - x0);
        if (std::fabs(s) * 100000 > SolverTolerance) slope = s;
        x2 = x0 - f0 / slope;
        double f2 = crossingOffset(x2, targetDegrees, mode);
        if (f2 > 180) f2 -= 360;  // (-180, 180]
        if (std::fabs(f2) < SolverTolerance) break;
        x0 = x1;
        f0 = f1;
        x1 = x2;
        f1 = f2;
    }
    return x2;
}

double nextTermModern(int day, int kind, bool corrected) {
    const double zoneDays = appSettings().TimeZoneHours / 24.0;
    const double step = kind == AnyTerm ? 15 : 30;
    const double lead = kind == AnyTerm ? 20 : 40;  // days before the last term at midnight
    const double restart = lead / 2;                // days after a found term
    double target = lastTargetAtMidnight(day, zoneDays, step);
    double t = toInstant(solveCrossing(day - lead, target, SolarTermMode), zoneDays, corrected);
    if (floorToInt(t) >= day) return t;
    target = advanceTarget(target, step);
    t = toInstant(solveCrossing(t + restart, target, SolarTermMode), zoneDays, corrected);
    if (floorToInt(t) >= day) return t;
    target = advanceTarget(target, step);
    return toInstant(solveCrossing(t + restart, target, SolarTermMode), zoneDays, corrected);
}

int nextTermNumberModern(int day, bool corrected) {
    const double zoneDays = appSettings().TimeZoneHours / 24.0;
    double target = lastTargetAtMidnight(day, zoneDays, 15);
    double t = toInstant(solveCrossing(day - 20, target, SolarTermMode), zoneDays, corrected);
    if (floorToInt(t) >= day) return termNumberOfAngle(target);
    target = advanceTarget(target, 15);
    t = toInstant(solveCrossing(t + 10, target, SolarTermMode), zoneDays, corrected);
    if (floorToInt(t) >= day) return termNumberOfAngle(target);
    return termNumberOfAngle(advanceTarget(target, 15));
}

double termAtOrAfterModern(int day, int k, bool corrected) {
    const double zoneDays = appSettings().TimeZoneHours / 24.0;
    if (k < 0) k = 1;
    if (k > 24) k = 24;
    const double target = termAngle(k);
    const double t = toInstant(solveCrossing(day - 0.5 - zoneDays, target, SolarTermMode), zoneDays, corrected);
    if (floorToInt(t) >= day) return t;
    return toInstant(solveCrossing(t + 300, target, SolarTermMode), zoneDays, corrected);
}

double nextMoonPhase(int day, int phase) {
    const double zoneDays = appSettings().TimeZoneHours / 24.0;
    if (phase != NewMoon) {
        return toInstant(solveCrossing(day - 0.5 - zoneDays, 180, LunarPhaseMode), zoneDays, false);
    }
    const double t = toInstant(solveCrossing(day - 10, 0, LunarPhaseMode), zoneDays, false);
    if (floorToInt(t) >= day) return t;
    return toInstant(solveCrossing(t + 20, 0, LunarPhaseMode), zoneDays, false);
}

}  // namespace tavomerix
