#pragma once

#include <string>
#include <string_view>

#include "chinese/sexagenary.h"
#include "cli/cli.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/holidays.h"

namespace tavomerix {

// Handlers of the commands; each gets a request whose options were already checked
// against the command's table entry and whose settings are in force.
CliOutput runJd(const CliRequest& request, const CliEnvironment& env);
CliOutput runTerms(const CliRequest& request, const CliEnvironment& env);
CliOutput runMoons(const CliRequest& request, const CliEnvironment& env);
CliOutput runMonths(const CliRequest& request, const CliEnvironment& env);
CliOutput runRecords(const CliRequest& request, const CliEnvironment& env);
CliOutput runConvert(const CliRequest& request, const CliEnvironment& env);
CliOutput runGanzhi(const CliRequest& request, const CliEnvironment& env);
CliOutput runInterval(const CliRequest& request, const CliEnvironment& env);
CliOutput runDay(const CliRequest& request, const CliEnvironment& env);
CliOutput runAlmanac(const CliRequest& request, const CliEnvironment& env);
CliOutput runPillars(const CliRequest& request, const CliEnvironment& env);
CliOutput runCal(const CliRequest& request, const CliEnvironment& env);
CliOutput runSearchCommand(const CliRequest& request, const CliEnvironment& env);
CliOutput runCalc(const CliRequest& request, const CliEnvironment& env);
CliOutput runIcs(const CliRequest& request, const CliEnvironment& env);
CliOutput runHolidays(const CliRequest& request, const CliEnvironment& env);
CliOutput runWorkday(const CliRequest& request, const CliEnvironment& env);

// Output of a successful command: text plus a final line end.
CliOutput printed(std::string text);

// A usage error: one line on stderr naming the argument and what is allowed, exit 2.
CliOutput usageError(std::string_view message);

// User input quoted for a one-line message: "'" + quotedInput(text) + "'".
std::string quotedArg(std::string_view text);

// Whether the output carries colour: --color, the terminal, NO_COLOR and TERM=dumb.
bool useColour(const CliRequest& request, const CliEnvironment& env);

// Writes a line (a line end is added) or a group of lines (text ending in a line end) to
// the run's sink and lets it reach the reader; false once the output has failed, when the
// command should stop.
bool emitLine(const CliEnvironment& env, std::string_view text);

// The Julian Day number of a civil DATE argument, or a usage error in `error`.
struct CivilDayArgument {
    bool ok = false;
    int year = 0, month = 0, day = 0;
    int dayNumber = 0;
    CliOutput error;
};
CivilDayArgument civilDayArgument(std::string_view text);
// A DATE argument typed civil or, with `lunar`, lunar (month = MonthCode, or "闰" and the
// month) in the calendar, as the civil date it names.
CivilDayArgument dateArgument(const LunarCalendar& calendar, std::string_view text, bool lunar);

// Where the hour 23:00-24:00 belongs (--early-zi, else the late 子 hour).
ZiHour ziHourOf(const CliRequest& request);

// Where the request's sexagenary years and months begin (--lichun).
GanzhiYearStart ganzhiYearStartOf(const CliRequest& request);

// The FIRST [LAST] years of a command within low..high, or a usage error.
struct YearRangeArgument {
    bool ok = false;
    int first = 0, last = 0;
    CliOutput error;
};
YearRangeArgument yearRangeArgument(const CliRequest& request, int low, int high,
                                    std::string_view what);

// The holiday arrangements in use: the built-in ones with the years of --holidays FILE,
// or without it of the environment's default file when that exists; a bad file is an
// error (its lines on stderr, exit 2) and changes nothing.
struct HolidaysArgument {
    bool ok = false;
    HolidayArrangements arrangements;
    CliOutput error;
};
HolidaysArgument holidaysArgument(const CliRequest& request, const CliEnvironment& env);

}  // namespace tavomerix
