#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/holidays.h"

namespace tavomerix {

// Civil years an export may cover: Gregorian years only (the format's calendar), within the
// day information's range.
constexpr int FirstIcsYear = 1583;
constexpr int LastIcsYear = 9000;
// Most years in one export.
constexpr int MaxIcsYears = 200;

// What an iCalendar export holds: the years fromYear .. fromYear + years - 1 and the
// chosen sources.
struct IcsOptions {
    int fromYear = 2026;
    int years = 10;
    bool festivals = false;  // the festivals of the festival line, all-day events
    bool terms = false;      // the 24 solar terms, timed events in UTC
    bool moons = false;      // new and full moons, timed events in UTC
    // The user's commemoration days, each anniversary an all-day event; none when null.
    const CommemorationDays* days = nullptr;
    // China's days off and working weekend days in these arrangements, all-day events with
    // CATEGORIES 休 or 班; none when null.
    const HolidayArrangements* holidays = nullptr;
    std::string dtstampUtc = "20000101T000000Z";  // DTSTAMP of every event, "YYYYMMDDTHHMMSSZ"
};

// Writes an iCalendar (RFC 5545) calendar of the chosen events in the calendar's zone and
// regime: CRLF line ends, lines folded at 75 octets. Anniversaries and festivals show what
// the festival line shows on their day. Years outside FirstIcsYear..LastIcsYear are left
// out. Returns the number of events written.
int writeIcs(std::ostream& out, const LunarCalendar& calendar, const IcsOptions& options);

// A TEXT value escaped: backslash, semicolon and comma preceded by a backslash, a line
// end written as \n (a CR dropped).
std::string escapeIcsText(std::string_view text);

// A content line folded to at most 75 octets a line, never inside a UTF-8 character, each
// continuation starting with a space, and every line ended by CR LF.
std::string foldIcsLine(std::string_view line);

// The UID of an event: its kind, its civil date and a hash of its summary, so that the
// same event has the same UID on every run ("term-20241221-6c3e1f2a@tavomerix").
std::string icsUid(std::string_view kind, const CivilDate& date, std::string_view summary);

// "YYYYMMDDTHHMMSSZ" of a UTC instant given as Unix seconds; "" before 1970 or after 9999.
std::string icsUtcStamp(std::int64_t unixSeconds);

}  // namespace tavomerix
