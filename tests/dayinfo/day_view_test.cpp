#include "dayinfo/day_view.h"

#include <gtest/gtest.h>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

// Day-view options with the sexagenary year from 立春 (1) or 正月初一 (0).
DayViewOptions optionsFrom(int fromLichun) {
    DayViewOptions options;
    options.ganzhiYearStart =
        fromLichun == 1 ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
    return options;
}

// 2024-02-10 is 春节, the first day of 甲辰; 正月 2024 has 29 days (二月 begins 03-10).
TEST(DayView, LunarNewYear2024) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const DayView view = dayView(calendar, {2024, 2, 10}, {});
    EXPECT_EQ((CivilDate{2024, 2, 10}), view.civil);
    EXPECT_EQ((LunarDate{2024, 1, 1, false, false}), view.lunar);
    EXPECT_EQ("二○二四年 正月小 初一", view.lunarText);
    EXPECT_EQ("星期六 水瓶座  甲辰(龙)年丙寅月甲辰日", view.dayLine);
    EXPECT_EQ("春节 国际气象节", view.festivalLine);
    EXPECT_EQ("2月19日雨水 六九第6天", view.seasonLine);
}

TEST(DayView, SexagenaryYearBoundaryFollowsTheSetting) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int fromLichun, year, month, day;
        const char* dayLine;
    } Cases[] = {
        {0, 2024, 2, 9, "星期五 水瓶座  癸卯(兔)年乙丑月癸卯日"},  // 除夕: still 癸卯
        {1, 2024, 2, 9, "星期五 水瓶座  甲辰(龙)年丙寅月癸卯日"},  // after 立春 (02-04)
        {1, 2024, 2, 3, "星期六 水瓶座  癸卯(兔)年乙丑月丁酉日"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.dayLine,
                  dayView(calendar, {c.year, c.month, c.day}, optionsFrom(c.fromLichun)).dayLine);
    }
}

TEST(DayView, LunarYearItemAndEmptyViews) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    EXPECT_EQ("清代宣统03年", lunarYearItemText(1911, true));
    EXPECT_EQ("2024年", lunarYearItemText(2024, true));  // after the era table: plain year text
    EXPECT_EQ("前一○四年", lunarYearItemText(-103, false));
    EXPECT_EQ("", lunarYearItemText(10000, false));
    EXPECT_EQ((CivilDate{0, 1, 1}), dayView(calendar, {0, 1, 1}, {}).civil);
    for (const auto& d : {CivilDate{1582, 10, 10}, CivilDate{9001, 1, 1}, CivilDate{2023, 2, 29}}) {
        SCOPED_TRACE(testing::Message() << d.year << '-' << d.month << '-' << d.day);
        const DayView view = dayView(calendar, d, {});
        EXPECT_FALSE(view.lunar.valid());
        EXPECT_EQ("", view.lunarText);
        EXPECT_EQ("", view.seasonLine);
    }
}

TEST(TrimSpaces, AsciiSpacesOnly) {
    EXPECT_EQ("a b", trimSpaces("  a b  "));
    EXPECT_EQ("", trimSpaces("   "));
    EXPECT_EQ("\ta", trimSpaces("\ta "));
    EXPECT_EQ("a b", joinTrimmed("a", "b"));
    EXPECT_EQ("b", joinTrimmed("", "b"));
    EXPECT_EQ("a", joinTrimmed(" a ", ""));
    EXPECT_EQ("", joinTrimmed("", ""));
}

}  // namespace
}  // namespace tavomerix
