#include "chinese/sexagenary.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"

namespace tavomerix {
namespace {

// The year start of a table row: 1 for 立春, 0 for 正月初一.
GanzhiYearStart startOf(int fromLichun) {
    return fromLichun == 1 ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
}

// The numbers of a civil date, its lunar date converted here.
SexagenaryDay numbersOf(const LunarCalendar& calendar, const CivilDate& date,
                        GanzhiYearStart start) {
    const CivilDay day = civilDay(date);
    return sexagenaryDay(calendar, day, lunarDateOfDay(calendar, day), start);
}

// The zodiac animal in a "甲子(鼠)年..." text; "" for no text.
std::string zodiacInText(const std::string& text) {
    const std::size_t open = text.find('(');
    return open == std::string::npos ? "" : text.substr(open + 1, text.find(')') - open - 1);
}

TEST(GanzhiDay, KnownDays) {
    const struct {
        int jdn, number;
    } Cases[] = {
        {-49, 1},       // 甲子, floored remainder below day 11
        {10, 60},       // 癸亥
        {11, 1},        // 甲子
        {2451545, 55},  // 2000-01-01 戊午
        {2460351, 41},  // 2024-02-10 甲辰
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.jdn);
        const CivilDate d = civilDateFromDayNumber(c.jdn);
        EXPECT_EQ(c.number, ganzhiDay({d.year, d.month, d.day}));
    }
    EXPECT_EQ(0, ganzhiDay({2023, 2, 29}));
}

TEST(GanzhiText, BothConventions) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day, fromLichun;
        const char* text;
    } Cases[] = {
        {2000, 1, 1, 0, "己卯(兔)年丙子月戊午日"},   // 冬月 of 己卯
        {2024, 2, 10, 0, "甲辰(龙)年丙寅月甲辰日"},  // 正月初一
        {2024, 2, 9, 0, "癸卯(兔)年乙丑月癸卯日"},   // 除夕: 腊月 of 癸卯
        {2024, 2, 4, 0, "癸卯(兔)年乙丑月戊戌日"},   // 立春 before the new year
        {2024, 2, 4, 1, "甲辰(龙)年丙寅月戊戌日"},   // 立春 opens the year and 寅 month
        {2024, 2, 3, 1, "癸卯(兔)年乙丑月丁酉日"},   // day before 立春
        {2024, 1, 5, 1, "癸卯(兔)年甲子月戊辰日"},   // before 小寒: 子 month
        {2024, 1, 6, 1, "癸卯(兔)年乙丑月己巳日"},   // 小寒 opens the 丑 month
        {2023, 3, 22, 0, "癸卯(兔)年乙卯月己卯日"},  // 闰二月 takes 二月's name
        {2023, 3, 21, 0, "癸卯(兔)年乙卯月戊寅日"},  // 二月
        {2023, 3, 22, 1, "癸卯(兔)年乙卯月己卯日"},
        {2023, 2, 29, 0, ""},
        {9001, 1, 1, 1, ""},  // outside -8999..9000
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << '-' << c.month << '-' << c.day << " lichun " << c.fromLichun);
        EXPECT_EQ(c.text, ganzhiText(calendar, {c.year, c.month, c.day}, startOf(c.fromLichun)));
    }
}

TEST(GanzhiYear, YearTurns) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, month, day, fromLichun, number, zodiac;
    } Cases[] = {
        {1984, 2, 2, 0, 1, 1},                            // 正月初一 1984: 甲子 鼠
        {1984, 2, 1, 0, 60, 12},                          // 癸亥 猪
        {1984, 2, 4, 1, 1, 1},                            // 立春 1984-02-04 23:19 (UTC+8)
        {1984, 2, 3, 1, 60, 12}, {2000, 1, 1, 1, 16, 4},  // 己卯 兔
        {2023, 2, 29, 1, 0, 0},                           // invalid date
        {9999, 6, 1, 0, 0, 0},                            // no lunar record
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << '-' << c.month << '-' << c.day << " lichun " << c.fromLichun);
        const CivilDate date{c.year, c.month, c.day};
        EXPECT_EQ(c.number, numbersOf(calendar, date, startOf(c.fromLichun)).year);
        EXPECT_EQ(c.zodiac == 0 ? "" : std::string(ZodiacAnimals[c.zodiac - 1]),
                  zodiacInText(ganzhiText(calendar, date, startOf(c.fromLichun))));
    }
}

TEST(GanzhiMonth, StemPairsOfTheFirstMonth) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // 正月 of years whose stems are 甲..戊 (2024..2028): 丙寅, 戊寅, 庚寅, 壬寅, 甲寅.
    const struct {
        int year, month, day, number;
    } Cases[] = {
        {2024, 2, 10, 3}, {2025, 1, 29, 15}, {2026, 2, 17, 27}, {2027, 2, 6, 39}, {2028, 1, 26, 51},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(
            c.number,
            numbersOf(calendar, {c.year, c.month, c.day}, GanzhiYearStart::LunarNewYear).month);
    }
    // 冬月 and 腊月 of a 戊 year (2028) are 甲子 and 乙丑.
    EXPECT_EQ(1, numbersOf(calendar, {2028, 12, 20}, GanzhiYearStart::LunarNewYear).month);
    EXPECT_EQ(2, numbersOf(calendar, {2029, 1, 20}, GanzhiYearStart::LunarNewYear).month);
}

TEST(SexagenaryNames, Tables) {
    EXPECT_EQ("甲", HeavenlyStems[0]);
    EXPECT_EQ("癸", HeavenlyStems[9]);
    EXPECT_EQ("子", EarthlyBranches[0]);
    EXPECT_EQ("亥", EarthlyBranches[11]);
    EXPECT_EQ("鼠", ZodiacAnimals[0]);
    EXPECT_EQ("猪", ZodiacAnimals[11]);
}

TEST(SexagenaryNames, OfNumbers) {
    const struct {
        int number;
        const char *stem, *branch, *name;
    } Cases[] = {
        {1, "甲", "子", "甲子"},  {11, "甲", "戌", "甲戌"}, {41, "甲", "辰", "甲辰"},
        {60, "癸", "亥", "癸亥"}, {0, "", "", ""},          {61, "", "", ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(c.stem, stemName(c.number));
        EXPECT_EQ(c.branch, branchName(c.number));
        EXPECT_EQ(c.name, ganzhiName(c.number));
    }
}

}  // namespace
}  // namespace tavomerix
