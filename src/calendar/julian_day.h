#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// Julian Day number of an invalid date.
constexpr int InvalidDayNumber = -100000000;

// Supported civil years and their Julian Day numbers (-9998-01-01 and 9999-12-31).
constexpr int MinCivilYear = -9998;
constexpr int MaxCivilYear = 9999;
constexpr int MinDayNumber = -1930711;
constexpr int MaxDayNumber = 5373484;

// Julian Day numbers of the last Julian and the first Gregorian day.
constexpr int LastJulianDay = 2299160;
constexpr int FirstGregorianDay = 2299161;

// A civil date, astronomical year numbering (0 = 1 BC).
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// 1 for a leap year: Julian rule up to 1582 (1582 itself common), Gregorian from 1583.
bool isLeapYear(int year);

// True when the date exists: years -9998..9999, Julian to 1582-10-04, Gregorian from
// 1582-10-15 (the ten days between do not exist).
bool isValidDate(int year, int month, int day);

// 1-based day of the year (1582 has 355 days); 0 for an invalid date.
int dayOfYear(int year, int month, int day);

// DateCode of day n of a year; "" when the year or n is out of range.
std::string dateFromDayOfYear(int year, int n);

// Julian Day number of a civil date; years -9998..9999, astronomical numbering.
// InvalidDayNumber if no such day.
int julianDayNumber(int year, int month, int day);

// Civil date of a Julian Day number in -1930711..5373484; year 0 outside the range.
CivilDate civilDateFromDayNumber(int jdn);

// DateCode of a Julian Day number; "" outside -1930711..5373484.
std::string dateFromJulianDayNumber(int jdn);

// DateTimeCode of a day number with fraction (local time of day, truncated to the
// second); "" outside [-1930711, 5373485).
std::string dateTimeFromDayNumber(double dayNumber);

// Fraction of a day for a local time of day, shifted by the time zone:
// (h - TimeZoneHours)/24 + m/1440 + s/86400.
double dayFraction(int hour, int minute, int second);

// Day of the month of the n-th (n >= 1) weekday w (0 = Sunday .. 6 = Saturday);
// 0 if there is no such day.
int nthWeekdayOfMonth(int year, int month, int n, int weekday);

// Weekday of a Julian Day number, 0 = Sunday .. 6 = Saturday.
int weekdayFromSunday(int jdn);

// The 12-character DateCode: "AD" or "BC", MM, "-", DD, "-", YYYY, with 1 - year for
// "BC" (years <= 0). Month and day are written as given (lunar codes carry a
// SizedMonthCode in the month field). "" when a field does not fit its digits.
std::string formatDateCode(int year, int month, int day);

// The fields of a DateCode (or DateTimeCode) cut by position; nullopt-like {0,0,0} with
// ok = false when the text is not a DateCode.
struct DateCodeFields {
    bool ok = false;
    int year = 0;
    int month = 0;
    int day = 0;
};
DateCodeFields parseDateCode(std::string_view code);

}  // namespace tavomerix
