// The core and the command line for JavaScript (emscripten's embind). Types are translated
// here and nothing else: every result comes from the function the command line uses.
#include <emscripten/bind.h>

#include <string>
#include <vector>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/year_events.h"
#include "cli/cli.h"
#include "dayinfo/holidays.h"

namespace tavomerix {
namespace {

const LunarCalendar& calendarOf(int timeZoneHours, bool modern) {
    CalendarContext context;
    context.timeZoneHours = timeZoneHours;
    context.regime = modern ? Regime::Modern : Regime::Historical;
    return LunarCalendar::shared(context);
}

LunarDate solarToLunarOf(int year, int month, int day, int timeZoneHours, bool modern) {
    return solarToLunar(calendarOf(timeZoneHours, modern), CivilDate{year, month, day});
}

LunarDate lunarDateOfDayNumber(int dayNumber, int timeZoneHours, bool modern) {
    return lunarDateOfDay(calendarOf(timeZoneHours, modern), dayNumber);
}

CivilDate lunarToSolarOf(int year, int month, int day, bool leap, int timeZoneHours, bool modern) {
    return lunarToSolar(calendarOf(timeZoneHours, modern), LunarDate{year, month, day, leap});
}

CivilDate civilDateOf(int dayNumber) { return civilDateFromDayNumber(dayNumber); }

int dayNumberOf(int year, int month, int day) { return julianDayNumber(year, month, day); }

// A JavaScript array of the elements.
template <typename T>
emscripten::val arrayOf(const std::vector<T>& items) {
    emscripten::val array = emscripten::val::array();
    for (const T& item : items) array.call<void>("push", item);
    return array;
}

emscripten::val termsOf(int year, int timeZoneHours, bool modern) {
    return arrayOf(termsOfYear(calendarOf(timeZoneHours, modern), year));
}

// A lunar year: its leap month and the first days of its months, the last being the next
// 正月初一; null outside the lunar years.
emscripten::val lunarYearOf(int year, int timeZoneHours, bool modern) {
    const LunarYear& lunar = calendarOf(timeZoneHours, modern).lunarYear(year);
    if (!lunar.valid()) return emscripten::val::null();
    emscripten::val value = emscripten::val::object();
    value.set("year", lunar.year);
    value.set("leapMonth", lunar.leapMonth);
    value.set("monthCount", lunar.monthCount);
    value.set("monthStarts",
              arrayOf(std::vector<int>(lunar.monthStarts.begin(),
                                       lunar.monthStarts.begin() + lunar.monthCount + 1)));
    return value;
}

// The built-in holiday arrangements.
const HolidayArrangements& builtInArrangements() {
    static const HolidayArrangements arrangements;
    return arrangements;
}

// A day's status for work: DayStatus as its number (0 statutory, 1 day off, 2 working day
// by arrangement, 3 workday, 4 weekend), the holiday, and the mark "休", "班" or "".
emscripten::val holidayStatusOf(int dayNumber) {
    const HolidayStatus status = holidayStatus(builtInArrangements(), dayNumber);
    emscripten::val value = emscripten::val::object();
    value.set("status", static_cast<int>(status.status));
    value.set("holiday", status.holiday);
    value.set("published", status.published);
    value.set("mark", std::string(dayStatusMark(status.status)));
    return value;
}

emscripten::val yearHolidaysOf(int year) {
    const YearHolidays holidays = yearHolidays(builtInArrangements(), year);
    emscripten::val value = emscripten::val::object();
    value.set("year", holidays.year);
    value.set("published", holidays.published);
    value.set("notices", arrayOf(holidays.notices));
    emscripten::val list = emscripten::val::array();
    for (const Holiday& h : holidays.holidays) {
        emscripten::val holiday = emscripten::val::object();
        holiday.set("name", h.name);
        holiday.set("daysOff", arrayOf(h.daysOff));
        holiday.set("workingDays", arrayOf(h.workingDays));
        holiday.set("statutoryDays", arrayOf(h.statutoryDays));
        list.call<void>("push", holiday);
    }
    value.set("holidays", list);
    return value;
}

struct CliResult {
    int exitCode = 0;
    std::string out, err;
};

// The command line over its arguments (without the program name), with `today` given.
CliResult runCliOf(const emscripten::val& args, int todayYear, int todayMonth, int todayDay) {
    std::vector<std::string> argv{"tavomerix"};
    const int count = args["length"].as<int>();
    for (int i = 0; i < count; ++i) argv.push_back(args[i].as<std::string>());
    CliEnvironment env;
    env.today = CivilDate{todayYear, todayMonth, todayDay};
    env.noColour = true;
    const CliOutput output = runCli(argv, env);
    return {output.exitCode, output.out, output.err};
}

}  // namespace
}  // namespace tavomerix

EMSCRIPTEN_BINDINGS(tavomerix) {
    namespace em = emscripten;
    using namespace tavomerix;
    em::value_object<CivilDate>("CivilDate")
        .field("year", &CivilDate::year)
        .field("month", &CivilDate::month)
        .field("day", &CivilDate::day);
    em::value_object<LunarDate>("LunarDate")
        .field("year", &LunarDate::year)
        .field("month", &LunarDate::month)
        .field("day", &LunarDate::day)
        .field("leap", &LunarDate::leap)
        .field("longMonth", &LunarDate::longMonth);
    em::value_object<TermEvent>("TermEvent")
        .field("instant", &TermEvent::instant)
        .field("number", &TermEvent::number);
    em::value_object<CliResult>("CliResult")
        .field("exitCode", &CliResult::exitCode)
        .field("out", &CliResult::out)
        .field("err", &CliResult::err);
    em::function("solarToLunar", &solarToLunarOf);
    em::function("lunarDateOfDay", &lunarDateOfDayNumber);
    em::function("lunarToSolar", &lunarToSolarOf);
    em::function("julianDayNumber", &dayNumberOf);
    em::function("civilDateOfDay", &civilDateOf);
    em::function("termsOfYear", &termsOf);
    em::function("lunarYear", &lunarYearOf);
    em::function("holidayStatus", &holidayStatusOf);
    em::function("yearHolidays", &yearHolidaysOf);
    em::function("runCli", &runCliOf);
}
