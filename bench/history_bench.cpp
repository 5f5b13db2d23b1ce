#include <benchmark/benchmark.h>

#include "app/app_settings.h"
#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "chinese/phase_days.h"

namespace tavomerix {
namespace {

// One era-table term in a mean-term row (row 36, 1500).
void BM_EraTermInstantMean(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(eraTermInstant(2268930, AnyTerm));
}
BENCHMARK(BM_EraTermInstantMean);

// One era-table term under a true-Sun model (model C, 1800): a daily longitude scan.
void BM_EraTermInstantTrueSun(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(eraTermInstant(2378500, AnyTerm));
}
BENCHMARK(BM_EraTermInstantTrueSun);

// One term just outside the table: corrected modern astronomy.
void BM_NextTermInstantAfterTable(benchmark::State& state) {
    ScopedCalendarSettings historical(8, 0);
    for (auto _ : state) benchmark::DoNotOptimize(nextTermInstant(2410300, AnyTerm));
}
BENCHMARK(BM_NextTermInstantAfterTable);

// One historical new-moon day: a mean conjunction (景初, 298) and a reckoned new moon (901).
void BM_NextPhaseDayHistorical(benchmark::State& state) {
    ScopedCalendarSettings historical(8, 0);
    const int day = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(nextPhaseDay(day, NewMoon));
}
BENCHMARK(BM_NextPhaseDayHistorical)->Arg(1830000)->Arg(2050000);

}  // namespace
}  // namespace tavomerix
