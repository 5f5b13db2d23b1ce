// Several threads using calendars of different contexts at once get exactly what one
// thread gets: the caches fill slot by slot without a result changing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/day_view.h"
#include "dayinfo/four_pillars.h"

namespace tavomerix {
namespace {

const CalendarContext Contexts[] = {
    {8, Regime::Historical},
    {8, Regime::Modern},
    {-5, Regime::Modern},
    {0, Regime::Modern},
};

// Everything one pass computes with a calendar, as text: lunar-year records, conversions
// both ways, the next term of a day, whole day views and almanacs, over years that cross the
// historical era table and the modern range.
std::vector<std::string> workOf(const LunarCalendar& calendar, int seed) {
    std::vector<std::string> results;
    for (int i = 0; i < 40; ++i) {
        const int year = -150 + (i * 53 + seed * 7) % 2300;  // 立春 ... of many years
        results.push_back(lunarYearRecord(calendar.lunarYear(year)));
        const CivilDate date{year, 1 + (i + seed) % 12, 1 + (i * 7) % 28};
        const LunarDate lunar = solarToLunar(calendar, date);
        results.push_back(lunarDateCode(lunar) + " " +
                          formatDateCode(lunarToSolar(calendar, lunar)));
        const TermEvent term = calendar.nextTerm(julianDayNumber(date));
        results.push_back(dateTimeFromDayNumber(term.instant) + " " + std::to_string(term.number));
        const DayView view = dayView(calendar, date, {});
        results.push_back(view.lunarText + "|" + view.dayLine + "|" + view.festivalLine + "|" +
                          view.seasonLine);
        const Almanac dayAlmanac = almanac(calendar, date);
        results.push_back(almanacText(dayAlmanac) +
                          almanacListsText(almanacLists(calendar, dayAlmanac)));
        const FourPillars pillars = fourPillars(calendar, date, i * 2000, ZiHour::Late, 116.4);
        results.push_back(ganzhiName(pillars.ganzhi[1]) + ganzhiName(pillars.ganzhi[3]));
    }
    return results;
}

TEST(Concurrency, ThreadsOnSeveralContextsMatchOneThread) {
    constexpr int Threads = 4;
    constexpr int ContextCount = static_cast<int>(std::size(Contexts));
    // The results of one thread, each calendar fresh.
    std::vector<std::vector<std::string>> expected(ContextCount * Threads);
    for (int c = 0; c < ContextCount; ++c) {
        const LunarCalendar calendar(Contexts[c]);
        for (int t = 0; t < Threads; ++t) expected[c * Threads + t] = workOf(calendar, t);
    }
    // Fresh calendars again, now shared by every thread; each thread works through all
    // contexts, starting at a different one, so that threads fill the same caches at once.
    std::vector<std::unique_ptr<LunarCalendar>> calendars;
    for (const CalendarContext& context : Contexts) {
        calendars.push_back(std::make_unique<LunarCalendar>(context));
    }
    std::vector<std::vector<std::string>> got(ContextCount * Threads);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < ContextCount; ++k) {
                const int c = (t + k) % ContextCount;
                if (k == 0) calendars[c]->prefetch(-200, -100);  // prefetch against lookups
                got[c * Threads + t] = workOf(*calendars[c], t);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int i = 0; i < ContextCount * Threads; ++i) {
        SCOPED_TRACE(testing::Message() << "context " << i / Threads << " thread " << i % Threads);
        EXPECT_EQ(expected[i], got[i]);
    }
}

// The shared calendar of a context is one object, whichever thread asks first.
TEST(Concurrency, SharedCalendarsAreOnePerContext) {
    std::vector<const LunarCalendar*> seen(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&seen, t] { seen[t] = &LunarCalendar::shared({3, Regime::Modern}); });
    }
    for (std::thread& thread : threads) thread.join();
    for (const LunarCalendar* calendar : seen) EXPECT_EQ(seen[0], calendar);
}

}  // namespace
}  // namespace tavomerix
