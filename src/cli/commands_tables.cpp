#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "cli/commands.h"
#include "tools/year_tables.h"

namespace tavomerix {

namespace {

constexpr int MinTableYear = -8999;
constexpr int MaxTableYear = 9000;

CliOutput tableCommand(YearTableMode mode, const CliRequest& request) {
    const YearArgument year = tableYearArgument(request.args[0]);
    if (!year.ok) return year.error;
    return printed(yearTableText(request.calendar(), mode, year.year, "\n"));
}

}  // namespace

CivilDayArgument dateArgument(const LunarCalendar& calendar, std::string_view text, bool lunar) {
    CivilDayArgument a;
    const TypedDate typed = parseTypedDate(text);
    if (!typed.ok) {
        a.error = usageError("bad date '" + std::string(text) +
                             "' (DATE is Y-M-D, the year astronomical and possibly negative)");
        return a;
    }
    CivilDate civil{typed.year, typed.month, typed.day};
    if (lunar) {
        civil = lunarToSolar(calendar, lunarDateOfMonthCode(typed.year, typed.month, typed.day));
        if (civil.month == 0) {
            a.error = usageError("no such lunar date '" + std::string(text) +
                                 "' (month is 1..12, or 13..24 for the leap month the year has; "
                                 "day 1..29 or 30; years -8999..9000)");
            return a;
        }
    }
    a.dayNumber = julianDayNumber(civil.year, civil.month, civil.day);
    if (a.dayNumber == InvalidDayNumber) {
        a.error = usageError("no such date '" + std::string(text) +
                             "' (DATE is Y-M-D with a day that exists, years -9998..9999)");
        return a;
    }
    a.ok = true;
    a.year = civil.year;
    a.month = civil.month;
    a.day = civil.day;
    return a;
}

CivilDayArgument civilDayArgument(std::string_view text) {
    return dateArgument(LunarCalendar::shared({}), text, false);
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
