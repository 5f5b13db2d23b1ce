#include "chinese/lunar_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_year.h"

namespace tavomerix {
namespace {

// The lunar DateCode of a civil date ("" for none), as the day view writes it.
std::string lunarCode(const LunarCalendar& calendar, const CivilDate& date) {
    return lunarDateCode(solarToLunar(calendar, date));
}

// The civil DateCode of a lunar date given by its MonthCode ("" for none).
std::string civilCode(const LunarCalendar& calendar, int year, int monthCode, int day) {
    return formatDateCode(lunarToSolar(calendar, lunarDateOfMonthCode(year, monthCode, day)));
}

TEST(SolarToLunar, KnownDays) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day;
        const char* lunar;
    } Cases[] = {
        {2024, 2, 10, "AD01-01-2024"},   // 正月初一 (正月小)
        {2024, 2, 9, "AD36-30-2023"},    // 除夕, 腊月三十 of 2023 (腊月大)
        {2025, 1, 28, "AD12-29-2024"},   // 除夕, 腊月廿九: 2024 has no 腊月三十
        {2023, 1, 22, "AD01-01-2023"},   // 正月初一
        {2023, 3, 22, "AD14-01-2023"},   // 闰二月初一, 29-day leap month
        {2023, 4, 19, "AD14-29-2023"},   // its last day
        {2023, 4, 20, "AD03-01-2023"},   // 三月初一
        {2017, 7, 23, "AD42-01-2017"},   // 30-day 闰六月: 6 + 36
        {2020, 5, 23, "AD16-01-2020"},   // 29-day 闰四月: 4 + 12
        {2033, 12, 22, "AD23-01-2033"},  // 闰冬月初一
        {2000, 1, 1, "AD35-25-1999"},    // 冬月廿五
        {-9000, 6, 1, ""},               // outside -8999..9000
        {9001, 6, 1, ""},
        {2023, 2, 29, ""},  // no such civil date
        {1582, 10, 10, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.lunar, lunarCode(calendar, {c.year, c.month, c.day}));
    }
}

TEST(LunarToSolar, KnownDays) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day;
        const char* civil;
    } Cases[] = {
        {2023, 14, 1, "AD03-22-2023"},   // 闰二月初一
        {2023, 14, 29, "AD04-19-2023"},  // 闰二月廿九
        {2023, 14, 30, ""},              // the leap month has 29 days
        {2023, 15, 1, ""},               // 闰三月 does not exist in 2023
        {2024, 14, 1, ""},               // 2024 has no leap month: no fallback to 二月
        {2024, 1, 1, "AD02-10-2024"},
        {2023, 12, 30, "AD02-09-2024"},  // last lunar months fall in the next civil year
        {2024, 12, 30, ""},              // 腊月 of 2024 has 29 days
        {2033, 23, 1, "AD12-22-2033"},
        {-9000, 1, 1, ""},  // outside -8999..9000
        {9001, 1, 1, ""},
        {2023, 0, 1, ""},
        {2023, 25, 1, ""},  // a SizedMonthCode is not a MonthCode
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '/' << c.month << '/' << c.day);
        EXPECT_EQ(c.civil, civilCode(calendar, c.year, c.month, c.day));
    }
}

TEST(LunarDayIndex, PositionsInYear) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // 2023: 正月29, 二月30, 闰二月29, 三月29, 四月30, ..., 腊月30; 384 days.
    const struct {
        int year, month, day, index;
    } Cases[] = {
        {2023, 1, 1, 1},   {2023, 2, 1, 30},    {2023, 14, 1, 60}, {2023, 3, 1, 89},
        {2023, 4, 1, 118}, {2023, 12, 30, 384}, {2023, 15, 1, 0},  {2024, 14, 1, 0},
        {2023, 1, 30, 0},  {9999, 1, 1, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '/' << c.month << '/' << c.day);
        EXPECT_EQ(c.index, lunarDayIndex(calendar, lunarDateOfMonthCode(c.year, c.month, c.day)));
    }
    const auto dateAt = [&](int year, int index) {
        return lunarDateCode(lunarDateFromDayIndex(calendar, year, index));
    };
    EXPECT_EQ("AD01-01-2023", dateAt(2023, 1));
    EXPECT_EQ("AD14-01-2023", dateAt(2023, 60));
    EXPECT_EQ("AD36-30-2023", dateAt(2023, 384));
    EXPECT_EQ("", dateAt(2023, 385));
    EXPECT_EQ("", dateAt(2023, 0));
    EXPECT_EQ("", dateAt(9999, 1));
}

TEST(SolarToLunar, RangeEndsAndAncientYears) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // Before its lunar new year, -8999 converts against lunar year -9000.
    const LunarDate first = solarToLunar(calendar, {-8999, 1, 1});
    EXPECT_TRUE(first.valid());
    EXPECT_EQ(-9000, first.year);
    EXPECT_NE("", lunarCode(calendar, {9000, 12, 31}));
    // BC years: lunar year -103 is written "BC" with 104.
    EXPECT_EQ("BC", lunarCode(calendar, {-103, 3, 1}).substr(0, 2));
    EXPECT_EQ("0104", lunarCode(calendar, {-103, 3, 1}).substr(8));
    EXPECT_EQ("AD02-13-0085", civilCode(calendar, 85, 1, 1));  // mean new year of the 85 calendar
    // January 1583 before the lunar new year belongs to lunar 1582, across the 355-day
    // civil year 1582.
    EXPECT_EQ("1582", lunarCode(calendar, {1583, 1, 23}).substr(8));
    EXPECT_EQ("AD01-24-1583", civilCode(calendar, 1583, 1, 1));
}

// Every day of 1600..2400 converts to the lunar calendar and back, and consecutive days
// are consecutive lunar days.
TEST(SolarToLunar, RoundTripEveryDay1600To2400) {
    for (int flag : {0, 1}) {
        const CalendarContext context{8, (flag) ? Regime::Modern : Regime::Historical};
        const LunarCalendar& calendar = LunarCalendar::shared(context);
        calendar.prefetch(1599, 2400);
        const int first = julianDayNumber(1600, 1, 1);
        const int last = julianDayNumber(2400, 12, 31);
        int failures = 0;
        LunarDate previous{};
        for (int jdn = first; jdn <= last && failures < 10; ++jdn) {
            const CivilDate d = civilDateFromDayNumber(jdn);
            const LunarDate lunar = solarToLunar(calendar, d);
            const bool next =
                lunar.day == previous.day + 1 || (lunar.day == 1 && previous.day >= 29);
            if (lunarToDayNumber(calendar, lunar) != jdn || (jdn > first && !next)) {
                ++failures;
                ADD_FAILURE() << "flag " << flag << " day " << jdn << " lunar "
                              << lunarDateCode(lunar);
            }
            previous = lunar;
        }
    }
}

TEST(LeapMonthSpan, KnownYears) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Modern});
    const struct {
        int year, sizedMonthCode;
        CivilDate first, last;
    } Cases[] = {
        {2023, 14, {2023, 3, 22}, {2023, 4, 19}},   // 29-day 闰二月
        {2017, 42, {2017, 7, 23}, {2017, 8, 21}},   // 30-day 闰六月
        {2033, 23, {2033, 12, 22}, {2034, 1, 19}},  // 闰冬月, into the next civil year
        {2024, 0, {}, {}},                          // no leap month
        {9999, 0, {}, {}},                          // no record
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ((LunarMonthSpan{c.year, c.sizedMonthCode, c.first, c.last}),
                  leapMonthSpan(calendar, c.year));
    }
}

}  // namespace
}  // namespace tavomerix
