#include "tools/calculator.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_settings.h"

namespace tavomerix {
namespace {

using Mode = CalculatorMode;

constexpr int MinYear = -100;  // the default year range

CalculatorInput civil(const char* text, bool bc = false) { return {text, bc, false}; }
CalculatorInput lunar(const char* text, bool bc = false) { return {text, bc, true}; }

TEST(CalculatorResult, OneDateModes) {
    const ScopedCalendarSettings beijing(8, 0);
    const struct {
        Mode mode;
        CalculatorInput input;
        const char* expected;
    } Cases[] = {
        {Mode::JulianDay, civil("01-01-2000"), "2451545"},
        {Mode::JulianDay, civil("1-1-2000"), "2451545"},          // padded by normalisation
        {Mode::JulianDay, civil("10-15-1582"), "2299161"},        // first Gregorian day
        {Mode::JulianDay, civil("01-01-0001", true), "1721058"},  // year 0 (1 BC)
        {Mode::JulianDay, civil("01-01-5001"), ""},               // after 5000
        {Mode::JulianDay, civil("12-31-0102", true), ""},         // year -101, before the range
        {Mode::JulianDay, civil("02-30-2024"), ""},               // no such civil day
        {Mode::JulianDay, lunar("02-30-2024"), "2460409"},        // 二月三十 = 8 April 2024
        {Mode::JulianDay, lunar("16-01-2024"), ""},               // 2024 has no 闰四月
        {Mode::JulianDay, civil("2000-01-01"), ""},               // malformed
        {Mode::Ganzhi, civil("01-01-2000"), "己卯(兔)年丙子月戊午日"},
        {Mode::Convert, civil("01-01-2000"), "AD11-25-1999"},  // 冬月廿五, the size flag dropped
        {Mode::Convert, lunar("16-01-2020"), "AD05-23-2020"},  // 闰四月初一
        {Mode::Convert, lunar("04-30-2021"), ""},              // 四月 2021 has 29 days
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << ' ' << c.input.text);
        EXPECT_EQ(c.expected, calculatorResult(c.mode, c.input, {}, MinYear));
    }
}

TEST(CalculatorResult, IntervalIgnoresOrderAndNeedsBothDates) {
    const ScopedCalendarSettings beijing(8, 0);
    const struct {
        CalculatorInput first, second;
        const char* expected;
    } Cases[] = {
        {civil("01-01-2000"), civil("01-01-2001"), "366"},
        {civil("01-01-2001"), civil("01-01-2000"), "366"},
        {civil("03-07-2024"), civil("3-7-2024"), "0"},
        {civil("10-04-1582"), civil("10-15-1582"), "1"},  // the reform gap
        {lunar("01-01-2024"), civil("02-10-2024"), "0"},  // 春节 2024
        {civil("01-01-2000"), civil("02-30-2000"), ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.first.text << " / " << c.second.text);
        EXPECT_EQ(c.expected, calculatorResult(Mode::Interval, c.first, c.second, MinYear));
    }
}

TEST(CalculatorTexts, ModeFourLabelFollowsTheInputCalendar) {
    EXPECT_EQ("计算儒略日", calculatorTexts(Mode::JulianDay, false).title);
    EXPECT_EQ("间隔日数", calculatorTexts(Mode::Interval, true).resultLabel);
    EXPECT_EQ("转换", calculatorTexts(Mode::Convert, false).action);
    EXPECT_EQ("农历日期", calculatorTexts(Mode::Convert, false).resultLabel);
    EXPECT_EQ("公历日期", calculatorTexts(Mode::Convert, true).resultLabel);
}

TEST(CalculatorStartInput, BcYearsArePositiveWithTheBoxTicked) {
    const CalculatorInput ad = calculatorStartInput(2024, 3, 7);
    EXPECT_EQ("03-07-2024", ad.text);
    EXPECT_FALSE(ad.bc);
    const CalculatorInput bc = calculatorStartInput(0, 1, 1);
    EXPECT_EQ("01-01-0001", bc.text);
    EXPECT_TRUE(bc.bc);
}

}  // namespace
}  // namespace tavomerix
