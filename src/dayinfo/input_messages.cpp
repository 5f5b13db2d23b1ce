#include "dayinfo/input_messages.h"

namespace tavomerix {

std::string badDateMessage(std::string_view quoted, bool lunar) {
    return "bad date " + std::string(quoted) +
           (lunar ? " (a lunar DATE is Y-M-D, a leap month as Y-闰M-D or M = 13..24)"
                  : " (DATE is Y-M-D, the year astronomical and possibly negative)");
}

std::string noSuchDateMessage(std::string_view quoted) {
    return "no such date " + std::string(quoted) +
           " (DATE is Y-M-D with a day that exists, years -9998..9999; "
           "1582-10-05..14 do not exist)";
}

std::string noSuchLunarDateMessage(std::string_view quoted) {
    return "no such lunar date " + std::string(quoted) +
           " (month 1..12, a leap month as 闰M or 13..24 only in a year "
           "that has it; day 1..29 or 30; years -8999..9000)";
}

std::string outsideLunarYearsMessage(std::string_view quoted) {
    return "date " + std::string(quoted) + " is outside the lunar calendar's years -8999..9000";
}

std::string outsideDayYearsMessage(std::string_view quoted, std::string_view what) {
    return "date " + std::string(quoted) + " is outside the years -8999..9000 of the " +
           std::string(what);
}

std::string badYearMessage(std::string_view what, std::string_view quoted, int low, int high) {
    return "bad " + std::string(what) + " " + std::string(quoted) + " (years " +
           std::to_string(low) + ".." + std::to_string(high) + ")";
}

std::string yearOrderMessage(int first, int last) {
    return "LAST " + std::to_string(last) + " comes before FIRST " + std::to_string(first);
}

std::string badTimeZoneMessage(std::string_view quoted) {
    return "bad time zone " + std::string(quoted) +
           " (--tz takes a whole number of hours, -12..12)";
}

std::string badTimeMessage(std::string_view quoted) {
    return "bad time " + std::string(quoted) + " (TIME is HH:MM or HH:MM:SS, 00:00..23:59:59)";
}

std::string badLongitudeMessage(std::string_view quoted) {
    return "bad longitude " + std::string(quoted) + " (--longitude takes degrees east, -180..180)";
}

}  // namespace tavomerix
