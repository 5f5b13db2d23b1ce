#include "astro/solar_terms.h"

#include <cmath>

#include "astro/fast_longitudes.h"
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

// Newton iteration on the fast series: the first step uses the mean motion (degrees per
// day of the Sun and of the elongation), each further one the rate at the estimate.
constexpr double MeanSolarRate = 360 / 365.2422;
constexpr double MeanElongationRate = 360 / 29.530589;
constexpr int NewtonIterations = 12;
constexpr double SolarFinalStepDays = 1e-6;
constexpr double LunarFinalStepDays = 1e-5;
constexpr double AmbiguousOffsetDegrees = 1e-8;
// The rough series decide what they can only this far from a target or a term angle
// (degrees; many times their error), and a root from a rough start is taken only this far
// after the search's start and this far short of the next crossing of the same target
// (days; the shortest lunation is 29.27 days), so that it is the crossing the plain Newton
// search finds.
constexpr double RoughMarginDegrees = 0.5;
constexpr int RoughIterations = 8;
constexpr double RoughFinalStepDays = 0.02;
constexpr double MinimumLeadDays = 0.01;
constexpr double SolarMaximumLeadDays = 365;
constexpr double LunarMaximumLeadDays = 29.2;
// Days by which a rough crossing may miss the exact one (many times the rough series'
// error): a search that starts after a crossing known only roughly is solved without it,
// when the day of the crossing is decided even that far from the rough instant.
constexpr double RoughStartDays = 0.2;
// Newton steps allowed from a rough start before the plain search takes over.
constexpr int PredictedNewtonIterations = 4;
// Instants this close to a midnight or to a day-shift threshold are solved by the secant
// (8.6 seconds: far beyond the secant's own stopping error of a few 1e-7 days).
constexpr double DecisiveMarginDays = 1e-4;

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
double lastTargetAtMidnight(const CalendarContext& context, int day, double stepDegrees) {
    const double jde = toDynamicalTime(localMidnightUt(day, context.timeZoneHours));
    if (context.engine == Engine::Reference)
        return stepDegrees * std::floor(apparentSolarLongitude(jde) / stepDegrees);
    // Far from every term angle the rough series fall in the same step as the fast ones.
    const double rough = roughSolarLongitudeAndRate(jde).degrees;
    const double fromRoughTerm = rough - stepDegrees * std::round(rough / stepDegrees);
    if (std::fabs(fromRoughTerm) > RoughMarginDegrees && rough < 360 - RoughMarginDegrees)
        return stepDegrees * std::floor(rough / stepDegrees);
    double lambda = solarLongitudeAndRate(jde).degrees;
    // Within the fast series' error of a term angle (or of 0/360) the plain series decides.
    const double fromTerm = lambda - stepDegrees * std::round(lambda / stepDegrees);
    if (std::fabs(fromTerm) < AmbiguousOffsetDegrees || lambda > 360 - AmbiguousOffsetDegrees)
        lambda = apparentSolarLongitude(jde);
    return stepDegrees * std::floor(lambda / stepDegrees);
}

}  // namespace

double termAngle(int k) { return k >= 6 ? 15.0 * (k - 6) : 15.0 * (k - 6) + 360; }

double crossingOffset(double jdUt, double targetDegrees, CrossingMode mode) {
    const double jde = toDynamicalTime(jdUt);
    if (mode == CrossingMode::LunarPhase) {
        return normalizeDegrees(targetDegrees -
                                (apparentLunarLongitude(jde) - apparentSolarLongitude(jde)));
    }
    return normalizeDegrees(targetDegrees - apparentSolarLongitude(jde));
}

