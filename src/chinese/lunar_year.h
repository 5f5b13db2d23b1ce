#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// Lunar years that have a record (astronomical numbering).
constexpr int FirstLunarYear = -9997;
constexpr int LastLunarYear = 9998;

// Characters of a LunarYearRecord: twelve month sizes ("1" = 30 days, "0" = 29), the leap
// month as a hexadecimal digit ("0" = none, "1".."C" = the regular month it follows) and its
// size, the civil month digit and two day digits of 正月初一.
constexpr int LunarYearRecordLength = 17;

// Positions (0-based) inside a LunarYearRecord.
constexpr int LeapDigitPosition = 12;
constexpr int LeapSizePosition = 13;
constexpr int NewYearMonthPosition = 14;

// Days of a month from its size character in a record: 30 for "1", else 29.
constexpr int monthDaysOfSize(char sizeDigit) { return sizeDigit == '1' ? 30 : 29; }

// Civil month * 100 + day of 正月初一 from a non-empty record (125 for 25 January).
constexpr int newYearMonthDayOfRecord(std::string_view record) {
    return (record[NewYearMonthPosition] - '0') * 100 +
           (record[NewYearMonthPosition + 1] - '0') * 10 + (record[NewYearMonthPosition + 2] - '0');
}

// MonthCode (1..24) of a SizedMonthCode (1..48): the 30-day flag dropped.
constexpr int monthCodeOf(int sizedMonthCode) { return (sizedMonthCode - 1) % 24 + 1; }

// Leap month of a non-empty record: 0 = none, 1..12 = the regular month it follows.
constexpr int leapMonthOfRecord(std::string_view record) {
    const char c = record[LeapDigitPosition];
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Record of a lunar year from the cache, built on first use under the current regime
// (ModernCalculateAncientFlag, TimeZoneHours). The view stays valid until the cache is
// cleared. "" outside FirstLunarYear..LastLunarYear.
std::string_view lunarYearRecord(int year);

// Builds the record of a year without touching the cache; "" outside
// FirstLunarYear..LastLunarYear.
std::string buildLunarYearRecord(int year);

// 0 = no leap month, 1 = the leap month lies between 正月 and 冬月, 2 = it follows 冬月
// (闰冬月 or 闰腊月). Mean-rule years of the historical regime give 0 or 1. 0 out of range.
int leapPlacement(int year);

// Julian Day number of 正月初一 of a lunar year; InvalidDayNumber out of range.
int lunarNewYearDay(int year);

// Solstice-rule code of a year: placement digit "0".."2", the civil month digit and the two
// day digits of 正月初一; "" out of range.
std::string solsticeYearCode(int year);

// Days in a lunar year, 353..385; 0 out of range.
int lunarYearLength(int year);

// 1 when the lunar date exists: MonthCode 1..12 for regular months, 13..24 for the leap
// month following month - 12, day 1..29 or 1..30 by the month's size; else 0.
int isValidLunarDate(int year, int month, int day);

// Position 1..13 of a month (MonthCode) in its year, the leap month included; 0 when the
// month does not exist in that year.
int monthSequence(int year, int month);

// SizedMonthCode (MonthCode, plus 24 for a 30-day month) of the month at position 1..13;
// 0 when the year has no such position.
int monthAtSequence(int year, int sequence);

// Stores ModernCalculateAncientFlag (0 or 1) in the settings and empties the cache when the
// value changes.
void setModernCalculateAncientFlag(int flag);

// Empties every slot of the cache and this thread's memo of new-moon and term days.
void clearLunarYearCache();

// Fills the cache slots of years first..last (clamped to FirstLunarYear..LastLunarYear)
// that are still empty, on two threads; the records equal those of lunarYearRecord.
void prefetchLunarYears(int first, int last);

}  // namespace tavomerix
