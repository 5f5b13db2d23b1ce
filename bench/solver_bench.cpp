#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "astro/solar_terms.h"
#include "astro/time_scales.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

constexpr double SunDaysPerDegree = 1.0146;
constexpr double ElongationDaysPerDegree = 0.082;

// Distance in days of the secant's result from the root of the plain series: its offset
// there divided by the rate.
double secantResidualDays(double x, double target, CrossingMode mode) {
    double f = crossingOffset(x, target, mode);
    if (f > 180) f -= 360;
    return std::fabs(f) *
           (mode == CrossingMode::LunarPhase ? ElongationDaysPerDegree : SunDaysPerDegree);
}

// Every term (from 1 January of each year) and every new moon of -4000..6000 by the secant
// and by Newton's method. Counters: the largest difference in days, and how many differ by
// more than 1e-7 days beyond the secant's own distance from the root (must be 0).
void BM_SolverAgreementDense(benchmark::State& state) {
    for (auto _ : state) {
        double largest = 0;
        int beyond = 0, unsettled = 0, count = 0;
        const auto compare = [&](double x0, double target, CrossingMode mode) {
            const double a = solveCrossingSecant(x0, target, mode);
            const double b = solveCrossingNewton(x0, target, mode);
            ++count;
            if (std::isnan(b)) {
                ++unsettled;
                return;
            }
            const double difference = std::fabs(a - b);
            largest = std::max(largest, difference);
            if (difference > 1e-7 + secantResidualDays(a, target, mode)) ++beyond;
        };
        const int firstDay = julianDayNumber(-4000, 1, 1);
        const int lastDay = julianDayNumber(6000, 12, 31);
        for (int year = -4000; year <= 6000; ++year) {
            for (int k = 1; k <= 24; ++k)
                compare(julianDayNumber(year, 1, 1), termAngle(k), CrossingMode::SolarTerm);
        }
        for (double x = firstDay; x < lastDay; x += 29.530589)
            compare(x, 0, CrossingMode::LunarPhase);
        state.counters["largestDifferenceDays"] = largest;
        state.counters["beyondTolerance"] = beyond;
        state.counters["unsettled"] = unsettled;
        state.counters["crossings"] = count;
    }
}
BENCHMARK(BM_SolverAgreementDense)->Iterations(1)->Unit(benchmark::kSecond);

// One solve of a winter solstice (arg 0) or a new moon (arg 1) by either solver.
void BM_Solve(benchmark::State& state, double (*solve)(double, double, CrossingMode)) {
    const CrossingMode mode = static_cast<CrossingMode>(state.range(0));
    double x = 2460600.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(solve(x, mode == CrossingMode::LunarPhase ? 0 : 270, mode));
        x += 0.37;
    }
}
// Arg 0: a winter solstice; 1: a new moon.
BENCHMARK_CAPTURE(BM_Solve, Secant, solveCrossingSecant)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Solve, Newton, solveCrossingNewton)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavomerix
