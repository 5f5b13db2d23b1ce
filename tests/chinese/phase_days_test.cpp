#include "chinese/phase_days.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

constexpr double OneMinuteDays = 1.0 / 1440;

TEST(MeanNewYearDay, PublishedDays) {
    const struct {
        int year, day, leap;
    } Cases[] = {
        {-103, 1683490, 0},  // 太初 begins: 22 February of -103
        {84, 1751765, 1},    // last 太初 year
        {85, 1752148, 0},    // first 四分 year
        {645, 1956677, -1},  // 戊寅, first year
        {665, 1963971, -1},  // 戊寅, last year
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year);
        EXPECT_EQ(c.day, meanNewYearDay(c.year));
        if (c.leap >= 0) {
            EXPECT_EQ(c.leap, meanYearHasLeap(c.year));
        }
    }
    EXPECT_EQ(julianDayNumber(-103, 2, 22), meanNewYearDay(-103));
    for (int year : {-104, 619, 644, 666}) {
        SCOPED_TRACE(testing::Message() << "year " << year);
        EXPECT_EQ(InvalidDayNumber, meanNewYearDay(year));
        EXPECT_EQ(0, meanYearHasLeap(year));
    }
}

TEST(MeanYearHasLeap, SevenInEveryNineteenYears) {
    const struct {
        int firstYear, lastYear;
    } Rows[] = {{-103, 84}, {85, 237}, {238, 444}, {445, 509}};
    for (const auto& r : Rows) {
        for (int y = r.firstYear; y + 18 <= r.lastYear; ++y) {
            SCOPED_TRACE(testing::Message() << "years " << y << " .. " << y + 18);
            int leaps = 0;
            for (int i = 0; i < 19; ++i) leaps += meanYearHasLeap(y + i);
            EXPECT_EQ(7, leaps);
        }
    }
}

TEST(NextPhaseDay, SearchOnTheFirstDayOfARangeStartsOneDayLater) {
    const CalendarContext context{8, Regime::Historical};
    // The 太初 mean new moon of day 1752119 closes its range; the 四分 range opens on
    // 1752120 and its first search must not find a month of one day.
    EXPECT_EQ(1752119, nextPhaseDay(context, 1752119, MoonPhase::New));
    EXPECT_EQ(1752148, nextPhaseDay(context, 1752120, MoonPhase::New));
    EXPECT_EQ(1752148, nextPhaseDay(context, 1752121, MoonPhase::New));
    // Likewise when the reckoned new moon of 1936567.18 meets the 开皇 range.
    EXPECT_EQ(1936596, nextPhaseDay(context, 1936567, MoonPhase::New));
}

TEST(NextPhaseDay, ThresholdAndKeptDays) {
    const CalendarContext context{8, Regime::Historical};
    // The new moon at 2022205.818 lies past 0.7908 of its day and counts on the next.
    EXPECT_EQ(2022205, floorToInt(nextNewMoonReckoned(context, 2022200, 0)));
    EXPECT_EQ(2022206, nextPhaseDay(context, 2022200, MoonPhase::New));
    // Day 2022293 is kept although its new moon falls at .836.
    EXPECT_GT(nextNewMoonReckoned(context, 2022290, 0) - 2022293, 0.7908);
    EXPECT_EQ(2022293, nextPhaseDay(context, 2022290, MoonPhase::New));
}

