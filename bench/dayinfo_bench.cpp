// The day view as the main window and `tavomerix day` compute it.
#include <benchmark/benchmark.h>

#include <string>

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/day_facts.h"
#include "dayinfo/day_view.h"
#include "dayinfo/festivals.h"
#include "dayinfo/four_pillars.h"
#include "dayinfo/seasons.h"

namespace tavomerix {
namespace {

// One day of a year whose lunar records and term tables are already built.
void BM_DayViewWarm(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(dayView(calendar, {2024, 2, 10}, {}));
    for (auto _ : state) benchmark::DoNotOptimize(dayView(calendar, {2024, 2, 10}, {}));
}
BENCHMARK(BM_DayViewWarm)->Unit(benchmark::kMicrosecond);

// The facts of the same day alone, which the day view's lines are made from.
void BM_DayFacts(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(dayFacts(calendar, CivilDate{2024, 2, 10}, nullptr));
    for (auto _ : state) {
        benchmark::DoNotOptimize(dayFacts(calendar, CivilDate{2024, 2, 10}, nullptr));
    }
}
BENCHMARK(BM_DayFacts)->Unit(benchmark::kMicrosecond);

// The almanac of the same day, its term tables already built.
void BM_AlmanacOneDay(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(almanac(calendar, CivilDate{2024, 2, 10}));
    for (auto _ : state) benchmark::DoNotOptimize(almanac(calendar, CivilDate{2024, 2, 10}));
}
BENCHMARK(BM_AlmanacOneDay)->Unit(benchmark::kMicrosecond);

// The almanac and its seven lines of text.
void BM_AlmanacTextOneDay(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(almanac(calendar, CivilDate{2024, 2, 10}));
    for (auto _ : state) {
        benchmark::DoNotOptimize(almanacText(almanac(calendar, CivilDate{2024, 2, 10})));
    }
}
BENCHMARK(BM_AlmanacTextOneDay)->Unit(benchmark::kMicrosecond);

// A day's full almanac as `almanac --hours` prints it: the entries, 宜 忌 吉神 凶煞 and the
// thirteen hours, with their text; compare BM_DayViewWarm.
void BM_AlmanacFullDayWithHours(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const CivilDate date{2024, 2, 10};
    benchmark::DoNotOptimize(almanacLists(calendar, almanac(calendar, date)));
    for (auto _ : state) {
        const Almanac a = almanac(calendar, date);
        std::string text = almanacText(a) + almanacListsText(almanacLists(calendar, a)) +
                           almanacHoursText(almanacHours(a.dayNumber, ZiHour::Late));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_AlmanacFullDayWithHours)->Unit(benchmark::kMicrosecond);

// The four pillars of a moment in true solar time.
void BM_FourPillarsTrueSolarTime(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(fourPillars(calendar, {1990, 5, 17}, 52200, ZiHour::Late, 116.4));
    for (auto _ : state) {
        benchmark::DoNotOptimize(fourPillars(calendar, {1990, 5, 17}, 52200, ZiHour::Late, 116.4));
    }
}
BENCHMARK(BM_FourPillarsTrueSolarTime)->Unit(benchmark::kMicrosecond);

// Every day of a warm year in turn, as a day-by-day scan sees it.
void BM_DayViewWarmYearScan(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    int day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            dayView(calendar, {2024, 1 + (day - 1) / 28 % 12, 1 + (day - 1) % 28}, {}));
        ++day;
    }
}
BENCHMARK(BM_DayViewWarmYearScan)->Unit(benchmark::kMicrosecond);

// 1 January of a year never shown before: lunar records, term tables and Easter are built.
void BM_DayViewColdNewYear(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    static int year = 2500;
    for (auto _ : state) benchmark::DoNotOptimize(dayView(calendar, {year++, 1, 1}, {}));
}
BENCHMARK(BM_DayViewColdNewYear)->Unit(benchmark::kMillisecond)->Iterations(60);

// The festival and season lines alone, warm.
void BM_FestivalAndSeasonLinesWarm(benchmark::State& state) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    benchmark::DoNotOptimize(seasonLine(calendar, {2024, 7, 15}));
    for (auto _ : state) {
        benchmark::DoNotOptimize(festivalLine(calendar, {2024, 7, 15}, {}));
        benchmark::DoNotOptimize(seasonLine(calendar, {2024, 7, 15}));
    }
}
BENCHMARK(BM_FestivalAndSeasonLinesWarm)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavomerix
