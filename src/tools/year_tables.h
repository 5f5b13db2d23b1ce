#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chinese/lunar_calendar.h"

namespace tavomerix {

// The three tables of the year-tables window.
enum class YearTableMode { LunarMonths = 1, SolarTerms = 2, MoonPhases = 3 };

// Window line end; the command line passes "\n".
constexpr std::string_view WindowLineEnd = "\r\n";

// Caption of a table: "    农历公元 2024", "    公历公元前 1", ...
std::string yearTableCaption(YearTableMode mode, int year);

// The whole table of a year (astronomical numbering) in the calendar's zone and regime,
// with the given line end; "" when the year has no data (no lunar record, or not a valid
// civil year).
std::string yearTableText(const LunarCalendar& calendar, YearTableMode mode, int year,
                          std::string_view lineEnd = WindowLineEnd);

// The buttons of the year field.
enum class YearFieldAction { Compute, PreviousYear, NextYear };

// What the window shows after a button: the year field, the "公元前" box, and the new
// content of the output box (nullopt: leave it as it is).
struct YearFieldResult {
    std::string yearText;
    bool bc = false;
    std::optional<std::string> output;
};

// Runs a year-field button over the typed text and the "公元前" box; years run from
// minYear to 5000.
YearFieldResult yearFieldAction(const LunarCalendar& calendar, YearTableMode mode,
                                std::string_view yearText, bool bc, YearFieldAction action,
                                int minYear);

}  // namespace tavomerix