TEST(NextPhaseInstant, ModernRegime) {
    for (const auto& [zone, flag] : {std::pair{8, 1}, std::pair{9, 0}}) {
        SCOPED_TRACE(testing::Message() << "zone " << zone << " flag " << flag);
        const CalendarContext context{zone, (flag) ? Regime::Modern : Regime::Historical};
        const double offset = (zone - 8) / 24.0;
        // 2000-01-06 18:14 UT and 2000-01-21 04:40 UT.
        EXPECT_NEAR(2451551.0928 + offset, nextPhaseInstant(context, 2451545, MoonPhase::New),
                    OneMinuteDays);
        EXPECT_NEAR(2451565.5278 + offset, nextPhaseInstant(context, 2451545, MoonPhase::Full),
                    OneMinuteDays);
        EXPECT_EQ(2451551, nextPhaseDay(context, 2451545, MoonPhase::New));
        // Inside a mean-calendar range the phases are still the astronomical ones.
        EXPECT_EQ(nextMoonPhase(context, 1752119, MoonPhase::New),
                  nextPhaseInstant(context, 1752119, MoonPhase::New));
        EXPECT_EQ(nextMoonPhase(context, 1752119, MoonPhase::Full),
                  nextPhaseInstant(context, 1752119, MoonPhase::Full));
    }
}

TEST(LastPhaseDay, OfAPhaseDayIsThatDay) {
    for (int flag : {0, 1}) {
        const CalendarContext context{8, (flag) ? Regime::Modern : Regime::Historical};
        for (int start : {1683440, 1752100, 1936560, 1956830, 2022200, 2200000, 2451545}) {
            for (MoonPhase phase : {MoonPhase::New, MoonPhase::Full}) {
                SCOPED_TRACE(testing::Message() << "flag " << flag << " start " << start
                                                << " phase " << static_cast<int>(phase));
                const int day = nextPhaseDay(context, start, phase);
                EXPECT_EQ(day, lastPhaseDay(context, day, phase));
                EXPECT_EQ(day, lastPhaseDay(context, day + 1, phase));
                EXPECT_GT(day, lastPhaseDay(context, day - 1, phase));
            }
        }
    }
}

TEST(PhaseCount, CivilYears) {
    const struct {
        int flag, year, newMoons, fullMoons;
    } Cases[] = {
        {1, 2000, 13, 12},  // 01-06 .. 12-25 new, 01-21 .. 12-11 full (UT)
        {0, 2000, 13, 12},
        {0, 1582, 12, 12},
        {0, 10000, 0, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year << " flag " << c.flag);
        const CalendarContext context{8, (c.flag) ? Regime::Modern : Regime::Historical};
        EXPECT_EQ(c.newMoons, newMoonCount(context, c.year));
        EXPECT_EQ(c.fullMoons, fullMoonCount(context, c.year));
    }
}

TEST(NextPhaseDay, HistoricalMonthsKeepTheirLength) {
    // Every search finds a day on or after its start, and successive phases are 29 or
    // 30 days apart: around every seam between sources and in a window every 20 years,
    // 104 BC .. AD 1886.
    const CalendarContext context{8, Regime::Historical};
    std::vector<int> windows = {1683461, 1683476, 1752120, 1752135, 1807756, 1807770, 1883590,
                                1883604, 1907332, 1907347, 1936567, 1936582, 1939107, 1939122,
                                1947139, 1947154, 1956825, 1956841, 1963942, 1963957, 2021291,
                                2073177, 2135987, 2185304, 2188937};
    for (int day = 1683500; day < LastHistoricalTermDay; day += 7305) windows.push_back(day);
    for (int seam : windows) {
        for (MoonPhase phase : {MoonPhase::New, MoonPhase::Full}) {
            int day = nextPhaseDay(context, seam - 400, phase);
            while (day < seam + 400) {
                const int next = nextPhaseDay(context, day + 1, phase);
                SCOPED_TRACE(testing::Message()
                             << "phase " << static_cast<int>(phase) << " after day " << day);
                ASSERT_GE(next - day, 29);
                ASSERT_LE(next - day, 30);
                day = next;
            }
        }
    }
    for (int start = 1683455; start < 1683470; ++start) {
        SCOPED_TRACE(testing::Message() << "start " << start);
        EXPECT_GE(nextPhaseDay(context, start, MoonPhase::New), start);
    }
}

}  // namespace
}  // namespace tavomerix
