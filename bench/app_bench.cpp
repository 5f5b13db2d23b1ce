#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/registry.h"
#include "app/settings_store.h"
#include "dayinfo/day_view.h"

namespace tavomerix {
namespace {

// What the widget computes between process start and its first paint, from cold caches
// (each iteration in a time zone whose calendar has not been used yet): settings, the year
// range and its lunar bounds, today's lunar date, the selectors' items and the three lines
// of today. At most 25 iterations.
void BM_StartupComputation(benchmark::State& state) {
    const CivilDate today{2026, 12, 8};
    int zone = MinTimeZoneHours;
    for (auto _ : state) {
        resetMemoryRegistry();
        AppSettings settings;
        loadSettings(settings);
        settings.stored.TimeZoneHours = zone++;
        prepareStartDates(settings, today);
        const auto civilYears = civilYearItems(settings);
        const auto lunarYears = lunarYearItems(settings);
        const auto lunarMonths = lunarMonthItems(settings, settings.window.selectedLunarDate.year);
        const auto lunarDays = lunarDayItems(settings, settings.window.selectedLunarDate.year,
                                             settings.window.selectedLunarDate.sizedMonth);
        const DayView view =
            dayView(calendarOf(settings), today, dayViewOptions(settings.stored, nullptr));
        benchmark::DoNotOptimize(civilYears.size() + lunarYears.size() + lunarMonths.size() +
                                 lunarDays.size() + view.seasonLine.size());
    }
}
BENCHMARK(BM_StartupComputation)->Unit(benchmark::kMillisecond)->Iterations(25);

}  // namespace
}  // namespace tavomerix
