#include "calendar/julian_day.h"

#include <cmath>
#include <cstdlib>

#include "calendar/arithmetic.h"

namespace tavomerix {

namespace {

constexpr int DaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int monthLength(int year, int month) {
    return month == 2 && isLeapYear(year) ? 29 : DaysInMonth[month];
}

int twoDigits(std::string_view s, size_t at) {
    const char a = s[at], b = s[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

}  // namespace

bool isLeapYear(int year) {
    if (year <= 1582) return year != 1582 && floorMod(year, 4) == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool isValidDate(int year, int month, int day) {
    if (year < MinCivilYear || year > MaxCivilYear || month < 1 || month > 12) return false;
    if (day < 1 || day > monthLength(year, month)) return false;
    return !(year == 1582 && month == 10 && day > 4 && day < 15);
}

int dayOfYear(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return 0;
    const int k = isLeapYear(year) ? 1 : 2;                                     // [1, 2]
    int n = floorDiv(275 * month, 9) - k * floorDiv(month + 9, 12) + day - 30;  // [1, 366]
    if (year == 1582 && 31 * month + day > 314) n -= 10;
    return n;
}

CivilDate civilDateFromDayOfYear(int year, int n) {
    if (year < MinCivilYear || year > MaxCivilYear) return {};
    const int yearLength = year == 1582 ? 355 : isLeapYear(year) ? 366 : 365;
    if (n < 1 || n > yearLength) return {};
    if (year == 1582 && n >= 278) n += 10;
    const int k = isLeapYear(year) ? 1 : 2;
    int month = floorToInt(9.0 * (k + n) / 275.0 + 0.98);
    if (n < 32) month = 1;
    const int day = n - floorDiv(275 * month, 9) + k * floorDiv(month + 9, 12) + 30;
    if (!isValidDate(year, month, day)) return {};
    return {year, month, day};
}

bool isValidDate(const CivilDate& date) { return isValidDate(date.year, date.month, date.day); }

int julianDayNumber(const CivilDate& date) {
    return julianDayNumber(date.year, date.month, date.day);
}

int julianDayNumber(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return InvalidDayNumber;
    if (year < -4712) {
        const int t = year + 4712;  // negative
        return 365 * t - truncDiv(std::abs(t), 4) + dayOfYear(year, month, day) - 1;
    }
    int y = year, m = month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    int b = 0;
    if (372 * y + 31 * m + day >= 588829) {  // on or after 1582-10-15
        const int a = floorDiv(y, 100);
        b = 2 - a + floorDiv(a, 4);
    }
    return floorToInt(365.2500001 * (y + 4716)) + floorToInt(30.6 * (m + 1)) + day + b - 1524;
}

CivilDate civilDateFromDayNumber(int jdn) {
    if (jdn < MinDayNumber || jdn > MaxDayNumber) return {};
    // Richards' integer algorithm: years of March..February counted from -4716, the
    // Gregorian centuries' dropped leap days added back from 1582-10-15 on.
    int f = jdn + 1401;
    if (jdn >= FirstGregorianDay) f += (4 * jdn + 274277) / 146097 * 3 / 4 - 38;
    const int e = 4 * f + 3;
    const int h = 5 * (floorMod(e, 1461) / 4) + 2;  // 5 * (day of the March year) + 2
    CivilDate date;
    date.day = h % 153 / 5 + 1;
    date.month = (h / 153 + 2) % 12 + 1;
    date.year = floorDiv(e, 1461) - 4716 + (14 - date.month) / 12;
    return date;
}

CivilDay civilDay(const CivilDate& date) { return {date, julianDayNumber(date)}; }

CivilDay civilDayOfNumber(int dayNumber) {
    const CivilDate date = civilDateFromDayNumber(dayNumber);
    return date.month == 0 ? CivilDay{} : CivilDay{date, dayNumber};
}

std::string dateFromJulianDayNumber(int jdn) {
    if (jdn < MinDayNumber || jdn > MaxDayNumber) return "";
    const CivilDate d = civilDateFromDayNumber(jdn);
    return formatDateCode(d.year, d.month, d.day);
}

TimeOfDay timeOfDay(double dayNumber) {
    const double f = dayNumber - std::floor(dayNumber);
    const int hours = floorToInt(24 * f);
    const double f1 = 24 * f - hours;
    const int minutes = floorToInt(60 * f1);
    const double f2 = 60 * f1 - minutes;
    return {hours, minutes, floorToInt(60 * f2)};
}

TimeOfDay timeOfSecond(int secondOfDay) {
    return {secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60};
}

namespace {

// Two digits of 0..99 at text[at], written by hand: snprintf costs most of a short text.
void putTwoDigits(std::string& text, std::size_t at, int value) {
    text[at] = static_cast<char>('0' + value / 10 % 10);
    text[at + 1] = static_cast<char>('0' + value % 10);
}

}  // namespace

std::string clockText(const TimeOfDay& t) {
    std::string text = "00:00:00";
    putTwoDigits(text, 0, t.hours);
    putTwoDigits(text, 3, t.minutes);
    putTwoDigits(text, 6, t.seconds);
    return text;
}

std::string clockMinuteText(int minuteOfDay) {
    std::string text = "00:00";
    putTwoDigits(text, 0, minuteOfDay / 60 % 24);
    putTwoDigits(text, 3, minuteOfDay % 60);
    return text;
}

std::string dateTimeFromDayNumber(double dayNumber) {
    if (!(dayNumber >= MinDayNumber && dayNumber < MaxDayNumber + 1.0)) return "";
    return dateFromJulianDayNumber(static_cast<int>(std::floor(dayNumber))) + " " +
           clockText(timeOfDay(dayNumber));
}

double dayFraction(int hour, int minute, int second, int timeZoneHours) {
    return (hour - timeZoneHours) / 24.0 + minute / 1440.0 + second / 86400.0;
}

int weekdayOfDayNumber(int dayNumber) { return floorMod(dayNumber, 7); }

int nthWeekdayOfMonth(int year, int month, int n, int weekday) {
    if (!isValidDate(year, month, 1) || n < 1 || weekday < 0 || weekday > 6) return 0;
    const int w1 = weekdayOfDayNumber(julianDayNumber(year, month, 1));
    int delta = weekday - w1;
    if (delta < 0) delta += 7;
    if (n > 6) return 0;  // no month holds a sixth occurrence; keeps the product small
    int day = delta + 7 * (n - 1) + 1;
    if (year == 1582 && month == 10 && day > 4) day += 10;
    return isValidDate(year, month, day) ? day : 0;
}

std::string formatDateCode(int year, int month, int day) {
    if (year < -9998 || year > 9999) return "";
    const bool ad = year >= 1;
    const int shown = ad ? year : 1 - year;
    if (shown > 9999 || month < 0 || month > 99 || day < 0 || day > 99) return "";
    // Digits written by hand: this runs once per converted date, and snprintf costs most of it.
    std::string text = ad ? "AD00-00-0000" : "BC00-00-0000";
    const auto put = [&text](int position, int value, int digits) {
        for (int i = position + digits - 1; i >= position; --i, value /= 10) {
            text[i] = static_cast<char>('0' + value % 10);
        }
    };
    put(2, month, 2);
    put(5, day, 2);
    put(8, shown, 4);
    return text;
}

std::string formatDateCode(const CivilDate& date) {
    return date.month == 0 ? "" : formatDateCode(date.year, date.month, date.day);
}

DateCodeFields parseDateCode(std::string_view code) {
    if (code.size() < 12 || code[4] != '-' || code[7] != '-') return {};
    const bool ad = code.substr(0, 2) == "AD";
    if (!ad && code.substr(0, 2) != "BC") return {};
    const int month = twoDigits(code, 2), day = twoDigits(code, 5);
    const int hi = twoDigits(code, 8), lo = twoDigits(code, 10);
    if (month < 0 || day < 0 || hi < 0 || lo < 0) return {};
    const int shown = hi * 100 + lo;
    return {true, ad ? shown : 1 - shown, month, day};
}

}  // namespace tavomerix
