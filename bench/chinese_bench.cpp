#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "astro/fast_longitudes.h"
#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"
#include "chinese/term_table.h"

namespace tavomerix {
namespace {

// A calendar with empty caches, made outside the timed part of an iteration.
std::unique_ptr<LunarCalendar> coldCalendar(benchmark::State& state,
                                            const CalendarContext& context) {
    state.PauseTiming();
    auto calendar = std::make_unique<LunarCalendar>(context);
    state.ResumeTiming();
    return calendar;
}

// Evaluations of the fast series per iteration since `before`.
void countEvaluations(benchmark::State& state, std::uint64_t before) {
    state.counters["evaluations"] = static_cast<double>(fastSeriesEvaluations() - before) /
                                    static_cast<double>(state.iterations());
}

// One record built from an empty cache and memo, years 2000..2099 in turn.
void BM_LunarYearRecordCold(benchmark::State& state) {
    const CalendarContext context{8, state.range(0) == 1 ? Regime::Modern : Regime::Historical};
    int year = 2000;
    const std::uint64_t evaluations = fastSeriesEvaluations();
    for (auto _ : state) {
        const auto calendar = coldCalendar(state, context);
        benchmark::DoNotOptimize(calendar->lunarYear(year));
        year = year == 2099 ? 2000 : year + 1;
    }
    countEvaluations(state, evaluations);
}
BENCHMARK(BM_LunarYearRecordCold)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every record of -9997..9998, one after the other on one thread.
void BM_AllLunarYearsSequential(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    const std::uint64_t evaluations = fastSeriesEvaluations();
    for (auto _ : state) {
        const auto calendar = coldCalendar(state, context);
        for (int year = FirstLunarYear; year <= LastLunarYear; ++year) {
            benchmark::DoNotOptimize(calendar->lunarYear(year));
        }
    }
    state.counters["evaluationsPerYear"] =
        static_cast<double>(fastSeriesEvaluations() - evaluations) /
        (LastLunarYear - FirstLunarYear + 1);
}
BENCHMARK(BM_AllLunarYearsSequential)->Iterations(1)->Unit(benchmark::kSecond);

// The term table of one civil year from an empty cache (the widget's defaults), years
// 2000..2099 in turn.
void BM_TermTableCold(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    int year = 2000;
    const std::uint64_t evaluations = fastSeriesEvaluations();
    for (auto _ : state) {
        const auto calendar = coldCalendar(state, context);
        benchmark::DoNotOptimize(calendar->termTable(year));
        year = year == 2099 ? 2000 : year + 1;
    }
    countEvaluations(state, evaluations);
}
BENCHMARK(BM_TermTableCold)->Unit(benchmark::kMillisecond);

// Every record of -9997..9998 through LunarCalendar::prefetch (two threads), from a cold
// cache.
void AllLunarYearRecords(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    for (auto _ : state) coldCalendar(state, context)->prefetch(FirstLunarYear, LastLunarYear);
}
BENCHMARK(AllLunarYearRecords)->Iterations(1)->Unit(benchmark::kSecond);

// Every civil day of 1900..2100 through solarToLunar, from an empty cache (the widget's
// defaults: UTC+8, historical reckoning for ancient dates).
void convertEveryDay1900To2100(benchmark::State& state, Engine engine) {
    const CalendarContext context{8, Regime::Historical, engine};
    const int first = julianDayNumber(1900, 1, 1);
    const int last = julianDayNumber(2100, 12, 31);
    for (auto _ : state) {
        const auto calendar = coldCalendar(state, context);
        for (int jdn = first; jdn <= last; ++jdn) {
            const CivilDate d = civilDateFromDayNumber(jdn);
            benchmark::DoNotOptimize(solarToLunar(*calendar, d));
        }
    }
}

void ConvertEveryDay1900To2100Cold(benchmark::State& state) {
    convertEveryDay1900To2100(state, Engine::Fast);
}
BENCHMARK(ConvertEveryDay1900To2100Cold)->Unit(benchmark::kMillisecond);

// The same with the plain series and the secant solver only: the engine before the fast path.
void ConvertEveryDay1900To2100ColdReference(benchmark::State& state) {
    convertEveryDay1900To2100(state, Engine::Reference);
}
BENCHMARK(ConvertEveryDay1900To2100ColdReference)->Unit(benchmark::kMillisecond)->Iterations(1);

// Civil to lunar with the records of 1999..2030 already cached.
void BM_SolarToLunarWarm(benchmark::State& state) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    calendar.prefetch(1999, 2030);
    const int first = julianDayNumber(2000, 1, 1);
    const int last = julianDayNumber(2029, 12, 31);
    int jdn = first;
    for (auto _ : state) {
        const CivilDate d = civilDateFromDayNumber(jdn);
        benchmark::DoNotOptimize(solarToLunar(calendar, d));
        jdn = jdn == last ? first : jdn + 1;
    }
}
BENCHMARK(BM_SolarToLunarWarm);

}  // namespace
}  // namespace tavomerix
