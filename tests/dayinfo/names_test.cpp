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
    EXPECT_EQ("廿九", lunarDayName(29));
    EXPECT_EQ("三十", lunarDayName(30));
    EXPECT_EQ("", lunarDayName(0));
    EXPECT_EQ("", lunarDayName(31));
    EXPECT_EQ("○", ChineseDigits[0]);
}

TEST(DigitName, OneToNineOnly) {
    const struct {
        int n;
        const char* name;
    } Cases[] = {{1, "一"}, {5, "五"}, {9, "九"}, {0, ""}, {10, ""}, {-1, ""}};
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(c.name, digitName(c.n));
    }
}

TEST(LunarMonthText, LeapAndSizeMarks) {
    const struct {
        int code;
        const char* text;
    } Cases[] = {
        {1, "正月小"},
        {12, "腊月小"},
        {13, "闰正月小"},
        {16, "闰四月小"},
        {24, "闰腊月小"},
        {25, "正月大"},
        {35, "冬月大"},
        {40, "闰四月大"},
        {48, "闰腊月大"},
        {0, ""},
        {49, ""},
        {-24, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.text, lunarMonthText(c.code));
    }
}

TEST(WeekdayName, KnownDays) {
    const struct {
        int year, month, day;
        const char* name;
    } Cases[] = {
        {2000, 1, 1, "星期六"},
        {1949, 10, 1, "星期六"},
        {2024, 2, 10, "星期六"},
        {1970, 1, 1, "星期四"},
        {1582, 10, 4, "星期四"},   // last Julian day
        {1582, 10, 15, "星期五"},  // first Gregorian day follows it
        {-4712, 1, 1, "星期一"},   // Julian Day number 0
        {-4712, 1, 7, "星期日"},
        {-4713, 12, 31, "星期日"}, // Julian Day number -1
        {1582, 10, 10, ""},        // dropped day
        {-9000, 1, 1, ""},
        {9001, 1, 1, ""},
        {2023, 2, 29, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.name, weekdayName(c.year, c.month, c.day));
    }
}

TEST(ZodiacSignName, Boundaries) {
    const struct {
        int year, month, day;
        const char* name;
    } Cases[] = {
        {2024, 1, 19, "摩羯座"}, {2024, 1, 20, "水瓶座"}, {2024, 2, 18, "水瓶座"},
        {2024, 2, 19, "双鱼座"}, {2024, 3, 20, "双鱼座"}, {2024, 3, 21, "白羊座"},
        {2024, 4, 20, "白羊座"}, {2024, 4, 21, "金牛座"}, {2024, 5, 20, "金牛座"},
        {2024, 5, 21, "双子座"}, {2024, 6, 21, "双子座"}, {2024, 6, 22, "巨蟹座"},
        {2024, 7, 22, "巨蟹座"}, {2024, 7, 23, "狮子座"}, {2024, 8, 22, "狮子座"},
        {2024, 8, 23, "处女座"}, {2024, 9, 22, "处女座"}, {2024, 9, 23, "天秤座"},
        {2024, 10, 22, "天秤座"}, {2024, 10, 23, "天蝎座"}, {2024, 11, 21, "天蝎座"},
        {2024, 11, 22, "射手座"}, {2024, 12, 21, "射手座"}, {2024, 12, 22, "摩羯座"},
        {2024, 2, 29, "双鱼座"},
        {-8999, 1, 1, "摩羯座"},  // first day-information year, BC and Julian alike
        {9000, 12, 31, "摩羯座"},
        {1582, 10, 10, ""},       // dropped day
        {1582, 10, 15, "天秤座"},
        {2023, 2, 29, ""},
        {2024, 0, 1, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.name, zodiacSignName(c.year, c.month, c.day));
    }
}

}  // namespace
}  // namespace tavomerix
