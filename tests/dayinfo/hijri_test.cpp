#include "dayinfo/hijri.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

TEST(HijriText, EpochAndCycleEnds) {
    const struct {
        int dayNumber;
        const char* text;
        const char* line;
    } Cases[] = {
        {1948440, "AD01-01-0001", "回历1年1月1日"},  // epoch, 622-07-16 Julian
        {1948439, "", ""},
        {std::numeric_limits<int>::min(), "", ""},
        {1948440 + 10630, "AD12-29-0030", "回历30年12月29日"},  // last day of the first cycle
        {1948440 + 10631, "AD01-01-0031", "回历31年1月1日"},
        {1948440 + 2 * 10631 - 1, "AD12-29-0060", "回历60年12月29日"},
        {2460145, "AD01-01-1445", "回历1445年1月1日"},  // 2023-07-19
        {std::numeric_limits<int>::max(), "", ""},      // year beyond four digits
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.dayNumber);
        EXPECT_EQ(c.text, hijriText(c.dayNumber));
        EXPECT_EQ(c.line, hijriLine(c.dayNumber));
    }
}

TEST(HijriIsValid, MonthLengths) {
    const struct {
        int year, month, day;
        bool valid;
    } Cases[] = {
        {1, 1, 30, true},    {1, 2, 30, false}, {1, 2, 29, true},   {1, 11, 30, true},
        {29, 12, 30, true},   // leap year 29 of the cycle
        {30, 12, 30, false},  // year 30 is common
        {30, 12, 29, true},  {2, 12, 30, true}, {3, 12, 30, false}, {0, 1, 1, false},
        {1, 0, 1, false},    {1, 13, 1, false}, {1, 1, 0, false},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.valid, hijriIsValid(c.year, c.month, c.day));
    }
}

TEST(HijriToDayNumber, MonthStartsAndCycleLength) {
    const int MonthOffsets[12] = {0, 30, 59, 89, 118, 148, 177, 207, 236, 266, 295, 325};
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(HijriEpochDay + MonthOffsets[m - 1], hijriToDayNumber(1, m, 1));
    }
    EXPECT_EQ(10631, hijriToDayNumber(31, 1, 1) - hijriToDayNumber(1, 1, 1));
    EXPECT_EQ(InvalidDayNumber, hijriToDayNumber(30, 12, 30));
    EXPECT_EQ(InvalidDayNumber, hijriToDayNumber(std::numeric_limits<int>::max(), 1, 1));
}

TEST(HijriText, EveryDayRoundTripsAndYearsFollowTheLeapPattern) {
    int previousYear = 1;
    int yearLength = 0;
    for (int n = HijriEpochDay; n <= MaxDayNumber; ++n) {
        const DateCodeFields h = parseDateCode(hijriText(n));
        ASSERT_TRUE(h.ok) << n;
        ASSERT_EQ(n, hijriToDayNumber(h.year, h.month, h.day)) << n;
        if (h.year != previousYear) {
            const int r = previousYear % 30;
            const bool leap = r == 2 || r == 5 || r == 7 || r == 10 || r == 13 || r == 16 ||
                              r == 18 || r == 21 || r == 24 || r == 26 || r == 29;
            ASSERT_EQ(leap ? 355 : 354, yearLength) << previousYear;
            previousYear = h.year, yearLength = 0;
        }
        ++yearLength;
    }
    EXPECT_EQ(9666, previousYear);  // Hijri year of civil 9999-12-31
}

}  // namespace
}  // namespace tavomerix
