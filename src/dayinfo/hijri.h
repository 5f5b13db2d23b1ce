#pragma once

#include <string>

namespace tavomerix {

// Julian Day number of 1 Muharram of Hijri year 1 (Julian calendar 622-07-16).
constexpr int HijriEpochDay = 1948440;

// True when y >= 1, 1 <= m <= 12 and d lies within the month of the tabular Islamic
// calendar: odd months 30 days, even months 29, month 12 30 days in the leap years
// (year mod 30 in 2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29).
bool hijriIsValid(int year, int month, int day);

// Julian Day number of a Hijri date; InvalidDayNumber when it is not valid or its day
// number does not fit an int.
int hijriToDayNumber(int year, int month, int day);

// A date of the tabular Islamic calendar; HijriDate{} (year 0) for none.
struct HijriDate {
    int year = 0;  // 1..9999
    int month = 0;
    int day = 0;

    bool valid() const { return year >= 1; }
    friend bool operator==(const HijriDate&, const HijriDate&) = default;
};

// Hijri date of a Julian Day number; HijriDate{} before the epoch and after Hijri year
// 9999 (civil 9999-12-31 is Hijri 9666).
HijriDate hijriDate(int dayNumber);

// Hijri date of a Julian Day number as "AD" MM-DD-YYYY ("AD01-01-0001" for
// HijriEpochDay); "" before the epoch and after Hijri year 9999
// (the text holds 4 year digits; civil 9999-12-31 is Hijri 9666).
std::string hijriText(int dayNumber);

// "回历1445年1月1日" for a Julian Day number (numbers without leading zeros); "" when
// hijriText is "".
std::string hijriLine(int dayNumber);
// The same line of a Hijri date; "" for HijriDate{}.
std::string hijriLine(const HijriDate& date);

}  // namespace tavomerix
