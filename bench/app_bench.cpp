#include <benchmark/benchmark.h>

#include "app/app_settings.h"
#include "app/main_window.h"
#include "app/registry.h"
#include "app/settings_store.h"
#include "chinese/lunar_year.h"
#include "dayinfo/day_view.h"

namespace tavomerix {
namespace {

// What the widget computes between process start and its first paint, from a cold
// lunar-year cache: settings, the year range and its lunar bounds, today's lunar date,
// the selectors' items and the three lines of today.
void BM_StartupComputation(benchmark::State& state) {
    const CivilDate today{2026, 12, 8};
    for (auto _ : state) {
        clearLunarYearCache();
        resetMemoryRegistry();
        AppSettings settings;
        loadSettings(settings);
        prepareStartDates(settings, today);
        const auto civilYears = civilYearItems(settings);
        const auto lunarYears = lunarYearItems(settings);
        const auto lunarMonths = lunarMonthItems(settings, settings.selectedLunarDate.year);
        const auto lunarDays = lunarDayItems(settings, settings.selectedLunarDate.year,
                                             settings.selectedLunarDate.sizedMonth);
        const DayView view = dayView(today.year, today.month, today.day);
        benchmark::DoNotOptimize(civilYears.size() + lunarYears.size() + lunarMonths.size() +
                                 lunarDays.size() + view.seasonLine.size());
    }
}
BENCHMARK(BM_StartupComputation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavomerix
