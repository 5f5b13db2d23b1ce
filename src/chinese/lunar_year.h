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

// Characters of a LunarYearRecord, the text form of a LunarYear: twelve month sizes ("1" =
// 30 days, "0" = 29), the leap month as a hexadecimal digit ("0" = none, "1".."C" = the
// regular month it follows) and its size, the civil month digit and two day digits of 正月初一.
constexpr int LunarYearRecordLength = 17;

// MonthCode (1..24) of a SizedMonthCode (1..48): the 30-day flag dropped.
constexpr int monthCodeOf(int sizedMonthCode) { return (sizedMonthCode - 1) % 24 + 1; }

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

// A lunar year as numbers: the first days of its months in order, its leap month and its
// 正月初一. LunarYear{} (monthCount 0) is no year, the neutral result outside
// FirstLunarYear..LastLunarYear. Months are named by position (1..monthCount, the leap month
// in its place after the regular month it follows) or by MonthCode.
struct LunarYear {
    int year = 0;        // astronomical numbering
    int leapMonth = 0;   // 0 = none, 1..12 = the regular month the leap month follows
    int monthCount = 0;  // 12, or 13 with a leap month; 0 = no year
    // Julian Day numbers of the first days of the months at positions 1..monthCount
    // (monthStarts[0] is 正月初一); monthStarts[monthCount] is the next year's 正月初一.
    std::array<int, 14> monthStarts{};

    constexpr bool valid() const { return monthCount != 0; }
    // Julian Day number of 正月初一; InvalidDayNumber for no year.
    constexpr int newYearDay() const { return valid() ? monthStarts[0] : InvalidDayNumber; }
    // Civil date of 正月初一 (Julian calendar to 1582-10-04); CivilDate{} for no year.
    CivilDate newYearDate() const {
        return valid() ? civilDateFromDayNumber(monthStarts[0]) : CivilDate{};
    }
    // Days in the year, 353..385; 0 for no year.
    constexpr int length() const { return monthStarts[monthCount] - monthStarts[0]; }

    // Days of the month at a position, 29 or 30; 0 outside 1..monthCount.
    constexpr int monthDaysAt(int sequence) const {
        if (sequence < 1 || sequence > monthCount) return 0;
        return monthStarts[sequence] - monthStarts[sequence - 1];
    }
    // Position of a MonthCode (1..12, or 13..24 for the leap month after month - 12),
    // 1..13; 0 when the year lacks the month.
    constexpr int sequenceOf(int monthCode) const {
        if (!valid()) return 0;
        if (monthCode >= 1 && monthCode <= 12)
            return leapMonth != 0 && leapMonth < monthCode ? monthCode + 1 : monthCode;
        return leapMonth != 0 && monthCode == leapMonth + 12 ? leapMonth + 1 : 0;
    }
    // MonthCode of the month at a position; 0 outside 1..monthCount.
    constexpr int monthCodeAt(int sequence) const {
        if (sequence < 1 || sequence > monthCount) return 0;
        if (leapMonth == 0 || sequence <= leapMonth) return sequence;
        return sequence == leapMonth + 1 ? leapMonth + 12 : sequence - 1;
    }
    // Days of a month by MonthCode, 29 or 30; 0 when the year lacks the month.
    constexpr int monthDays(int monthCode) const { return monthDaysAt(sequenceOf(monthCode)); }

    // Lunar date, with its long-month flag, of a Julian Day number; LunarDate{} when the day
    // lies outside the year.
    constexpr LunarDate dateOfDay(int dayNumber) const {
        if (!valid() || dayNumber < monthStarts[0] || dayNumber >= monthStarts[monthCount])
            return {};
        int sequence = 1;
        while (dayNumber >= monthStarts[sequence]) ++sequence;
        LunarDate date = lunarDateOfMonthCode(year, monthCodeAt(sequence),
                                              dayNumber - monthStarts[sequence - 1] + 1);
        date.longMonth = monthDaysAt(sequence) == 30;
        return date;
    }

    friend bool operator==(const LunarYear&, const LunarYear&) = default;
};

// The LunarYearRecord of a year (17 characters); "" for LunarYear{}. The one place that
// makes the text.
std::string lunarYearRecord(const LunarYear& year);

// The lunar year `year` of a LunarYearRecord: the inverse of lunarYearRecord for every
// year the calendar builds. LunarYear{} when the text is not a record of that year (not 17
// characters, a character outside its set, no leap month with a leap size "1", 正月初一 not
// a date of the year) or the year is outside FirstLunarYear..LastLunarYear.
LunarYear lunarYearOfRecord(int year, std::string_view record);

// Builds a year without any cache; LunarYear{} outside FirstLunarYear..LastLunarYear.
LunarYear buildLunarYear(const CalendarContext& context, int year);

// 0 = no leap month, 1 = the leap month lies between 正月 and 冬月, 2 = it follows 冬月
// (闰冬月 or 闰腊月). Mean-rule years of the historical regime give 0 or 1. 0 out of range.
int leapPlacement(const CalendarContext& context, int year);

// The start of a lunar year: its leap placement (as leapPlacement gives it) and the Julian
// Day number of its 正月初一.
struct LunarYearStart {
    int placement = 0;
    int newYearDay = InvalidDayNumber;
};

// The start of a year by the solstice rule, whatever the regime; LunarYearStart{} out of
// range.
LunarYearStart solsticeRuleYearStart(const CalendarContext& context, int year);

// Every lunar year of one context, each built on first use and kept for the object's
// lifetime. Safe to use from several threads at once (see YearCache); a reference handed
// out stays valid as long as the object.
class LunarYearCache {
public:
    explicit LunarYearCache(const CalendarContext& context);
    ~LunarYearCache();

    // A lunar year; LunarYear{} outside FirstLunarYear..LastLunarYear.
    const LunarYear& year(int year) const;

    // Builds years first..last (clamped to FirstLunarYear..LastLunarYear) that are still
    // missing, on two threads; they equal those year() builds.
    void prefetch(int first, int last) const;

    // Day searches of consecutive builds (defined where the years are built).
    struct Memo;

private:
    CalendarContext context_;
    YearCache<LunarYear> years_;
    // Day searches shared by consecutive builds on one thread at a time (a build that finds
    // it taken uses a memo of its own).
    mutable std::mutex memoMutex_;
    std::unique_ptr<Memo> memo_;
};

}  // namespace tavomerix
