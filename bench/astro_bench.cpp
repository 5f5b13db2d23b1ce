#include <benchmark/benchmark.h>

#include <cstdint>

#include "astro/fast_longitudes.h"
#include "astro/lunar_position.h"
#include "astro/solar_position.h"
#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

constexpr double Jde2000 = 2451545.0;

// Counters of the fast series' evaluations since `before`: per iteration, and per
// crossing when an iteration solves `crossings` of them.
void countEvaluations(benchmark::State& state, std::uint64_t before, int crossings) {
    const double perIteration = static_cast<double>(fastSeriesEvaluations() - before) /
                                static_cast<double>(state.iterations());
    state.counters["evaluations"] = perIteration;
    state.counters["perCrossing"] = perIteration / crossings;
}

// One longitude evaluation; the date moves on so that no call repeats the previous one.
template <class Longitude>
void BM_Longitude(benchmark::State& state, Longitude longitude) {
    double jde = Jde2000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(longitude(jde));
        jde += 0.37;
    }
}
BENCHMARK_CAPTURE(BM_Longitude, ApparentSolar, apparentSolarLongitude);
BENCHMARK_CAPTURE(BM_Longitude, ApparentLunar, apparentLunarLongitude);

void BM_TermAtOrAfter(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    int day = julianDayNumber(2000, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(termAtOrAfterModern(context, day, WinterSolstice, false));
        day += 7;
    }
}
BENCHMARK(BM_TermAtOrAfter)->Unit(benchmark::kMicrosecond);

void BM_NextNewMoon(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    int day = julianDayNumber(2000, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(nextMoonPhase(context, day, MoonPhase::New));
        day += 3;
    }
}
BENCHMARK(BM_NextNewMoon)->Unit(benchmark::kMicrosecond);

void BM_TermsOfOneYear(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    const int first = julianDayNumber(2024, 1, 1);
    const std::uint64_t evaluations = fastSeriesEvaluations();
    for (auto _ : state) {
        for (int k = 1; k <= 24; ++k)
            benchmark::DoNotOptimize(termAtOrAfterModern(context, first, k, false));
    }
    countEvaluations(state, evaluations, 24);
}
BENCHMARK(BM_TermsOfOneYear)->Unit(benchmark::kMillisecond);

// Every term from 1900 to 2100, each searched from the day after the previous one.
void BM_TermsOf1900To2100(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    const int last = julianDayNumber(2100, 12, 31);
    for (auto _ : state) {
        int day = julianDayNumber(1900, 1, 1);
        int count = 0;
        while (day <= last) {
            const double t = nextTermModern(context, day, TermKind::Any, false);
            day = static_cast<int>(t) + 1;
            ++count;
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_TermsOf1900To2100)->Unit(benchmark::kMillisecond)->Iterations(1);

// All 24 term instants of each year 1900..2100 through solarTermInstant (the widget's
// defaults: UTC+8, historical reckoning).
void termsOfYears1900To2100(benchmark::State& state, Engine engine) {
    const CalendarContext context{8, Regime::Historical, engine};
    const std::uint64_t evaluations = fastSeriesEvaluations();
    for (auto _ : state) {
        for (int year = 1900; year <= 2100; ++year) {
            const int first = julianDayNumber(year, 1, 1);
            for (int k = 1; k <= 24; ++k)
                benchmark::DoNotOptimize(solarTermInstant(context, first, k));
        }
    }
    countEvaluations(state, evaluations, 24 * 201);
}

void TermsOfYears1900To2100(benchmark::State& state) {
    termsOfYears1900To2100(state, Engine::Fast);
}
BENCHMARK(TermsOfYears1900To2100)->Unit(benchmark::kMillisecond);

// The same with the plain series and the secant solver only.
void TermsOfYears1900To2100Reference(benchmark::State& state) {
    termsOfYears1900To2100(state, Engine::Reference);
}
BENCHMARK(TermsOfYears1900To2100Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

// New moons 2000..2019, each from the day after the previous one.
void BM_NewMoonsOf2000To2019(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    const int last = julianDayNumber(2019, 12, 31);
    const std::uint64_t evaluations = fastSeriesEvaluations();
    int count = 0;
    for (auto _ : state) {
        count = 0;
        for (int day = julianDayNumber(2000, 1, 1); day <= last; ++count)
            day = static_cast<int>(nextMoonPhase(context, day, MoonPhase::New)) + 1;
    }
    countEvaluations(state, evaluations, count);
}
BENCHMARK(BM_NewMoonsOf2000To2019)->Unit(benchmark::kMillisecond);

// The fast series: the Sun, and the elongation, with their rates.
BENCHMARK_CAPTURE(BM_Longitude, FastSolar, solarLongitudeAndRate);
BENCHMARK_CAPTURE(BM_Longitude, FastLunarElongation, lunarElongationAndRate);

}  // namespace
}  // namespace tavomerix
