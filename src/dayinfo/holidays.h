#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julian_day.h"

namespace tavomerix {

// Public holidays of China: the statutory days (法定节假日) follow from the law's rules, and
// the State Council's yearly notice arranges the days off and the weekend days made working
// days (调休) around them. Dates are civil dates of China: the lunar dates and the day of
// 清明 are reckoned in UTC+8 whatever zone the caller works in.

// Civil years with statutory days: from 2000 (the rules of that year on) to the last year
// the lunar calendar converts.
constexpr int FirstHolidayYear = 2000;
constexpr int LastHolidayYear = 9000;

// One statutory day and the holiday it belongs to (元旦, 春节, 清明节, 劳动节, 端午节,
// 中秋节, 国庆节).
struct StatutoryDay {
    int dayNumber = InvalidDayNumber;  // Julian Day number
    std::string_view holiday;
};

// The statutory days of a civil year by the rules in force that year: 2000-2007, 2008-2013,
// 2014-2024 and from 2025 (除夕 is the day before 正月初一). By date; a day that belongs to
// two holidays (中秋节 on 1 October) is listed once for each, in the holidays' order.
// Empty outside FirstHolidayYear..LastHolidayYear.
std::vector<StatutoryDay> statutoryHolidays(int year);

// A day a year's arrangement lists: a day off, or a working day (usually a weekend day).
enum class ArrangedDayKind : std::uint8_t { Off, Work };

struct ArrangedDay {
    int dayNumber = InvalidDayNumber;  // Julian Day number
    std::string holiday;               // the holiday it belongs to, as the notice names it
    ArrangedDayKind kind = ArrangedDayKind::Off;
};

// The arrangement of one year. Its days may include the last days of the year before (a
// 元旦 arranged across 31 December).
struct YearArrangement {
    std::vector<ArrangedDay> days;     // by day number, each day once
    std::vector<std::string> notices;  // addresses of the notices; none for a user's year
    bool fromUserFile = false;
};

// The year whose arrangement a listed day belongs to: the year of its date, except that a
// 元旦 day dated in December belongs to the next year's arrangement.
int arrangementYearOf(const CivilDate& date, std::string_view holiday);

// The arrangements in use: the built-in ones of 2007-2026, with the years a user's holiday
// file gave (parseHolidayFile) replacing the built-in year of the same number whole.
struct HolidayArrangements {
    std::map<int, YearArrangement> userYears;
};

// The arrangement of a year (a user's year first, else a built-in one); nullptr when the
// year's arrangement is not published (not known).
const YearArrangement* yearArrangement(const HolidayArrangements& arrangements, int year);

// What a day is for work.
enum class DayStatus : std::uint8_t {
    Statutory,        // a statutory holiday (法定节假日)
    DayOff,           // a day off in lieu or by arrangement, weekends within a holiday included
    ArrangedWorkday,  // a working day by arrangement (调休上班)
    Workday,          // an ordinary working day, Monday to Friday
    Weekend,          // an ordinary Saturday or Sunday
};

// The status of a day, the holiday it belongs to ("" for ordinary days; two statutory
// holidays on one day are joined with "、" as the notices join them) and whether its
// year's arrangement is published. Without an arrangement the statutory days are known and
// every other day follows the ordinary week: never guessed.
struct HolidayStatus {
    DayStatus status = DayStatus::Workday;
    std::string holiday;
    bool published = false;
};

// The status of a day (Julian Day number in MinDayNumber..MaxDayNumber, else the ordinary
// week). A day listed by both its own year's arrangement and the next year's (late
// December) takes the later notice's. Years without statutory days (before 2000) follow the
// ordinary week, unpublished.
HolidayStatus holidayStatus(const HolidayArrangements& arrangements, int dayNumber);
// The same for a civil date; the ordinary Workday, unpublished, for a date that does not exist.
HolidayStatus holidayStatus(const HolidayArrangements& arrangements, const CivilDate& date);

// True for the statuses a payroll counts as working days (ArrangedWorkday, Workday).
constexpr bool isWorkingDay(DayStatus status) {
    return status == DayStatus::ArrangedWorkday || status == DayStatus::Workday;
}

// The mark a calendar shows on a day: "休" for a statutory day or a day off, "班" for a
// working day by arrangement, "" for an ordinary day.
std::string_view dayStatusMark(DayStatus status);

// Working days in [firstDay, endDay) (Julian Day numbers, clamped to MinDayNumber..
// MaxDayNumber + 1), as a payroll counts them; negative, counting [endDay, firstDay), when
// endDay comes first.
long long workingDays(const HolidayArrangements& arrangements, int firstDay, int endDay);

// One holiday of a year: its days off, its working days by arrangement and its statutory
// days, each by day number.
struct Holiday {
    std::string name;
    std::vector<int> daysOff;
    std::vector<int> workingDays;
    std::vector<int> statutoryDays;
};

// The holidays of a year's arrangement in order of their first day off, or of its statutory
// days alone (published false) when the arrangement is not published. A statutory day joins
// the holiday whose days off hold it, else the holiday of its name.
struct YearHolidays {
    int year = 0;
    bool published = false;
    bool fromUserFile = false;
    std::vector<std::string> notices;
    std::vector<Holiday> holidays;
};
YearHolidays yearHolidays(const HolidayArrangements& arrangements, int year);

// One rejected line of a holiday file.
struct HolidayFileError {
    int lineNumber = 0;  // 1-based
    std::string message;
    std::string_view line;  // the line without its CR LF, viewing the file's contents
};

// The years a holiday file gives, or none when any line is rejected (a bad file changes
// nothing); the first rejected lines and how many there were.
struct HolidayFile {
    std::map<int, YearArrangement> years;
    std::vector<HolidayFileError> errors;
    long long errorCount = 0;
};

// Reads a holiday file in the format of the built-in data: lines "YYYY-MM-DD", a tab, the
// holiday's name, a tab, "off" or "work". Blank lines, lines starting with "#" and the
// header line "date<TAB>holiday<TAB>day" are skipped; a leading UTF-8 byte-order mark is
// skipped and lines may end in CR LF. Each row belongs to the arrangement of
// arrangementYearOf, which must lie in 2000..9000; a date may appear once. The name
// follows the rules of a commemoration name (well-formed UTF-8, no control characters, not
// blank; at most 200 bytes). A statutory day may not be a working day, and a year is only
// given whole: every statutory day of it listed as off (checked once every line is sound).
// The first maxErrors rejected lines are reported; a line longer than lineLimit bytes is
// rejected unread.
HolidayFile parseHolidayFile(std::string_view contents, std::size_t maxErrors = SIZE_MAX,
                             std::size_t lineLimit = SIZE_MAX);

// The arrangements with the file's years added or replacing the years of the same number;
// unchanged when the file has errors.
HolidayArrangements withHolidayFile(HolidayArrangements arrangements, const HolidayFile& file);

}  // namespace tavomerix
