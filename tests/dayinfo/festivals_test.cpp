#include "dayinfo/festivals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"

namespace tavomerix {
namespace {

TEST(FestivalTables, SortedWithOneRowPerDate) {
    EXPECT_TRUE(std::is_sorted(std::begin(SolarFestivalTable), std::end(SolarFestivalTable),
                               [](const SolarFestival& a, const SolarFestival& b) {
                                   return a.month * 100 + a.day <= b.month * 100 + b.day;
                               }));
    EXPECT_EQ("元旦节", SolarFestivalTable[0].text);
    EXPECT_EQ("圣诞节", std::end(SolarFestivalTable)[-1].text);
    EXPECT_EQ("春节", LunarFestivalTable[0].text);
    EXPECT_EQ("腊八节", std::end(LunarFestivalTable)[-1].text);
}

TEST(SolarFestivalText, FixedAndFloatingFestivals) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day;
        const char* expected;
    } Cases[] = {
        {2023, 5, 14, "母亲节"},      // second Sunday of May
        {1912, 5, 12, "国际护士节"},  // second Sunday, but 母亲节 starts 1913
        {1913, 5, 11, "母亲节"},
        {2024, 5, 12, "国际护士节 母亲节"},  // floating text after the fixed one
        {2022, 5, 8, "世界红十字日 母亲节"},
        {1999, 7, 1, "建党纪念日 香港回归纪念日"},
        {1998, 7, 1, "建党纪念日"},
        {1997, 7, 1, "建党纪念日"},
        {1927, 7, 1, "建党纪念日"},
        {1926, 7, 1, ""},
        {1996, 2, 2, ""},
        {1997, 2, 2, "世界湿地日"},
        {439, 12, 25, ""},
        {440, 12, 25, "圣诞节"},
        {-500, 10, 31, "万圣节"},  // every year, BC included
        {-8999, 1, 1, "元旦节"},
        {2024, 11, 28, "感恩节"},      // fourth Thursday
        {2024, 11, 21, "世界电视日"},  // third Thursday
        {1862, 11, 27, ""},            // fourth Thursday before 1863
        {1863, 11, 26, "感恩节"},
        {1933, 6, 18, ""},  // third Sunday before 1934
        {1934, 6, 17, "父亲节"},
        {2024, 6, 16, "父亲节"},
        {2025, 10, 12, "世界60亿人口日"},  // every year from 1999
        {1998, 10, 12, ""},
        {2024, 2, 11, ""},
        {1582, 10, 10, ""},  // dropped day
        {9001, 1, 1, ""},    // out of range
        {2023, 2, 29, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected, solarFestivalText(calendar, {c.year, c.month, c.day}));
    }
}

// Astronomical Easter in Beijing time: 2019 differs from the church's April 21 because the
// full moon fell on the equinox day; in 2025 the full moon fell on a Sunday.
TEST(SolarFestivalText, AstronomicalEaster) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day;
        const char* expected;
    } Cases[] = {
        {2019, 3, 24, "复活节"}, {2019, 4, 21, ""}, {2023, 4, 9, "复活节"}, {2024, 3, 31, "复活节"},
        {2025, 4, 20, "复活节"}, {2025, 4, 13, ""},  // the full-moon Sunday itself
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected, solarFestivalText(calendar, {c.year, c.month, c.day}));
    }
    EXPECT_EQ(InvalidDayNumber, easterDayNumber(calendar, 324));
}

TEST(SolarFestivalText, EasterIsASundayAfterTheEquinoxDay) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    for (int year = 1900; year <= 2100; year += 1) {
        SCOPED_TRACE(year);
        const int easter = easterDayNumber(calendar, year);
        const int equinox = directTermDay(context, julianDayNumber(year, 1, 1), 6);
        EXPECT_EQ(Sunday, weekdayOfDayNumber(easter));
        EXPECT_GT(easter, equinox);
        EXPECT_LE(easter, equinox + 37);  // a lunation and a week at most
        const CivilDate d = civilDateFromDayNumber(easter);
        EXPECT_NE(std::string::npos,
                  solarFestivalText(calendar, {d.year, d.month, d.day}).find("复活节"));
    }
}

TEST(LunarFestivalText, TableAndYearEnd) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day;
        const char* expected;
    } Cases[] = {
        {2024, 1, 1, "春节"},
        {2024, 1, 15, "元宵节"},
        {2024, 8, 15, "中秋节"},
        {2024, 12, 8, "腊八节"},
        {-277, 5, 5, "端午节"},
        {-278, 5, 5, ""},  // before -277
        {2009, 5, 5, "端午节"},
        {2009, 17, 5, ""},  // 闰五月初五
        {2023, 2, 2, "春龙节"},
        {2023, 14, 2, ""},  // 闰二月初二
        {2023, 12, 23, "小年"},
        {2023, 12, 29, ""},  // 腊月 of 2023 has 30 days
        {2023, 12, 30, "除夕"},
        {2024, 12, 29, "除夕"},  // 腊月 of 2024 has 29 days
        {2024, 12, 30, ""},      // no such day
        {2033, 12, 23, "小年"},  // 2033 has 闰冬月, its 腊月 is still the last month
        {2033, 23, 23, ""},
        // 1574 and 1517 end with a 闰腊月 (30 and 29 days): the ordinary 腊月 shows nothing.
        {1574, 12, 23, ""},
        {1574, 12, 30, ""},
        {1574, 24, 23, "小年"},
        {1574, 24, 29, ""},
        {1574, 24, 30, "除夕"},
        {1517, 12, 30, ""},
        {1517, 24, 29, "除夕"},
        {9001, 1, 1, ""},
        {2024, 25, 1, ""},
        {2024, 0, 1, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected,
                  lunarFestivalText(calendar, lunarDateOfMonthCode(c.year, c.month, c.day)));
    }
}

TEST(FestivalLine, MergeOrderAndSwitches) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    CommemorationDays days;
    days.set(CommemorationKind::Lunar, 1, 1, "2000家庭聚会");
    days.set(CommemorationKind::Solar, 2, 10, "2010生日");
    days.set(CommemorationKind::Solar, 7, 19, "2000纪念");
    const struct {
        int registryEnabled, hijri, year, month, day;
        const char* expected;
    } Cases[] = {
        {0, 0, 2024, 2, 10, "春节 国际气象节"},
        {1, 0, 2024, 2, 10, "家庭聚会 生日 春节 国际气象节"},
        {1, 0, 2023, 1, 22, "家庭聚会 春节"},  // lunar new year 2023
        {1, 0, 2009, 2, 10, "国际气象节"},     // 生日 starts in 2010
        {1, 0, 2011, 2, 10, "生日 国际气象节"},
        {1, 0, 2023, 7, 19, "纪念"},
        {1, 1, 2023, 7, 19, "回历1445年1月1日"},  // only the Hijri date
        {0, 0, 2023, 7, 19, ""},
        {0, 0, 1582, 10, 10, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        const FestivalLineOptions options{c.hijri == 1, c.registryEnabled == 1 ? &days : nullptr};
        EXPECT_EQ(c.expected, festivalLine(calendar, {c.year, c.month, c.day}, options));
    }
}

}  // namespace
}  // namespace tavomerix
