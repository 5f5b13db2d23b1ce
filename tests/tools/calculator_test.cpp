#include "tools/calculator.h"

#include <gtest/gtest.h>

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {
namespace {

constexpr int MinYear = -100;
using Mode = CalculatorMode;

// The widget's defaults: UTC+8, the historical reckoning, years from 正月初一.
std::string result(Mode mode, const CalculatorInput& first, const CalculatorInput& second = {}) {
    const CalculatorSettings settings{LunarCalendar::shared({8, Regime::Historical}), MinYear,
                                      GanzhiYearStart::LunarNewYear};
    return calculatorResult(settings, mode, first, second);
}

TEST(Calculator, JulianDayOfOneInput) {
    const struct {
        const char* note;
        CalculatorInput input;
        const char* result;
    } Cases[] = {
        {"J2000", {"01-01-2000"}, "2451545"},
        {"short fields are normalised", {"1-1-2000"}, "2451545"},
        {"zero month", {"00-01-2000"}, ""},
        {"zero day", {"01-00-2000"}, ""},
        {"zero year", {"01-01-0000"}, ""},
        {"01-01-0001 with BC is year 0", {"01-01-0001", true}, "1721058"},
        {"AD 1", {"01-01-0001"}, "1721424"},
        {"earliest year, 101 BC", {"01-01-0101", true}, "1684533"},
        {"102 BC is too early", {"12-31-0102", true}, ""},
        {"year 5000", {"12-31-5000"}, "3547637"},
        {"year 5001", {"01-01-5001"}, ""},
        {"no 30 February", {"02-30-2024"}, ""},
        {"2023 is common", {"02-29-2023"}, ""},
        {"the ten dropped days of 1582", {"10-10-1582"}, ""},
        {"malformed", {"2000-01-01"}, ""},
        {"letters", {"0a-01-2000"}, ""},
        {"empty", {""}, ""},
        {"lunar 二月三十 of 2024 (a long month)", {"02-30-2024", false, true}, "2460409"},
        {"lunar 三月三十 of 2024 (a short month)", {"03-30-2024", false, true}, ""},
        {"lunar 闰四月 of 2020", {"16-01-2020", false, true}, "2458993"},
        {"lunar 闰四月 in 2024, which has no leap month", {"16-01-2024", false, true}, ""},
        {"lunar 闰二月 in 2020, whose leap month is 四月", {"14-01-2020", false, true}, ""},
        {"lunar month 25", {"25-01-2020", false, true}, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(c.result, result(Mode::JulianDay, c.input));
    }
}

TEST(Calculator, IntervalIgnoresOrder) {
    const CalculatorInput y2000{"01-01-2000"};
    const CalculatorInput y2001{"01-01-2001"};
    EXPECT_EQ("366", result(Mode::Interval, y2000, y2001));
    EXPECT_EQ("366", result(Mode::Interval, y2001, y2000));
    EXPECT_EQ("0", result(Mode::Interval, y2000, y2000));
    // 春节 2024 (lunar 01-01-2024) is 2024-02-10: 40 days after 1 January.
    EXPECT_EQ("40", result(Mode::Interval, {"01-01-2024", false, true}, {"01-01-2024"}));
    // Across the reform: 4 October 1582 is followed by 15 October.
    EXPECT_EQ("1", result(Mode::Interval, {"10-04-1582"}, {"10-15-1582"}));
    EXPECT_EQ("", result(Mode::Interval, y2000, {"02-30-2000"}));
    EXPECT_EQ("", result(Mode::Interval, {"5-5-5001"}, y2000));
}

TEST(Calculator, GanzhiAndConversion) {
    const struct {
        const char* note;
        Mode mode;
        CalculatorInput input;
        const char* result;
    } Cases[] = {
        {"J2000", Mode::Ganzhi, {"01-01-2000"}, "己卯(兔)年丙子月戊午日"},
        {"lunar input converted first",
         Mode::Ganzhi,
         {"11-25-1999", false, true},
         "己卯(兔)年丙子月戊午日"},
        {"no such day", Mode::Ganzhi, {"02-30-2000"}, ""},
        {"civil to lunar", Mode::Convert, {"01-01-2000"}, "AD11-25-1999"},
        {"long month shows its MonthCode", Mode::Convert, {"02-10-2024"}, "AD01-01-2024"},
        {"leap month shows 13..24", Mode::Convert, {"03-22-2023"}, "AD14-01-2023"},
        {"lunar to civil", Mode::Convert, {"14-01-2023", false, true}, "AD03-22-2023"},
        {"no leap month in that year", Mode::Convert, {"16-01-2024", false, true}, ""},
        {"year out of range", Mode::Convert, {"01-01-5001"}, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(c.result, result(c.mode, c.input));
    }
}

TEST(Calculator, TextsAndStartInput) {
    EXPECT_EQ("计算儒略日", calculatorTexts(Mode::JulianDay, false).title);
    EXPECT_EQ("转换", calculatorTexts(Mode::Convert, false).action);
    EXPECT_EQ("农历日期", calculatorTexts(Mode::Convert, false).resultLabel);
    EXPECT_EQ("公历日期", calculatorTexts(Mode::Convert, true).resultLabel);
    const CalculatorInput bc = calculatorStartInput(-5, 3, 4);
    EXPECT_EQ("03-04-0006", bc.text);
    EXPECT_TRUE(bc.bc);
    const CalculatorInput ad = calculatorStartInput(2024, 12, 31);
    EXPECT_EQ("12-31-2024", ad.text);
    EXPECT_FALSE(ad.bc);
}

}  // namespace
}  // namespace tavomerix
