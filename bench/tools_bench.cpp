#include <benchmark/benchmark.h>

#include <memory>

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"
#include "tools/search.h"

namespace tavomerix {
namespace {

const SearchHooks NoHooks{};
const CalendarContext Beijing{8, Regime::Historical};

// A search over a calendar with empty caches, made outside the timed part.
std::optional<SearchResult> coldSearch(benchmark::State& state, SearchKind kind, int start,
                                       int range, const DayConditions& conditions) {
    state.PauseTiming();
    const auto calendar = std::make_unique<LunarCalendar>(Beijing);
    state.ResumeTiming();
    return runSearch({*calendar}, kind, start, range, 0, conditions, NoHooks);
}

// A day search over 1900..1999 with all ten lists set, from an empty cache: the lists of
// 冬至 1999 (12-22, 星期三, 冬月十五, 己卯年丙子月戊申日) with 感恩节, so that no day matches.
void BM_DaySearchAllLists(benchmark::State& state) {
    DayConditions c;
    c[DayList::CivilMonth] = 12;
    c[DayList::CivilDay] = 22;
    c[DayList::Weekday] = 3;
    c[DayList::SolarTerm] = 24;
    c[DayList::Festival] = 4;
    c[DayList::LunarMonth] = 11;
    c[DayList::LunarDay] = 15;
    c[DayList::GanzhiYear] = 16;
    c[DayList::GanzhiMonth] = 13;
    c[DayList::GanzhiDay] = 45;
    for (auto _ : state)
        benchmark::DoNotOptimize(coldSearch(state, SearchKind::Days, 1900, 100, c));
}
BENCHMARK(BM_DaySearchAllLists)->Iterations(3)->Unit(benchmark::kMillisecond);

// The costliest single list: the term of every day of 1900..1999, from an empty cache.
void BM_DaySearchTermOnly(benchmark::State& state) {
    DayConditions c;
    c[DayList::SolarTerm] = 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(coldSearch(state, SearchKind::Days, 1900, 100, c));
}
BENCHMARK(BM_DaySearchTermOnly)->Iterations(3)->Unit(benchmark::kMillisecond);

// Every day of 1900..1999 matches: the entry texts of 36524 days.
void BM_DaySearchEveryDay(benchmark::State& state) {
    const LunarCalendar& calendar = LunarCalendar::shared(Beijing);
    calendar.prefetch(1899, 1999);
    for (auto _ : state) {
        for (int weekday = 1; weekday <= 7; ++weekday) {
            DayConditions c;
            c[DayList::Weekday] = weekday;
            benchmark::DoNotOptimize(
                runSearch({calendar}, SearchKind::Days, 1900, 100, 0, c, NoHooks));
        }
    }
}
BENCHMARK(BM_DaySearchEveryDay)->Iterations(3)->Unit(benchmark::kMillisecond);

SearchKind monthKind(int64_t k) { return static_cast<SearchKind>(k); }

// A month search over 1..5000 from an empty cache (the records are built on the way).
void BM_MonthSearchCold(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(coldSearch(state, monthKind(state.range(0)), 1, 5000, {}));
    }
}
BENCHMARK(BM_MonthSearchCold)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

// The same search with every record cached.
void BM_MonthSearchWarm(benchmark::State& state) {
    const LunarCalendar& calendar = LunarCalendar::shared(Beijing);
    calendar.prefetch(1, 5000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            runSearch({calendar}, monthKind(state.range(0)), 1, 5000, 0, {}, NoHooks));
    }
}
BENCHMARK(BM_MonthSearchWarm)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavomerix
