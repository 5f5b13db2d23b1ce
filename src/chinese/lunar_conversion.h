#pragma once

#include <string>
#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {

// Civil and lunar years that convert.
constexpr int FirstConvertibleYear = -8999;
constexpr int LastConvertibleYear = 9000;

// 1-based position of a lunar date within its lunar year; 0 when the date does not exist.
int lunarDayIndex(const LunarCalendar& calendar, const LunarDate& date);

// Lunar date (with its long-month flag) of day `index` of a lunar year; LunarDate{} when
// the year has no record or index is outside 1..yearLength(year).
LunarDate lunarDateFromDayIndex(const LunarCalendar& calendar, int year, int index);

// Lunar date of a civil date; LunarDate{} for an invalid date or a year outside
// -8999..9000.
LunarDate solarToLunar(const LunarCalendar& calendar, const CivilDate& date);

// Lunar date of a Julian Day number; LunarDate{} outside the civil years -8999..9000.
LunarDate lunarDateOfDay(const LunarCalendar& calendar, int dayNumber);
// The same for a civil day whose date and day number are both known.
LunarDate lunarDateOfDay(const LunarCalendar& calendar, const CivilDay& day);

// Julian Day number of a lunar date (longMonth is not consulted); InvalidDayNumber for a
// lunar year outside -8999..9000 or a date that does not exist (a leap month the year
// lacks included).
int lunarToDayNumber(const LunarCalendar& calendar, const LunarDate& date);

// Civil date of a lunar date; CivilDate{} (month 0) where lunarToDayNumber has no day.
CivilDate lunarToSolar(const LunarCalendar& calendar, const LunarDate& date);

// A lunar month with the civil days of its first and last day.
struct LunarMonthSpan {
    int year = 0;
    int sizedMonthCode = 0;  // SizedMonthCode 1..48
    CivilDate first, last;
    friend bool operator==(const LunarMonthSpan&, const LunarMonthSpan&) = default;
};
// The span of a month (SizedMonthCode) of a lunar year; first and last are CivilDate{}
// where the month has no days.
LunarMonthSpan lunarMonthSpan(const LunarCalendar& calendar, int year, int sizedMonthCode);

// The months of a lunar year in order as spans; none for a year without a record.
std::vector<LunarMonthSpan> lunarMonthSpans(const LunarCalendar& calendar, int year);

// The leap month of a lunar year as a span; sizedMonthCode 0 when the year has none (or no
// record).
LunarMonthSpan leapMonthSpan(const LunarCalendar& calendar, int year);

// The lunar DateCode of a date: its SizedMonthCode in the month field ("AD25-01-2024");
// "" for LunarDate{}.
std::string lunarDateCode(const LunarDate& date);

// The lunar DateCode with the MonthCode in its month field instead (as the calculator,
// the searches and the command line show it); "" for LunarDate{}.
std::string lunarMonthCodeText(const LunarDate& date);

}  // namespace tavomerix
