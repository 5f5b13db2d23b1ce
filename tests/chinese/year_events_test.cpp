#include "chinese/year_events.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {
namespace {

constexpr double OneMinuteDays = 1.0 / 1440;

// LocalDayNumber of a civil date and time of day.
double localInstant(int year, int month, int day, int hour, int minute) {
    return julianDayNumber(year, month, day) + (hour + minute / 60.0) / 24;
}

TEST(YearEvents, PublishedInstantsOf2024) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    const std::vector<TermEvent> terms = termsOfYear(calendar, 2024);
    ASSERT_EQ(24u, terms.size());
    EXPECT_EQ(1, terms.front().number);  // 小寒 2024-01-06 04:49 UTC+8
    EXPECT_NEAR(localInstant(2024, 1, 6, 4, 49), terms.front().instant, OneMinuteDays);
    EXPECT_EQ(24, terms.back().number);  // 冬至 2024-12-21 17:20
    EXPECT_NEAR(localInstant(2024, 12, 21, 17, 20), terms.back().instant, OneMinuteDays);

    const std::vector<PhaseEvent> moons = moonPhasesOfYear(calendar, 2024);
    ASSERT_EQ(25u, moons.size());  // 13 new moons: the last on 12-31 06:27 UTC+8
    EXPECT_EQ(MoonPhase::New, moons[2].phase);
    EXPECT_NEAR(localInstant(2024, 2, 10, 6, 59), moons[2].instant, OneMinuteDays);
    EXPECT_EQ(MoonPhase::New, moons.back().phase);
    EXPECT_NEAR(localInstant(2024, 12, 31, 6, 27), moons.back().instant, OneMinuteDays);

    EXPECT_TRUE(termsOfYear(calendar, 10000).empty());
    EXPECT_TRUE(moonPhasesOfYear(calendar, 10000).empty());
}

// Every listed event lies in its year, in time order, at its known spacing, the terms
// numbered in turn and the phases alternating; no term is missing at either end.
TEST(YearEvents, EveryYearOf1900To2100) {
    for (const Regime regime : {Regime::Historical, Regime::Modern}) {
        const LunarCalendar calendar({-5, regime});
        for (int year = 1900; year <= 2100; ++year) {
            SCOPED_TRACE(testing::Message() << year << " regime " << static_cast<int>(regime));
            const auto inYear = [year](double instant) {
                return civilDateFromDayNumber(static_cast<int>(std::floor(instant))).year == year;
            };
            const std::vector<TermEvent> terms = termsOfYear(calendar, year);
            ASSERT_FALSE(terms.empty());
            EXPECT_EQ(calendar.nextTerm(julianDayNumber(year, 1, 1)).number, terms[0].number);
            for (std::size_t i = 0; i < terms.size(); ++i) {
                EXPECT_TRUE(inYear(terms[i].instant));
                if (i == 0) continue;
                EXPECT_EQ(terms[i - 1].number % 24 + 1, terms[i].number);
                const double gap = terms[i].instant - terms[i - 1].instant;
                EXPECT_TRUE(gap > 14 && gap < 16.5) << gap;
            }
            EXPECT_FALSE(inYear(calendar.nextTerm(floorToInt(terms.back().instant) + 1).instant));
            const std::vector<PhaseEvent> moons = moonPhasesOfYear(calendar, year);
            ASSERT_GE(moons.size(), 24u);
            for (std::size_t i = 0; i < moons.size(); ++i) {
                EXPECT_TRUE(inYear(moons[i].instant));
                if (i == 0) continue;
                EXPECT_NE(moons[i - 1].phase, moons[i].phase);
                const double gap = moons[i].instant - moons[i - 1].instant;
                EXPECT_TRUE(gap > 13.5 && gap < 16) << gap;
            }
        }
    }
}

// Month starts whose new moon lies within a minute of midnight: the two of 1900-2100, an
// ordinary start, a day that is no month's first, and a new moon the historical reckoning
// sets on a day's last second to follow the records (not marked).
TEST(NewMoonNearMidnight, Cases) {
    const LunarCalendar& historical = LunarCalendar::shared({8, Regime::Historical});
    const LunarCalendar& modern = LunarCalendar::shared({8, Regime::Modern});
    const struct {
        const LunarCalendar* calendar;
        CivilDate firstDay;
        bool marked;
        int seconds;
    } Cases[] = {
        {&historical, {2057, 9, 28}, true, -9}, {&modern, {2057, 9, 28}, true, -9},
        {&historical, {2097, 8, 7}, true, -27}, {&historical, {2024, 2, 10}, false, 0},
        {&historical, {2024, 2, 11}, false, 0}, {&historical, {1914, 11, 17}, false, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::to_string(c.firstDay.year) + "-" + std::to_string(c.firstDay.month));
        const auto near = newMoonNearMidnight(*c.calendar, julianDayNumber(c.firstDay));
        ASSERT_EQ(near.has_value(), c.marked);
        if (near) {
            EXPECT_EQ(near->seconds, c.seconds);
            EXPECT_EQ(std::floor(near->instant), julianDayNumber(c.firstDay));
        }
    }
}

}  // namespace
}  // namespace tavomerix
