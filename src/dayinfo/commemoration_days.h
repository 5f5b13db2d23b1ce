#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {

// The user's commemoration days (纪念日): lunar ones by MonthCode (1..24) and day (1..30),
// civil ones by month (1..12) and day (1..31).
enum class CommemorationKind { Lunar, Solar };

// Longest name shown or stored, in GBK bytes (10 Chinese characters).
constexpr int CommemorationNameWidth = 20;

// Longest stored text (start year and name) accepted, in GBK positions (a Chinese
// character counts 2): all that the registry keeps of a value.
constexpr int CommemorationTextLimit = 1023;

// The user's commemoration days as stored, handed to the day view by the application: per
// kind and date, the stored text — the start year as four digits followed by the name
// ("1998结婚纪念日"). Texts are checked where they are shown, so any text may be held.
class CommemorationDays {
public:
    // Stores the text of a date, replacing one stored before.
    void set(CommemorationKind kind, int month, int day, std::string storedText);

    // The stored text of a date; nullptr when there is none.
    const std::string* find(CommemorationKind kind, int month, int day) const;

    bool empty() const { return lunar_.empty() && solar_.empty(); }

private:
    std::map<int, std::string> lunar_;  // by month * 100 + day
    std::map<int, std::string> solar_;
};

// The value name "MM-DD" under which an entry is stored, or "" when month or day is out of
// the kind's range (lunar 1..24 and 1..30, civil 1..12 and 1..31).
std::string commemorationValueName(CommemorationKind kind, int month, int day);

// Month and day of a value name "MM-DD" within the kind's range; false for anything else.
bool parseCommemorationValueName(CommemorationKind kind, std::string_view text, int& month,
                                 int& day);

// What is wrong with a stored text for an entry on month-day; "" when it is sound: 5 to
// 1023 GBK positions, four ASCII digits of start year, the date valid in that start year (lunar
// dates by the calendar's records), and a name of well-formed UTF-8 without control
// characters that is not empty after trimming. Any bytes are accepted.
std::string_view commemorationEntryFault(const LunarCalendar& calendar, CommemorationKind kind,
                                         std::string_view storedText, int month, int day);

// What is wrong with a name alone, "" when it is sound: well-formed UTF-8, no control
// characters, not empty after trimming ("name is empty" and the like).
std::string_view commemorationNameFault(std::string_view name);

// The name an entry shows on a day of `shownYear`, or "" when the stored text is not a
// sound entry or its start year lies after shownYear. The name is trimmed and clipped to
// 20 GBK bytes.
std::string commemorationEntryName(const LunarCalendar& calendar, CommemorationKind kind,
                                   std::string_view storedText, int month, int day, int shownYear);

// A name as it is stored and shown: trimmed of spaces and clipped to 20 GBK bytes.
std::string commemorationShownName(std::string_view name);

// The commemoration name of a lunar date; on day 29 of a short month a day-30 entry shows
// unless a day-29 entry exists. "" when none or the lunar date is invalid.
std::string lunarCommemorationText(const LunarCalendar& calendar, const CommemorationDays& days,
                                   const LunarDate& date);

// The commemoration name of a civil date; on 28 February of a common year a 29 February
// entry shows unless a 28 February entry exists. "" when none or the date is invalid.
std::string solarCommemorationText(const LunarCalendar& calendar, const CommemorationDays& days,
                                   const CivilDate& date);

// One rejected line of a commemoration file.
struct CommemorationFileError {
    int lineNumber = 0;  // 1-based
    std::string message;
    std::string_view line;  // the line without its CR LF, viewing the file's contents
};

// The entries of a commemoration file, the first rejected lines and how many there were.
struct CommemorationFile {
    CommemorationDays days;
    std::vector<CommemorationFileError> errors;
    long long errorCount = 0;
};

// One line of a commemoration file, read: skipped (blank or a comment), an entry, or a
// fault. The stored text views the line.
struct CommemorationLine {
    enum class Status { Skipped, Entry, Fault };
    Status status = Status::Skipped;
    CommemorationKind kind = CommemorationKind::Lunar;
    int month = 0;
    int day = 0;
    std::string_view storedText;
    std::string fault;  // what is wrong, without the line's text; "" unless Fault
};

// Reads one line (without its LF; a final CR is dropped): "L" (lunar) or "S" (civil), a
// space or a tab, the value name MM-DD, a tab, and the stored text (start year and name).
// Blank lines and lines starting with "#" are skipped.
CommemorationLine parseCommemorationLine(const LunarCalendar& calendar, std::string_view line);

// Reads a commemoration file, one parseCommemorationLine a line; a leading UTF-8
// byte-order mark is skipped and lines may end in CR LF. A line that is not a sound entry,
// or is longer than lineLimit bytes (then not parsed at all), is left out and counted; the
// first maxErrors are reported with their line numbers. A later line for the same date
// replaces an earlier one.
CommemorationFile parseCommemorationFile(const LunarCalendar& calendar, std::string_view contents,
                                         std::size_t maxErrors = SIZE_MAX,
                                         std::size_t lineLimit = SIZE_MAX);

}  // namespace tavomerix