double solveCrossingSecant(double jdUt, double targetDegrees, CrossingMode mode) {
    double x0 = jdUt;
    double x1 = x0 + (mode == CrossingMode::LunarPhase ? LunarSpanDays : SolarSpanDays);
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

namespace {

// Newton steps on the fast series from x until a step falls below the final step; NaN
// after `iterations` steps.
double newtonFrom(double x, double targetDegrees, bool lunar, int iterations) {
    for (int i = 0; i < iterations; ++i) {
        const double jde = toDynamicalTime(x);
        const LongitudeAndRate s = lunar ? lunarElongationAndRate(jde) : solarLongitudeAndRate(jde);
        const double degrees = normalizeDegrees(targetDegrees - s.degrees);
        const double offset = degrees > 180 ? degrees - 360 : degrees;  // (-180, 180]
        const double step = offset / s.degreesPerDay;
        x += step;
        // The rate is exact to about 1e-4 for the Sun (better for the elongation), so the
        // error left after a step below the threshold is under 1e-10 days.
        if (std::fabs(step) < (lunar ? LunarFinalStepDays : SolarFinalStepDays)) return x;
    }
    return std::nan("");
}

// The first crossing after jdUt on the rough series (UT Julian Date); NaN when jdUt lies
// near a crossing or the steps do not settle.
double roughCrossing(double jdUt, double targetDegrees, bool lunar) {
    const auto sample = [&](double x) {
        const double jde = toDynamicalTime(x);
        const LongitudeAndRate v =
            lunar ? roughLunarElongationAndRate(jde) : roughSolarLongitudeAndRate(jde);
        return LongitudeAndRate{normalizeDegrees(targetDegrees - v.degrees), v.degreesPerDay};
    };
    const double first = sample(jdUt).degrees;
    if (first < RoughMarginDegrees || first > 360 - RoughMarginDegrees) return std::nan("");
    double x = jdUt + first / (lunar ? MeanElongationRate : MeanSolarRate);
    for (int i = 0; i < RoughIterations; ++i) {
        const LongitudeAndRate s = sample(x);
        const double offset = s.degrees > 180 ? s.degrees - 360 : s.degrees;
        const double step = offset / s.degreesPerDay;
        x += step;
        if (std::fabs(step) < RoughFinalStepDays) return x;
    }
    return std::nan("");
}

}  // namespace

double solveCrossingNewtonFromMeanMotion(double jdUt, double targetDegrees, CrossingMode mode) {
    const bool lunar = mode == CrossingMode::LunarPhase;
    const double jde = toDynamicalTime(jdUt);
    const LongitudeAndRate v = lunar ? lunarElongationAndRate(jde) : solarLongitudeAndRate(jde);
    const double first = normalizeDegrees(targetDegrees - v.degrees);  // [0, 360): degrees to go
    // So close to the target that the plain and the fast series could disagree on which
    // crossing comes first.
    if (first < AmbiguousOffsetDegrees || first > 360 - AmbiguousOffsetDegrees) return std::nan("");
    return newtonFrom(jdUt + first / (lunar ? MeanElongationRate : MeanSolarRate), targetDegrees,
                      lunar, NewtonIterations);
}

double solveCrossingNewton(double jdUt, double targetDegrees, CrossingMode mode) {
    const bool lunar = mode == CrossingMode::LunarPhase;
    const double start = roughCrossing(jdUt, targetDegrees, lunar);
    if (!std::isnan(start)) {
        // The root, when it lies well after jdUt and short of the next crossing, is the
        // first crossing after jdUt, the one the search from the mean motion settles on.
        const double x = newtonFrom(start, targetDegrees, lunar, PredictedNewtonIterations);
        const double lead = x - jdUt;
        if (lead > MinimumLeadDays && lead < (lunar ? LunarMaximumLeadDays : SolarMaximumLeadDays))
            return x;
    }
    return solveCrossingNewtonFromMeanMotion(jdUt, targetDegrees, mode);
}

double solveCrossing(const CalendarContext& context, double jdUt, double targetDegrees,
                     CrossingMode mode, double decisiveFraction) {
    if (context.engine == Engine::Reference) return solveCrossingSecant(jdUt, targetDegrees, mode);
    const double x = solveCrossingNewton(jdUt, targetDegrees, mode);
    if (std::isnan(x)) return solveCrossingSecant(jdUt, targetDegrees, mode);
    // The fast root lies within 1e-8 days of the secant's; where the day of the instant, or
    // which side of a day-shift threshold it falls on, could depend on that difference,
    // the secant decides.
    const double local = localDayNumber(x, context.timeZoneHours);
    const double fraction = local - std::floor(local);
    if (fraction < DecisiveMarginDays || fraction > 1 - DecisiveMarginDays ||
        std::fabs(fraction - decisiveFraction) < DecisiveMarginDays)
        return solveCrossingSecant(jdUt, targetDegrees, mode);
    return x;
}

namespace {

// LocalDayNumber of the first crossing after jdUt on the rough series, through the
// single-day correction when asked; NaN with the reference engine, where the rough series
// are unsure, and where the correction could move an instant RoughStartDays from it.
double roughInstant(const CalendarContext& context, double jdUt, double targetDegrees,
                    CrossingMode mode, double zoneDays, bool corrected) {
    if (context.engine == Engine::Reference) return std::nan("");
    const double t =
        roughCrossing(jdUt, targetDegrees, mode == CrossingMode::LunarPhase) + 0.5 + zoneDays;
    if (corrected) {
        for (const double u : {t - RoughStartDays, t, t + RoughStartDays}) {
            if (applyTermDayCorrection(u) != u) return std::nan("");
        }
    }
    return t;
}

// What solveCrossing(context, exactStart(), targetDegrees, mode) gives, for a start known
// to within RoughStartDays as approxJdUt: the Newton root does not depend on where the
// search starts as long as it is the first crossing after it, so exactStart(), a costly
// search, is called only where the secant decides.
template <class ExactStart>
double solveCrossingFrom(const CalendarContext& context, double approxJdUt, ExactStart exactStart,
                         double targetDegrees, CrossingMode mode) {
    const double x = solveCrossingNewton(approxJdUt, targetDegrees, mode);
    const double lead = x - approxJdUt;
    const double maximumLead =
        mode == CrossingMode::LunarPhase ? LunarMaximumLeadDays : SolarMaximumLeadDays;
    if (!(lead > MinimumLeadDays + RoughStartDays && lead < maximumLead - RoughStartDays))
        return solveCrossing(context, exactStart(), targetDegrees, mode);
    const double local = localDayNumber(x, context.timeZoneHours);
    const double fraction = local - std::floor(local);
    if (fraction < DecisiveMarginDays || fraction > 1 - DecisiveMarginDays)
        return solveCrossingSecant(exactStart(), targetDegrees, mode);
    return x;
}

}  // namespace

double nextTermModern(const CalendarContext& context, int day, TermKind kind, bool corrected) {
    const double zoneDays = context.zoneDays();
    const double step = kind == TermKind::Any ? 15 : 30;
    const double lead = kind == TermKind::Any ? 20 : 40;  // days before the last term at midnight
    const double restart = lead / 2;                      // days after a found term
    const auto solve = [&](double from, double target) {
        return toInstant(solveCrossing(context, from, target, CrossingMode::SolarTerm), zoneDays,
                         corrected);
    };
    double target = lastTargetAtMidnight(context, day, step);
    const double from = day - lead;
    double t;
    const double rough =
        roughInstant(context, from, target, CrossingMode::SolarTerm, zoneDays, corrected);
    if (rough + RoughStartDays < day) {
        // The first term falls on an earlier day: the search goes on after it without
        // solving it.
        const double firstTarget = target;
        target = advanceTarget(target, step);
        const auto exactStart = [&] { return solve(from, firstTarget) + restart; };
        t = toInstant(solveCrossingFrom(context, rough + restart, exactStart, target,
                                        CrossingMode::SolarTerm),
                      zoneDays, corrected);
    } else {
        t = solve(from, target);
        if (floorToInt(t) >= day) return t;
        target = advanceTarget(target, step);
        t = solve(t + restart, target);
    }
    if (floorToInt(t) >= day) return t;
    target = advanceTarget(target, step);
    return solve(t + restart, target);
}

int nextTermNumberModern(const CalendarContext& context, int day, bool corrected) {
    const double zoneDays = context.zoneDays();
    const auto solve = [&](double from, double target) {
        return toInstant(solveCrossing(context, from, target, CrossingMode::SolarTerm), zoneDays,
                         corrected);
    };
    double target = lastTargetAtMidnight(context, day, 15);
    double t = solve(day - 20, target);
    if (floorToInt(t) >= day) return termNumberOfAngle(target);
    target = advanceTarget(target, 15);
    t = solve(t + 10, target);
    if (floorToInt(t) >= day) return termNumberOfAngle(target);
    return termNumberOfAngle(advanceTarget(target, 15));
}

double termAtOrAfterModern(const CalendarContext& context, int day, int k, bool corrected) {
    const double zoneDays = context.zoneDays();
    if (k < 0) k = 1;
    if (k > 24) k = 24;
    const double target = termAngle(k);
    const auto solve = [&](double from) {
        return toInstant(solveCrossing(context, from, target, CrossingMode::SolarTerm), zoneDays,
                         corrected);
    };
    const double t = solve(localMidnightUt(day, context.timeZoneHours));
    if (floorToInt(t) >= day) return t;
    return solve(t + 300);
}

double nextMoonPhase(const CalendarContext& context, int day, MoonPhase phase) {
    const double zoneDays = context.zoneDays();
    const auto solve = [&](double from, double target) {
        return toInstant(solveCrossing(context, from, target, CrossingMode::LunarPhase), zoneDays,
                         false);
    };
    if (phase != MoonPhase::New) return solve(localMidnightUt(day, context.timeZoneHours), 180);
    const double from = day - 10;
    const double rough = roughInstant(context, from, 0, CrossingMode::LunarPhase, zoneDays, false);
    if (rough + RoughStartDays < day) {
        // The first new moon falls on an earlier day: the next one, without solving it.
        const auto exactStart = [&] { return solve(from, 0) + 20; };
        return toInstant(
            solveCrossingFrom(context, rough + 20, exactStart, 0, CrossingMode::LunarPhase),
            zoneDays, false);
    }
    const double t = solve(from, 0);
    if (floorToInt(t) >= day) return t;
    return solve(t + 20, 0);
}

}  // namespace tavomerix
