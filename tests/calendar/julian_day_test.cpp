#include "calendar/julian_day.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

TEST(JulianDayNumber, KnownDays) {
    const struct {
        int year, month, day, jdn;
    } Cases[] = {
        {-4712, 1, 1, 0},
        {2000, 1, 1, 2451545},
        {1582, 10, 4, 2299160},   // last Julian day
        {1582, 10, 15, 2299161},  // first Gregorian day
        {1582, 10, 10, InvalidDayNumber},
        {1582, 10, 5, InvalidDayNumber},
        {1582, 10, 14, InvalidDayNumber},
        {-9998, 1, 1, -1930711},  // first supported day
        {9999, 12, 31, 5373484},  // last supported day
        {-4713, 1, 1, -365},      // first year of the branch below -4712
        {-4713, 12, 31, -1},
        {-9999, 12, 31, InvalidDayNumber},
        {10000, 1, 1, InvalidDayNumber},
        {2001, 2, 29, InvalidDayNumber},
        {2000, 2, 29, 2451604},
        {1900, 2, 29, InvalidDayNumber},  // Gregorian common century
        {1500, 2, 29, 2268992},           // Julian leap century
        {1500, 3, 1, 2268993},
        {2000, 13, 1, InvalidDayNumber},
        {2000, 4, 31, InvalidDayNumber},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.jdn, julianDayNumber(c.year, c.month, c.day));
    }
}

TEST(JulianDayNumber, EveryDayRoundTripsAndIsOneMoreThanTheDayBefore) {
    int previous = MinDayNumber - 1;
    for (int year = MinCivilYear; year <= MaxCivilYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                if (!isValidDate(year, month, day)) continue;
                const int jdn = julianDayNumber(year, month, day);
                ASSERT_EQ(previous + 1, jdn) << year << '-' << month << '-' << day;
                const CivilDate back = civilDateFromDayNumber(jdn);
                ASSERT_EQ((CivilDate{year, month, day}), back) << jdn;
                previous = jdn;
            }
        }
    }
    EXPECT_EQ(MaxDayNumber, previous);
}

TEST(LeapYear, JulianAndGregorianRules) {
    const struct {
        int year;
        bool leap;
    } Cases[] = {
        {0, true},     {-4, true},    {-1, false},   {1500, true}, {1582, false}, {1584, true},
        {1700, false}, {1800, false}, {1900, false}, {2000, true}, {2024, true},  {2023, false},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.leap, isLeapYear(c.year));
    }
}

TEST(DayOfYear, AroundTheGregorianSwitch) {
    EXPECT_EQ(278, dayOfYear(1582, 10, 15));
    EXPECT_EQ(277, dayOfYear(1582, 10, 4));
    EXPECT_EQ(355, dayOfYear(1582, 12, 31));
    EXPECT_EQ((CivilDate{1582, 10, 15}), civilDateFromDayOfYear(1582, 278));
    EXPECT_EQ((CivilDate{1582, 10, 4}), civilDateFromDayOfYear(1582, 277));
    EXPECT_EQ(CivilDate{}, civilDateFromDayOfYear(1582, 356));
    EXPECT_EQ((CivilDate{2000, 12, 31}), civilDateFromDayOfYear(2000, 366));
    EXPECT_EQ(CivilDate{}, civilDateFromDayOfYear(2001, 366));
    EXPECT_EQ(0, dayOfYear(1582, 10, 10));
}

TEST(DayOfYear, RoundTripsEveryDayOfSampleYears) {
    for (int year : {-9998, -4713, -1, 0, 1, 1582, 1600, 1900, 2000, 2023, 9999}) {
        for (int n = 1; n <= 366; ++n) {
            const CivilDate date = civilDateFromDayOfYear(year, n);
            if (date.month == 0) continue;
            SCOPED_TRACE(testing::Message() << year << " day " << n);
            EXPECT_EQ(n, dayOfYear(date.year, date.month, date.day));
        }
    }
}

