#include <string>

#include "calendar/julian_day.h"
#include "cli/commands.h"
#include "tools/year_tables.h"

namespace tavomerix {

namespace {

constexpr int MinTableYear = -8999;
constexpr int MaxTableYear = 9000;

CliOutput tableCommand(YearTableMode mode, const CliRequest& request) {
    const YearArgument year = tableYearArgument(request.args[0]);
    if (!year.ok) return year.error;
    return printed(yearTableText(mode, year.year, "\n"));
}

}  // namespace

CivilDayArgument civilDayArgument(std::string_view text) {
    CivilDayArgument a;
    const TypedDate date = parseTypedDate(text);
    if (!date.ok) {
        a.error = usageError("bad date '" + std::string(text) +
                             "' (DATE is Y-M-D, the year astronomical and possibly negative)");
        return a;
    }
    a.dayNumber = julianDayNumber(date.year, date.month, date.day);
    if (a.dayNumber == InvalidDayNumber) {
        a.error = usageError("no such date '" + std::string(text) +
                             "' (DATE is Y-M-D with a day that exists, years -9998..9999)");
        return a;
    }
    a.ok = true;
    a.year = date.year;
    a.month = date.month;
    a.day = date.day;
    return a;
}

YearArgument tableYearArgument(std::string_view text) {
    const TypedNumber year = parseTypedNumber(text, MinTableYear, MaxTableYear);
    if (!year.ok) {
        return {false, 0,
                usageError("bad year '" + std::string(text) +
                           "' (YEAR is a whole astronomical year, -8999..9000)")};
    }
    return {true, year.value, {}};
}

CliOutput runJd(const CliRequest& request, const CliEnvironment&) {
    const CivilDayArgument date = civilDayArgument(request.args[0]);
    if (!date.ok) return date.error;
    return printed(std::to_string(date.dayNumber));
}

CliOutput runTerms(const CliRequest& request, const CliEnvironment&) {
    return tableCommand(YearTableMode::SolarTerms, request);
}

CliOutput runMoons(const CliRequest& request, const CliEnvironment&) {
    return tableCommand(YearTableMode::MoonPhases, request);
}

CliOutput runMonths(const CliRequest& request, const CliEnvironment&) {
    return tableCommand(YearTableMode::LunarMonths, request);
}

}  // namespace tavomerix
