#include "dayinfo/names.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

TEST(NameTables, EndsAndTermNumbers) {
    EXPECT_EQ("小寒", solarTermName(1));
    EXPECT_EQ("春分", solarTermName(6));
    EXPECT_EQ("芒种", solarTermName(11));
    EXPECT_EQ("夏至", solarTermName(12));
    EXPECT_EQ("立秋", solarTermName(15));
    EXPECT_EQ("冬至", solarTermName(24));
    EXPECT_EQ("", solarTermName(0));
    EXPECT_EQ("", solarTermName(25));
    EXPECT_EQ("冬月", lunarMonthName(11));
    EXPECT_EQ("", lunarMonthName(13));
    EXPECT_EQ("初一", lunarDayName(1));
    EXPECT_EQ("三十", lunarDayName(30));
    EXPECT_EQ("", lunarDayName(0));
    EXPECT_EQ("", lunarDayName(31));
    EXPECT_EQ("○", ChineseDigits[0]);
    EXPECT_EQ("九", digitName(9));
    EXPECT_EQ("", digitName(0));
}

TEST(LunarMonthText, LeapAndSizeMarks) {
    const struct {
        int code;
        const char* text;
    } Cases[] = {
        {1, "正月小"},    {12, "腊月小"}, {13, "闰正月小"}, {16, "闰四月小"},
        {24, "闰腊月小"}, {25, "正月大"}, {35, "冬月大"},   {40, "闰四月大"},
        {48, "闰腊月大"}, {0, ""},        {49, ""},         {-24, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.text, lunarMonthText(c.code));
    }
    EXPECT_EQ("闰四月", lunarMonthCodeName(16));
    EXPECT_EQ("", lunarMonthCodeName(25));
}

TEST(WeekdayName, KnownDays) {
    const struct {
        int year, month, day;
        const char* name;
    } Cases[] = {
        {2000, 1, 1, "星期六"},   {1949, 10, 1, "星期六"},
        {1970, 1, 1, "星期四"},   {1582, 10, 4, "星期四"},    // last Julian day
        {1582, 10, 15, "星期五"},                             // first Gregorian day follows it
        {-4712, 1, 1, "星期一"},                              // Julian Day number 0
        {-4712, 1, 7, "星期日"},  {-4713, 12, 31, "星期日"},  // Julian Day number -1
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.name, weekdayName({c.year, c.month, c.day}));
    }
}

TEST(ZodiacSignName, BoundariesInEveryYear) {
    const struct {
        int month, lastDay;  // last day of the first sign
        const char *first, *second;
    } Cases[] = {
        {1, 19, "摩羯座", "水瓶座"},  {2, 18, "水瓶座", "双鱼座"},  {3, 20, "双鱼座", "白羊座"},
        {4, 20, "白羊座", "金牛座"},  {5, 20, "金牛座", "双子座"},  {6, 21, "双子座", "巨蟹座"},
        {7, 22, "巨蟹座", "狮子座"},  {8, 22, "狮子座", "处女座"},  {9, 22, "处女座", "天秤座"},
        {10, 22, "天秤座", "天蝎座"}, {11, 21, "天蝎座", "射手座"}, {12, 21, "射手座", "摩羯座"},
    };
    for (const int year : {2024, -8999, 9000}) {  // Gregorian, BC Julian, last year
        for (const auto& c : Cases) {
            SCOPED_TRACE(testing::Message() << year << '-' << c.month << '-' << c.lastDay);
            EXPECT_EQ(c.first, zodiacSignName({year, c.month, c.lastDay}));
            EXPECT_EQ(c.second, zodiacSignName({year, c.month, c.lastDay + 1}));
        }
    }
    EXPECT_EQ("双鱼座", zodiacSignName({2024, 2, 29}));
}

TEST(LunarDateName, YearNumberAndNames) {
    EXPECT_EQ("2024年正月初一", lunarDateName({2024, 1, 1, false, false}));
    EXPECT_EQ("2025年闰六月三十", lunarDateName({2025, 6, 30, true, true}));
    EXPECT_EQ("-103年腊月廿九", lunarDateName({-103, 12, 29, false, false}));
    EXPECT_EQ("", lunarDateName({}));
    EXPECT_EQ("", lunarDateName({2024, 13, 1, false, false}));
    EXPECT_EQ("", lunarDateName({2024, 1, 31, false, false}));
}

}  // namespace
}  // namespace tavomerix
