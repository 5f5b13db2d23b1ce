#pragma once

#include <string>
#include <string_view>

#include "dayinfo/commemoration_days.h"

namespace tavomerix {

// Registry keys of the user's commemoration days (纪念日). Each value is named "MM-DD"
// (lunar: MonthCode 01..24 and day 01..30; civil: month 01..12 and day 01..31) and holds
// the start year as four digits followed by the name: "1998结婚纪念日".
constexpr std::string_view LunarCommemorationKey = "Software\\Tavomerix\\LunarFestival";
constexpr std::string_view SolarCommemorationKey = "Software\\Tavomerix\\SolarFestival";

// Registry key of a kind.
std::string_view commemorationKey(CommemorationKind kind);

// Deletes both keys with every entry.
void deleteCommemorationDays();

// The stored text of one entry as the registry holds it; "" when missing or the date is
// out of range.
std::string readCommemorationEntry(CommemorationKind kind, int month, int day);

// Writes one entry: the start year as four digits (0..9999) and the name trimmed of
// spaces and clipped to 20 GBK bytes; an entry for the same date is replaced. Returns
// false, writing nothing, for a date out of range, a year outside 0..9999 or a name that
// is empty after trimming.
bool writeCommemorationEntry(CommemorationKind kind, int month, int day, int startYear,
                             std::string_view name);

// Every entry of both keys, as the day view receives them: values whose name is a
// well-formed "MM-DD" of the kind's range, with their texts as stored (checked where they
// are shown). Read afresh at every call.
CommemorationDays readCommemorationDays();

}  // namespace tavomerix
