#include "dayinfo/seasons.h"

#include <gtest/gtest.h>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/next_term.h"

namespace tavomerix {
namespace {

struct DateCase {
    int year, month, day;
    const char* expected;
};

using DayText = std::string (*)(const LunarCalendar&, const CivilDate&);

void expectEach(const LunarCalendar& calendar, const DateCase* begin, const DateCase* end,
                DayText text) {
    for (const DateCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(testing::Message() << c->year << '-' << c->month << '-' << c->day);
        EXPECT_EQ(c->expected, text(calendar, {c->year, c->month, c->day}));
    }
}

// 冬至 2023 fell on 12-22 (11:27 Beijing time).
TEST(NinesText, CountsFromTheSolsticeDay) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const DateCase Cases[] = {
        {2023, 12, 1, ""},            // before the solstice: the solstice found lies ahead
        {2023, 12, 21, ""},           // the day before
        {2023, 12, 22, "一九第1天"},  // solstice day is day 1
        {2023, 12, 30, "一九第9天"},  // day 9
        {2023, 12, 31, "二九第1天"},  // day 10
        {2024, 1, 8, "二九第9天"},    // day 18
        {2024, 2, 10, "六九第6天"},   // day 51
        {2024, 3, 10, "九九第8天"},   // day 80
        {2024, 3, 11, "九九第9天"},   // day 81
        {2024, 3, 12, ""},            // day 82
        {2024, 7, 1, ""},
        {1582, 10, 10, ""},  // dropped day
        {9001, 1, 1, ""},    // out of range
    };
    expectEach(calendar, std::begin(Cases), std::end(Cases), ninesText);
}

TEST(DogDaysText, PeriodsFromGengDays) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const DateCase Cases[] = {
        // 2024: 夏至 06-21, 立秋 08-07; 初伏 07-15, 中伏 07-25 (20 days), 末伏 08-14.
        {2024, 7, 14, ""},
        {2024, 7, 15, "初伏第1天"},
        {2024, 7, 24, "初伏第10天"},
        {2024, 7, 25, "中伏第1天"},
        {2024, 8, 13, "中伏第20天"},
        {2024, 8, 14, "末伏第1天"},
        {2024, 8, 23, "末伏第10天"},
        {2024, 8, 24, ""},
        // 2014: 立秋 08-07 is itself a 庚 day, so 中伏 lasts 10 days.
        {2014, 7, 18, "初伏第1天"},
        {2014, 7, 28, "中伏第1天"},
        {2014, 8, 6, "中伏第10天"},
        {2014, 8, 7, "末伏第1天"},
        {2014, 8, 16, "末伏第10天"},
        {2014, 8, 17, ""},
        // 2002: 夏至 06-21 is a 庚 day and counts as the first one.
        {2002, 7, 10, ""},
        {2002, 7, 11, "初伏第1天"},
        {2024, 1, 15, ""},
    };
    expectEach(calendar, std::begin(Cases), std::end(Cases), dogDaysText);
}

TEST(PlumRainText, StartAndEndDaysOnly) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const DateCase Cases[] = {
        // 2024: 芒种 06-05 (a 庚 day), first 丙 day 06-11; 小暑 07-06 is a 未 day.
        {2024, 6, 5, ""}, {2024, 6, 11, "入梅"}, {2024, 6, 21, ""},  // the next 丙 day
        {2024, 7, 5, ""}, {2024, 7, 6, "出梅"},  {2024, 7, 18, ""},  // the next 未 day
    };
    expectEach(calendar, std::begin(Cases), std::end(Cases), plumRainText);
}

TEST(PlumRainText, OneStartAndOneEndEachYear) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    for (const int year : {-2000, 1066, 1986, 2025, 8999}) {
        SCOPED_TRACE(year);
        int starts = 0, ends = 0;
        const int first = julianDayNumber(year, 1, 1), last = julianDayNumber(year, 12, 31);
        for (int n = first; n <= last; ++n) {
            const CivilDate d = civilDateFromDayNumber(n);
            const std::string text = plumRainText(calendar, {d.year, d.month, d.day});
            starts += text == "入梅";
            ends += text == "出梅";
        }
        EXPECT_EQ(1, starts);
        EXPECT_EQ(1, ends);
    }
}

TEST(SeasonLine, NextTermThenPeriods) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const DateCase Cases[] = {
        {2024, 2, 10, "2月19日雨水 六九第6天"},
        {2024, 6, 11, "6月21日夏至 入梅"},
        {2024, 7, 15, "7月22日大暑 初伏第1天"},
        {2024, 10, 1, "10月8日寒露"},  // no seasonal text: the next-term line alone
        {1582, 10, 10, ""},
    };
    expectEach(calendar, std::begin(Cases), std::end(Cases), seasonLine);
}

// The yearly term tables must give exactly what the per-day searches give, on every day,
// in the modern and the historical regime and at both ends of the historical era table.
TEST(SeasonLine, CachedEqualsDirectForWholeYears) {
    const struct {
        int year, timeZoneHours, modernFlag;
    } Cases[] = {
        {2024, 8, 0}, {2023, -5, 0},  // another zone forces modern astronomy
        {1886, 8, 0},                 // last year of the era table
        {-103, 8, 0},                 // first year of the era table
        {1700, 8, 1},
    };
    for (const auto& c : Cases) {
        const CalendarContext context{c.timeZoneHours,
                                      (c.modernFlag) ? Regime::Modern : Regime::Historical};
        const LunarCalendar& calendar = LunarCalendar::shared(context);
        const int first = julianDayNumber(c.year, 1, 1), last = julianDayNumber(c.year, 12, 31);
        for (int n = first; n <= last; ++n) {
            const CivilDate d = civilDateFromDayNumber(n);
            SCOPED_TRACE(testing::Message() << d.year << '-' << d.month << '-' << d.day << " zone "
                                            << c.timeZoneHours << " modern " << c.modernFlag);
            ASSERT_EQ(nextTermText(context, {d.year, d.month, d.day}),
                      cachedNextTermText(calendar, {d.year, d.month, d.day}));
            ASSERT_EQ(seasonLineDirect(context, {d.year, d.month, d.day}),
                      seasonLine(calendar, {d.year, d.month, d.day}));
        }
    }
}

}  // namespace
}  // namespace tavomerix
