#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/year_cache.h"

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

// A date of the Chinese lunar calendar. month 0 means no date (the neutral result of the
// conversions).
struct LunarDate {
    int year = 0;            // lunar year, astronomical numbering
    int month = 0;           // 1..12 (正月 .. 腊月); 0 = no date
    int day = 0;             // 1..30
    bool leap = false;       // the leap month that follows `month`
    bool longMonth = false;  // the month has 30 days (set by conversions; ignored as input)

    constexpr bool valid() const { return month != 0; }
    // MonthCode: 1..12, or 13..24 for the leap month following month - 12.
    constexpr int monthCode() const { return leap ? month + 12 : month; }
    // SizedMonthCode: the MonthCode plus 24 for a 30-day month, 1..48.
    constexpr int sizedMonthCode() const { return monthCode() + (longMonth ? 24 : 0); }

    friend constexpr bool operator==(const LunarDate&, const LunarDate&) = default;
};

// The lunar date of a MonthCode (1..24); LunarDate{} when the code is outside 1..24. The
// long-month flag is left unset.
constexpr LunarDate lunarDateOfMonthCode(int year, int monthCode, int day) {
    if (monthCode < 1 || monthCode > 24) return {};
    return {year, (monthCode - 1) % 12 + 1, day, monthCode > 12, false};
}

// The lunar date of a SizedMonthCode (1..48); LunarDate{} when the code is outside 1..48.
constexpr LunarDate lunarDateOfSizedCode(int year, int sizedMonthCode, int day) {
    if (sizedMonthCode < 1 || sizedMonthCode > 48) return {};
    LunarDate date = lunarDateOfMonthCode(year, monthCodeOf(sizedMonthCode), day);
    date.longMonth = sizedMonthCode > 24;
    return date;
}

// Builds the record of a year without any cache; "" outside FirstLunarYear..LastLunarYear.
std::string buildLunarYearRecord(const CalendarContext& context, int year);

// 0 = no leap month, 1 = the leap month lies between 正月 and 冬月, 2 = it follows 冬月
// (闰冬月 or 闰腊月). Mean-rule years of the historical regime give 0 or 1. 0 out of range.
int leapPlacement(const CalendarContext& context, int year);

// Solstice-rule code of a year: placement digit "0".."2", the civil month digit and the two
// day digits of 正月初一; "" out of range.
std::string solsticeYearCode(const CalendarContext& context, int year);

// A built lunar year: its record and the day of its 正月初一.
struct BuiltLunarYear {
    std::array<char, LunarYearRecordLength> text{};
    int newYearDay = InvalidDayNumber;
};

// The records of every lunar year of one context, each built on first use and kept for the
// object's lifetime. Safe to use from several threads at once (see YearCache); a view
// handed out stays valid as long as the object.
class LunarYearCache {
public:
    explicit LunarYearCache(const CalendarContext& context);
    ~LunarYearCache();

    // Record of a lunar year; "" outside FirstLunarYear..LastLunarYear.
    std::string_view record(int year) const;

    // Julian Day number of 正月初一 of a lunar year; InvalidDayNumber out of range.
    int newYearDay(int year) const;

    // Builds the records of years first..last (clamped to the record years) that are still
    // missing, on two threads; the records equal those record() builds.
    void prefetch(int first, int last) const;

    // Day searches of consecutive builds (defined where the years are built).
    struct Memo;

private:
    const BuiltLunarYear* year(int year) const;

    CalendarContext context_;
    YearCache<BuiltLunarYear> years_;
    // Day searches shared by consecutive builds on one thread at a time (a build that finds
    // it taken uses a memo of its own).
    mutable std::mutex memoMutex_;
    std::unique_ptr<Memo> memo_;
};

}  // namespace tavomerix
