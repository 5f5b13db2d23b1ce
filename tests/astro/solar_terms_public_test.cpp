#include <gtest/gtest.h>

#include <cmath>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

TEST(NextTermInstant, SeamsOfTheEraTable) {
    const CalendarContext context{8, Regime::Historical};
    // The modern 冬至 of -104 (day 1683429) moves two days to 1683431.0, the first row's
    // epoch; the two days before the table search from 1683429.
    for (int day : {1683429, 1683430, 1683431}) {
        SCOPED_TRACE(testing::Message() << "day " << day);
        EXPECT_EQ(1683431.0, nextTermInstant(context, day, TermKind::Any));
        EXPECT_EQ(1683431.0, nextTermInstant(context, day, TermKind::Principal));
        EXPECT_EQ(24, nextTermNumber(context, day));
    }
    // The table's first four days behave as its fifth: the next term is 小寒.
    for (int day = 1683432; day <= 1683436; ++day) {
        SCOPED_TRACE(testing::Message() << "day " << day);
        EXPECT_NEAR(1683431 + 365.25 / 24, nextTermInstant(context, day, TermKind::Any), 1e-9);
        EXPECT_EQ(1, nextTermNumber(context, day));
    }
    // After the table, days 2410264..2410267 search from 2410268.
    for (int day = 2410264; day <= 2410268; ++day) {
        SCOPED_TRACE(testing::Message() << "day " << day);
        EXPECT_EQ(nextTermInstant(context, 2410268, TermKind::Any),
                  nextTermInstant(context, day, TermKind::Any));
        EXPECT_EQ(1, nextTermNumber(context, day));  // 小寒 of 1887
    }
}

TEST(NextTermInstant, ModernRegimeIgnoresTheEraTable) {
    // Day 1683429 holds the uncorrected modern 冬至 (about 20:12 local).
    for (const auto& [zone, flag] : {std::pair{8, 1}, std::pair{9, 0}}) {
        SCOPED_TRACE(testing::Message() << "zone " << zone << " flag " << flag);
        const CalendarContext context{zone, (flag) ? Regime::Modern : Regime::Historical};
        EXPECT_EQ(1683429, floorToInt(nextTermInstant(context, 1683429, TermKind::Principal)));
        EXPECT_NE(1683431.0, nextTermInstant(context, 1683429, TermKind::Principal));
        EXPECT_EQ(nextTermModern(context, 2000000, TermKind::Any, false),
                  nextTermInstant(context, 2000000, TermKind::Any));
    }
}

TEST(SolarTermOfDate, Year2000) {
    const CalendarContext context{8, Regime::Historical};
    const struct {
        int month, day, term;
    } Cases[] = {
        {1, 5, 24},                  // before 小寒
        {1, 6, 1},                   // 小寒 day
        {2, 3, 2},                   // 大寒 still
        {2, 4, 3},                   // 立春 day
        {3, 20, 6},                  // 春分 day
        {6, 21, 12},                 // 夏至 day
        {9, 22, 17},                 // the day before 秋分
        {9, 23, 18},                 // 秋分 day
        {12, 20, 23}, {12, 21, 24},  // 冬至 day
        {12, 31, 24},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "2000-" << c.month << '-' << c.day);
        EXPECT_EQ(c.term, solarTermOfDate(context, {2000, c.month, c.day}));
    }
    EXPECT_EQ(0, solarTermOfDate(context, {1582, 10, 10}));
    EXPECT_EQ(0, solarTermOfDate(context, {2001, 2, 29}));
}

TEST(SolarTermCount, TwentyThreeToTwentyFive) {
    const struct {
        int flag, year, count;
    } Cases[] = {
        {0, 2000, 24}, {0, 1582, 23},  // ten days fewer
        {1, 832, 25},                  // the same term on 1 January and 31 December (leap year)
        {1, 833, 23},                  // and in the next year neither end holds it
        {0, 948, 25},                  // the same in the historical reckoning
        {0, 949, 23},  {0, -103, 24}, {0, 10000, 0},  // invalid
        {0, -9999, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year << " flag " << c.flag);
        const CalendarContext context{8, (c.flag) ? Regime::Modern : Regime::Historical};
        EXPECT_EQ(c.count, solarTermCount(context, c.year));
        if (c.count == 25) {
            EXPECT_EQ(solarTermOfDate(context, {c.year, 1, 1}),
                      solarTermOfDate(context, {c.year, 12, 31}));
        }
    }
}

TEST(ContainsPrincipalTerm, Spans) {
    const CalendarContext context{8, Regime::Historical};
    const int solstice = julianDayNumber(2000, 12, 21);
    const int greatCold = julianDayNumber(2001, 1, 20);  // 大寒 2001
    EXPECT_EQ(1, containsPrincipalTerm(context, solstice, solstice));
    EXPECT_EQ(0, containsPrincipalTerm(context, solstice + 1, greatCold - 1));
    EXPECT_EQ(1, containsPrincipalTerm(context, solstice + 1, greatCold));
    EXPECT_EQ(0, containsPrincipalTerm(context, solstice - 20, solstice - 1));
}

TEST(SolarTermInstant, HistoricalInstantReplacesTheModernOne) {
    const CalendarContext context{8, Regime::Historical};
    for (int day = 1683440; day < 2410200; day += 2711) {
        for (int k : {1, 6, 13, 24}) {
            SCOPED_TRACE(testing::Message() << "day " << day << " term " << k);
            const double t = solarTermInstant(context, day, k);
            EXPECT_GE(floorToInt(t), day);
            EXPECT_LT(floorToInt(t), day + 372);
            EXPECT_EQ(k, nextTermNumber(context, floorToInt(t)));
            EXPECT_EQ(t, nextTermInstant(context, floorToInt(t), TermKind::Any));
        }
    }
    // Before the table the corrected modern instant stands.
    EXPECT_EQ(1683431.0, solarTermInstant(context, 1683400, WinterSolstice));
}

TEST(NextTermInstant, HistoricalTermsKeepTheirSpacing) {
    const CalendarContext context{8, Regime::Historical};
    double t = nextTermInstant(context, 1683420, TermKind::Any);
    int k = nextTermNumber(context, 1683420);
    int count = 0;
    while (t < LastHistoricalTermDay + 30) {
        const int day = floorToInt(t) + 1;
        const double next = nextTermInstant(context, day, TermKind::Any);
        const int nextNumber = nextTermNumber(context, day);
        SCOPED_TRACE(testing::Message() << std::fixed << "term " << k << " at " << t);
        ASSERT_EQ(k % 24 + 1, nextNumber);
        // Rows change epoch and year length; within a row terms are 14.5..15.9 days apart.
        ASSERT_GT(next - t, 11.5);
        ASSERT_LT(next - t, 17.5);
        if (count > 0 && day - 1 > FirstHistoricalTermDay + 30) {
            bool sameRow = false;
            for (const TermEra& e : termEras()) {
                sameRow = sameRow || (e.firstDay + 4 <= t && next <= e.lastDay + 1);
            }
            if (sameRow) {
                EXPECT_GT(next - t, 14.5);
                EXPECT_LT(next - t, 15.9);
            }
        }
        t = next;
        k = nextNumber;
        ++count;
    }
    EXPECT_GT(count, 1789 * 24);
}

}  // namespace
}  // namespace tavomerix
