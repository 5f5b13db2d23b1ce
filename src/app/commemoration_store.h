#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavomerix {

// Registry keys of the user's commemoration days (纪念日). Each value is named "MM-DD"
// (lunar: MonthCode 01..24 and day 01..30; civil: month 01..12 and day 01..31) and holds
// the start year as four digits followed by the name: "1998结婚纪念日".
constexpr std::string_view LunarCommemorationKey = "Software\\Tavomerix\\LunarFestival";
constexpr std::string_view SolarCommemorationKey = "Software\\Tavomerix\\SolarFestival";

// Longest name shown or stored, in GBK bytes (10 Chinese characters).
constexpr int CommemorationNameWidth = 20;

enum class CommemorationKind { Lunar, Solar };

// Registry key of a kind.
std::string_view commemorationKey(CommemorationKind kind);

// The value name "MM-DD" of a date, or "" when month or day is out of the kind's range
// (lunar 1..24 and 1..30, civil 1..12 and 1..31).
std::string commemorationValueName(CommemorationKind kind, int month, int day);

// The stored text of one entry as the registry holds it; "" when missing or the date is
// out of range.
std::string readCommemorationEntry(CommemorationKind kind, int month, int day);

// Writes one entry: the start year as four digits (0..9999) and the name trimmed of
// spaces and clipped to 20 GBK bytes; an entry for the same date is replaced. Returns
// false, writing nothing, for a date out of range, a year outside 0..9999 or a name that
// is empty after trimming.
bool writeCommemorationEntry(CommemorationKind kind, int month, int day, int startYear,
                             std::string_view name);

// The name an entry shows on a day of `shownYear`, or "" when the stored text is not a
// sound entry: 5 to 1023 bytes, four ASCII digits of start year, the date valid in that
// start year, start year <= shownYear, and a name of well-formed UTF-8 without control
// characters that is not empty after trimming. The name is trimmed and clipped to 20 GBK
// bytes. Any bytes are accepted.
std::string commemorationEntryName(CommemorationKind kind, std::string_view storedText, int month,
                                   int day, int shownYear);

// The user's lunar commemoration name of a lunar date (lunar year, MonthCode 1..24, day);
// on day 29 of a short month a day-30 entry shows unless a day-29 entry exists. "" when
// none or the lunar date is invalid. Reads the registry at every call.
std::string lunarCommemorationText(int lunarYear, int monthCode, int day);

// The user's civil commemoration name of a civil date; on 28 February of a common year a
// 29 February entry shows unless a 28 February entry exists. "" when none or the date is
// invalid. Reads the registry at every call.
std::string solarCommemorationText(int year, int month, int day);

// One rejected line of a commemoration file.
struct CommemorationFileError {
    int lineNumber = 0;  // 1-based
    std::string message;
};

// Reads a commemoration file and writes its entries to the registry. One entry a line:
// "L" (lunar) or "S" (civil), a space or a tab, the value name MM-DD, a tab, and the
// stored value text (start year and name). Blank lines and lines starting with "#" are
// skipped; a line may end in CR LF. A line that is not a sound entry is not written and
// is reported with its line number; the other lines are written in order (a later line for
// the same date replaces an earlier one).
std::vector<CommemorationFileError> loadCommemorationFile(std::string_view contents);

}  // namespace tavomerix