TEST(DateCode, Texts) {
    EXPECT_EQ("AD12-29-2000", dateFromJulianDayNumber(julianDayNumber(2000, 12, 29)));
    EXPECT_EQ("BC01-01-0001", formatDateCode(0, 1, 1));
    EXPECT_EQ("BC01-01-0002", formatDateCode(-1, 1, 1));
    EXPECT_EQ("BC02-22-0104", formatDateCode(-103, 2, 22));
    EXPECT_EQ("", dateFromJulianDayNumber(MinDayNumber - 1));
    EXPECT_EQ("", dateFromJulianDayNumber(MaxDayNumber + 1));
    const DateCodeFields f = parseDateCode("BC02-22-0104");
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(-103, f.year);
    EXPECT_FALSE(parseDateCode("XX02-22-0104").ok);
    EXPECT_FALSE(parseDateCode("AD2-22-0104").ok);
}

TEST(DateTimeFromDayNumber, TruncatesToTheSecond) {
    EXPECT_EQ("AD01-01-2000 18:00:00", dateTimeFromDayNumber(2451545.75));
    EXPECT_EQ("AD01-01-2000 00:00:59", dateTimeFromDayNumber(2451545 + 59.9 / 86400));
    EXPECT_EQ("", dateTimeFromDayNumber(MaxDayNumber + 1.0));
    EXPECT_EQ("AD12-31-9999 23:59:59", dateTimeFromDayNumber(MaxDayNumber + 0.99999));
}

TEST(DayFraction, FollowsTheTimeZone) {
    EXPECT_DOUBLE_EQ(-8.0 / 24, dayFraction(0, 0, 0, 8));
    EXPECT_DOUBLE_EQ(12.0 / 24 + 30.0 / 1440 + 30.0 / 86400, dayFraction(0, 30, 30, -12));
}

TEST(NthWeekdayOfMonth, Cases) {
    const struct {
        int year, month, n, weekday, day;
    } Cases[] = {
        {2000, 5, 2, Sunday, 14},  // second Sunday of May 2000
        {2000, 5, 1, Monday, 1},   // 2000-05-01 was a Monday
        {2000, 5, 5, Monday, 29},  // fifth Monday exists
        {2000, 2, 5, Monday, 0},   // February 2000 has four Mondays
        {1582, 10, 1, 4, 15},      // first Friday after the switch: 10-1 was a Monday
        {1582, 10, 1, Monday, 1}, {2000, 5, 0, Sunday, 0}, {2000, 5, 1, 7, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << '-' << c.month << " n=" << c.n << " w=" << c.weekday);
        EXPECT_EQ(c.day, nthWeekdayOfMonth(c.year, c.month, c.n, c.weekday));
    }
}

TEST(WeekdayOfDayNumber, FromMonday) {
    const struct {
        int jdn, weekday;
    } Cases[] = {
        {0, Monday},          // -4712-01-01
        {-1, Sunday},         // floored below day 0
        {2299160, Thursday},  // 1582-10-04, last Julian day
        {2299161, 4},         // 1582-10-15, Friday
        {2451545, 5},         // 2000-01-01, Saturday
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.jdn);
        EXPECT_EQ(c.weekday, weekdayOfDayNumber(c.jdn));
    }
}

// Clock texts: both ends of a day, a minute past the last (its hour taken modulo 24) and a
// second of the day through timeOfSecond.
TEST(ClockText, Cases) {
    const struct {
        int minute;
        const char* text;
    } Minutes[] = {{0, "00:00"}, {59, "00:59"}, {1380, "23:00"}, {1439, "23:59"}, {1440, "00:00"}};
    for (const auto& c : Minutes) EXPECT_EQ(clockMinuteText(c.minute), c.text) << c.minute;
    const struct {
        int second;
        const char* text;
    } Seconds[] = {{0, "00:00:00"}, {59, "00:00:59"}, {52200, "14:30:00"}, {86399, "23:59:59"}};
    for (const auto& c : Seconds) EXPECT_EQ(clockText(timeOfSecond(c.second)), c.text) << c.second;
}

}  // namespace
}  // namespace tavomerix
