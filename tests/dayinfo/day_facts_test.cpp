#include "dayinfo/day_facts.h"

#include <gtest/gtest.h>

#include <vector>

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "chinese/term_table.h"
#include "dayinfo/almanac.h"
#include "dayinfo/day_view.h"

namespace tavomerix {
namespace {

// The terms the sexagenary numbers read from the term tables equal those of fresh
// searches: the next term's day and number on every day of a year, and the first 立春 from
// the year's first day and from 180 days later.
void expectSexagenaryTermsMatchDirect(const LunarCalendar& calendar, int year) {
    const CalendarContext& context = calendar.context();
    const int firstDay = julianDayNumber(year, 1, 1);
    for (const int n : {firstDay, firstDay + 180}) {
        SCOPED_TRACE(testing::Message() << "立春 from day " << n);
        ASSERT_EQ(directTermDay(context, n, Lichun), calendar.termDay(n, Lichun));
    }
    for (int n = firstDay; n <= julianDayNumber(year, 12, 31); ++n) {
        SCOPED_TRACE(testing::Message() << "day " << n);
        const TermEvent next = calendar.nextTerm(n);
        ASSERT_EQ(floorToInt(nextTermInstant(context, n, TermKind::Any)), floorToInt(next.instant));
        ASSERT_EQ(nextTermNumber(context, n), next.number);
    }
}

TEST(DayFacts, SexagenaryTermsMatchFreshSearches) {
    const LunarCalendar& historical = LunarCalendar::shared({8, Regime::Historical});
    // The first reckoned year, changes of reckoning, the reform year and the end of the
    // reckoning; then a modern zone west of Greenwich.
    for (const int year : {-103, 619, 645, 666, 1582, 1886, 1887}) {
        expectSexagenaryTermsMatchDirect(historical, year);
        if (HasFatalFailure()) return;
    }
    expectSexagenaryTermsMatchDirect(LunarCalendar::shared({-5, Regime::Modern}), 2033);
}

TEST(DayFacts, FestivalsAreWholeNamesInLineOrder) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    CommemorationDays days;
    days.set(CommemorationKind::Lunar, 1, 1, "2000Family  dinner");
    days.set(CommemorationKind::Solar, 2, 10, "1990Mum birthday");
    using K = FestivalKind;
    const struct {
        CivilDate date;
        std::vector<FestivalName> expected;
    } Cases[] = {
        {{2024, 2, 10},
         {{K::LunarCommemoration, "Family  dinner"},  // inner spaces kept
          {K::CivilCommemoration, "Mum birthday"},
          {K::LunarFestival, "春节"},
          {K::CivilFestival, "国际气象节"}}},
        {{2024, 7, 1}, {{K::CivilFestival, "建党纪念日"}, {K::CivilFestival, "香港回归纪念日"}}},
        {{2024, 5, 12}, {{K::CivilFestival, "国际护士节"}, {K::CivilFestival, "母亲节"}}},
        {{2024, 2, 12}, {}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        const DayFacts facts = dayFacts(calendar, c.date, &days);
        EXPECT_EQ(c.expected, facts.festivals);
        EXPECT_EQ(festivalLine(calendar, c.date, {false, &days}), festivalLineOf(facts.festivals));
    }
}

TEST(DayFacts, TermsAndHijriDate) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    const struct {
        CivilDate date;
        int term;  // TermNumber in effect
        CivilDate termDate;
        int termOnDay;
        int next;  // TermNumber of the next term on or after the day
    } Cases[] = {
        {{2024, 2, 4}, 3, {2024, 2, 4}, 3, 3},       // 立春 itself
        {{2024, 2, 3}, 2, {2024, 1, 20}, 0, 3},      // 大寒 still in effect
        {{2024, 12, 31}, 24, {2024, 12, 21}, 0, 1},  // 冬至, 小寒 next in 2025
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        const DayFacts facts = dayFacts(calendar, c.date, nullptr);
        EXPECT_EQ(c.term, facts.term.number);
        EXPECT_EQ(julianDayNumber(c.termDate), facts.term.dayNumber);
        EXPECT_EQ(c.termOnDay, facts.termOnDay());
        EXPECT_EQ(c.next, facts.nextTerm.number);
        EXPECT_EQ(facts.civil.dayNumber - facts.term.dayNumber, almanac(facts).daysSinceTerm);
    }
    EXPECT_EQ((HijriDate{1445, 1, 1}), dayFacts(calendar, {2023, 7, 19}, nullptr).hijri);
}

TEST(DayFacts, HolidayStatusOnlyWhenArrangementsAreGiven) {
    const LunarCalendar& calendar = LunarCalendar::shared({});
    const HolidayArrangements builtIn;
    // In another zone the status stays that of China's civil day.
    const LunarCalendar& utc = LunarCalendar::shared({0, Regime::Historical});
    for (const LunarCalendar* c : {&calendar, &utc}) {
        const DayFacts facts = dayFacts(*c, CivilDate{2026, 2, 14}, nullptr, &builtIn);
        EXPECT_EQ(DayStatus::ArrangedWorkday, facts.holiday.status);
        EXPECT_EQ("春节", facts.holiday.holiday);
        EXPECT_TRUE(facts.holiday.published);
    }
    const DayFacts without = dayFacts(calendar, CivilDate{2026, 2, 14}, nullptr);
    EXPECT_TRUE(without.holiday.holiday.empty());
    EXPECT_FALSE(without.holiday.published);
}

TEST(DayFacts, NoFactsOutsideTheDayView) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    for (const CivilDate& d : {CivilDate{1582, 10, 10}, CivilDate{9001, 1, 1},
                               CivilDate{-9000, 12, 31}, CivilDate{2023, 2, 29}}) {
        SCOPED_TRACE(testing::Message() << d.year << '-' << d.month << '-' << d.day);
        const DayFacts facts = dayFacts(calendar, d, nullptr);
        EXPECT_FALSE(facts.valid());
        EXPECT_FALSE(almanac(facts).valid());
        EXPECT_EQ("", dayView(calendar, facts, {}).dayLine);
    }
    EXPECT_TRUE(dayFacts(calendar, {9000, 12, 31}, nullptr).valid());
    EXPECT_TRUE(dayFacts(calendar, {-8999, 1, 1}, nullptr).valid());
}

}  // namespace
}  // namespace tavomerix
