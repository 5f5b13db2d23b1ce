#include <benchmark/benchmark.h>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "chinese/phase_days.h"

namespace tavomerix {
namespace {

// One era-table term in a mean-term row (row 36, 1500).
void BM_EraTermInstantMean(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(eraTermInstant(2268930, TermKind::Any));
}
BENCHMARK(BM_EraTermInstantMean);

// One era-table term under a true-Sun model (model C, 1800): a daily longitude scan.
void BM_EraTermInstantTrueSun(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(eraTermInstant(2378500, TermKind::Any));
}
BENCHMARK(BM_EraTermInstantTrueSun);

// One term just outside the table: corrected modern astronomy.
void BM_NextTermInstantAfterTable(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    for (auto _ : state) benchmark::DoNotOptimize(nextTermInstant(context, 2410300, TermKind::Any));
}
BENCHMARK(BM_NextTermInstantAfterTable);

// One historical new-moon day: a mean conjunction (景初, 298) and a reckoned new moon (901).
void BM_NextPhaseDayHistorical(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const int day = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(nextPhaseDay(context, day, MoonPhase::New));
}
BENCHMARK(BM_NextPhaseDayHistorical)->Arg(1830000)->Arg(2050000);

}  // namespace
}  // namespace tavomerix
