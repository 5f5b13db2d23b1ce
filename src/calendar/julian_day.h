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

// A civil date with its Julian Day number, worked out once where a date comes in and then
// handed on, so that no operation has to convert it again.
struct CivilDay {
    CivilDay() = default;
    CivilDay(const CivilDate& civil, int number) : date(civil), dayNumber(number) {}

    CivilDate date;
    int dayNumber = InvalidDayNumber;  // InvalidDayNumber when the date does not exist
};

// The civil day of a date; dayNumber is InvalidDayNumber when no such day exists.
CivilDay civilDay(const CivilDate& date);
// The civil day of a Julian Day number in -1930711..5373484; CivilDay{} outside.
CivilDay civilDayOfNumber(int dayNumber);

// 1 for a leap year: Julian rule up to 1582 (1582 itself common), Gregorian from 1583.
bool isLeapYear(int year);

// True when the date exists: years -9998..9999, Julian to 1582-10-04, Gregorian from
// 1582-10-15 (the ten days between do not exist).
bool isValidDate(int year, int month, int day);
bool isValidDate(const CivilDate& date);

// 1-based day of the year (1582 has 355 days); 0 for an invalid date.
int dayOfYear(int year, int month, int day);

// Civil date of day n (1-based) of a year; CivilDate{} (month 0) when the year or n is out
// of range.
CivilDate civilDateFromDayOfYear(int year, int n);

// Julian Day number of a civil date; years -9998..9999, astronomical numbering.
// InvalidDayNumber if no such day.
int julianDayNumber(int year, int month, int day);
int julianDayNumber(const CivilDate& date);

// Civil date of a Julian Day number in -1930711..5373484; CivilDate{} (month 0) outside
// the range.
CivilDate civilDateFromDayNumber(int jdn);

// DateCode of a Julian Day number; "" outside -1930711..5373484.
std::string dateFromJulianDayNumber(int jdn);

// Time of day of a day number with fraction, truncated to the second: hours 0..23,
// minutes and seconds 0..59.
struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};
TimeOfDay timeOfDay(double dayNumber);
// The time of a second of the day (0..86399).
TimeOfDay timeOfSecond(int secondOfDay);

// Clock texts: "HH:MM:SS" of a time of day, "HH:MM" of a minute of the day (its hour taken
// modulo 24, so that 1440 reads "00:00").
std::string clockText(const TimeOfDay& t);
std::string clockMinuteText(int minuteOfDay);

// DateTimeCode of a day number with fraction (local time of day, truncated to the
// second); "" outside [-1930711, 5373485).
std::string dateTimeFromDayNumber(double dayNumber);

// Fraction of a day of UT for a local time of day in a zone (hours east of Greenwich):
// (hour - timeZoneHours)/24 + minute/1440 + second/86400.
double dayFraction(int hour, int minute, int second, int timeZoneHours);

// Weekdays are numbered from Monday, the order of the week's names: 0 = Monday ..
// 6 = Sunday.
constexpr int Monday = 0;
constexpr int Thursday = 3;
constexpr int Saturday = 5;
constexpr int Sunday = 6;

// Weekday 0..6 (0 = Monday) of a Julian Day number; any day number (JD 0 was a Monday).
int weekdayOfDayNumber(int dayNumber);

// Day of the month of the n-th (n >= 1) weekday w (0 = Monday .. 6 = Sunday); 0 if there
// is no such day.
int nthWeekdayOfMonth(int year, int month, int n, int weekday);

// The 12-character DateCode: "AD" or "BC", MM, "-", DD, "-", YYYY, with 1 - year for
// "BC" (years <= 0). Month and day are written as given (lunar codes carry a
// SizedMonthCode in the month field). "" when a field does not fit its digits.
std::string formatDateCode(int year, int month, int day);
// The DateCode of a civil date; "" for CivilDate{} (month 0).
std::string formatDateCode(const CivilDate& date);

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
