#include <benchmark/benchmark.h>

#include "app/app_settings.h"
#include "astro/solar_terms.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"

namespace tavomerix {
namespace {

constexpr int ModernRegime = 1;

// One record built from an empty cache and memo, years 2000..2099 in turn.
void BM_LunarYearRecordCold(benchmark::State& state) {
    ScopedCalendarSettings settings(8, static_cast<int>(state.range(0)));
    int year = 2000;
    for (auto _ : state) {
        state.PauseTiming();
        clearLunarYearCache();
        state.ResumeTiming();
        benchmark::DoNotOptimize(lunarYearRecord(year));
        year = year == 2099 ? 2000 : year + 1;
    }
}
BENCHMARK(BM_LunarYearRecordCold)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every record of -9997..9998, one after the other on one thread.
void BM_AllLunarYearsSequential(benchmark::State& state) {
    ScopedCalendarSettings settings(8, ModernRegime);
    for (auto _ : state) {
        clearLunarYearCache();
        for (int year = FirstLunarYear; year <= LastLunarYear; ++year) {
            benchmark::DoNotOptimize(lunarYearRecord(year));
        }
    }
}
BENCHMARK(BM_AllLunarYearsSequential)->Iterations(1)->Unit(benchmark::kSecond);

// Every record of -9997..9998 through prefetchLunarYears (two threads), from a cold cache.
void AllLunarYearRecords(benchmark::State& state) {
    ScopedCalendarSettings settings(8, ModernRegime);
    for (auto _ : state) {
        clearLunarYearCache();
        prefetchLunarYears(FirstLunarYear, LastLunarYear);
    }
}
BENCHMARK(AllLunarYearRecords)->Iterations(1)->Unit(benchmark::kSecond);

// Every civil day of 1900..2100 through solarToLunar, from an empty cache (default
// settings: UTC+8, historical reckoning for ancient dates).
void convertEveryDay1900To2100(benchmark::State& state) {
    ScopedCalendarSettings settings(8, 0);
    const int first = julianDayNumber(1900, 1, 1);
    const int last = julianDayNumber(2100, 12, 31);
    for (auto _ : state) {
        clearLunarYearCache();
        for (int jdn = first; jdn <= last; ++jdn) {
            const CivilDate d = civilDateFromDayNumber(jdn);
            benchmark::DoNotOptimize(solarToLunar(d.year, d.month, d.day));
        }
    }
}

void ConvertEveryDay1900To2100Cold(benchmark::State& state) { convertEveryDay1900To2100(state); }
BENCHMARK(ConvertEveryDay1900To2100Cold)->Unit(benchmark::kMillisecond);

// The same with the plain series and the secant solver only: the engine before the fast path.
void ConvertEveryDay1900To2100ColdReference(benchmark::State& state) {
    ScopedReferenceEngine reference;
    convertEveryDay1900To2100(state);
}
BENCHMARK(ConvertEveryDay1900To2100ColdReference)->Unit(benchmark::kMillisecond)->Iterations(1);

// Civil to lunar with the records of 1999..2030 already cached.
void BM_SolarToLunarWarm(benchmark::State& state) {
    ScopedCalendarSettings settings(8, ModernRegime);
    prefetchLunarYears(1999, 2030);
    const int first = julianDayNumber(2000, 1, 1);
    const int last = julianDayNumber(2029, 12, 31);
    int jdn = first;
    for (auto _ : state) {
        const CivilDate d = civilDateFromDayNumber(jdn);
        benchmark::DoNotOptimize(solarToLunar(d.year, d.month, d.day));
        jdn = jdn == last ? first : jdn + 1;
    }
}
BENCHMARK(BM_SolarToLunarWarm);

}  // namespace
}  // namespace tavomerix
