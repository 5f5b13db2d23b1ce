#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// Civil and lunar years that convert.
constexpr int FirstConvertibleYear = -8999;
constexpr int LastConvertibleYear = 9000;

// 1-based position of a lunar date (MonthCode 1..24, day) within its lunar year; 0 when the
// date does not exist.
int lunarDayIndex(int year, int month, int day);

// Lunar DateCode (SizedMonthCode, day, lunar year) of day `index` of a lunar year; "" when
// the year has no record or index is outside 1..lunarYearLength(year).
std::string lunarDateFromDayIndex(int year, int index);

// Lunar DateCode of a civil date; "" for an invalid date or a year outside -8999..9000.
std::string solarToLunar(int year, int month, int day);

// Civil DateCode of a lunar date (MonthCode 1..24); "" for a lunar year outside -8999..9000
// or a date that does not exist (a leap month the year lacks included).
std::string lunarToSolar(int year, int month, int day);

// A lunar DateCode with the MonthCode in its month field instead of the SizedMonthCode
// (as the calculator, the searches and the command line show it); "" when the text is not
// a DateCode.
std::string withMonthCode(std::string_view lunarDateCode);

}  // namespace tavomerix
