#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "astro/historical_reckoning.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/year_events.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "dayinfo/input_messages.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

constexpr int MinTableYear = -8999;
constexpr int MaxTableYear = 9000;

// One solar term or moon phase of a table: its local instant and name.
struct TableEvent {
    double instant = 0;
    int number = 0;  // TermNumber 1..24, or 0 = new moon, 1 = full moon
    std::string_view name;
};

// The solar terms or the new and full moons of a civil year in time order.
std::vector<TableEvent> eventsOfYear(const LunarCalendar& calendar, int year, bool terms) {
    std::vector<TableEvent> events;
    if (terms) {
        for (const TermEvent& t : termsOfYear(calendar, year))
            events.push_back({t.instant, t.number, solarTermName(t.number)});
        return events;
    }
    for (const PhaseEvent& p : moonPhasesOfYear(calendar, year)) {
        const bool isNew = p.phase == MoonPhase::New;
        events.push_back({p.instant, isNew ? 0 : 1, isNew ? "朔日" : "望日"});
    }
    return events;
}

// Prints the events of the years one by one as they are computed.
CliOutput eventTable(const CliRequest& request, const CliEnvironment& env, bool terms) {
    const YearRangeArgument years =
        yearRangeArgument(request, MinTableYear, MaxTableYear, "civil year");
    if (!years.ok) return years.error;
    const LunarCalendar& calendar = request.calendar();
    const int zone = calendar.context().timeZoneHours;
    JsonArrayWriter json(env);
    if (request.format == OutputFormat::Tsv) {
        emitLine(env, terms ? "year\tnumber\tname\tinstant" : "year\tphase\tname\tinstant");
    }
    for (int year = years.first; year <= years.last; ++year) {
        const std::vector<TableEvent> events = eventsOfYear(calendar, year, terms);
        std::string lines;
        for (const TableEvent& e : events) {
            const std::string phase = e.number == 0 ? "new" : "full";
            if (request.format == OutputFormat::Json) {
                nlohmann::json item = {
                    {"year", year}, {"name", e.name}, {"instant", isoInstant(e.instant, zone)}};
                if (terms) {
                    item["number"] = e.number;
                } else {
                    item["phase"] = phase;
                }
                if (!json.add(item)) return {};
            } else if (request.format == OutputFormat::Tsv) {
                lines += std::to_string(year) + "\t" + (terms ? std::to_string(e.number) : phase) +
                         "\t" + std::string(e.name) + "\t" + isoInstant(e.instant, zone) + "\n";
            } else {
                lines += isoInstant(e.instant, zone, false) + "  " + std::string(e.name) + "\n";
            }
        }
        if (!lines.empty() && !emitLine(env, lines)) return {};
        if (env.stopRequested && *env.stopRequested)
            return {ExitInterrupted, "", "tavomerix: interrupted\n"};
    }
    if (request.format == OutputFormat::Json) json.finish();
    return {};
}

}  // namespace

CivilDayArgument dateArgument(const LunarCalendar& calendar, std::string_view text, bool lunar) {
    CivilDayArgument a;
    const TypedDate typed = lunar ? parseTypedLunarDate(text) : parseTypedDate(text);
    if (!typed.ok) {
        a.error = usageError(badDateMessage(quotedArg(text), lunar));
        return a;
    }
    CivilDate civil{typed.year, typed.month, typed.day};
    if (lunar) {
        civil = lunarToSolar(calendar, lunarDateOfMonthCode(typed.year, typed.month, typed.day));
        if (civil.month == 0) {
            a.error = usageError(noSuchLunarDateMessage(quotedArg(text)));
            return a;
        }
    }
    a.dayNumber = julianDayNumber(civil.year, civil.month, civil.day);
    if (a.dayNumber == InvalidDayNumber) {
        a.error = usageError(noSuchDateMessage(quotedArg(text)));
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

YearRangeArgument yearRangeArgument(const CliRequest& request, int low, int high,
                                    std::string_view what) {
    YearRangeArgument range;
    int* const targets[2] = {&range.first, &range.last};
    for (size_t i = 0; i < 2; ++i) {
        if (i >= request.args.size()) {
            range.last = range.first;
            break;
        }
        const TypedNumber n = parseTypedNumber(request.args[i], low, high);
        if (!n.ok) {
            range.error = usageError(badYearMessage(what, quotedArg(request.args[i]), low, high));
            return range;
        }
        *targets[i] = n.value;
    }
    if (range.last < range.first) {
        range.error = usageError(yearOrderMessage(range.first, range.last));
        return range;
    }
    range.ok = true;
    return range;
}

CliOutput runJd(const CliRequest& request, const CliEnvironment&) {
    const CivilDayArgument date = civilDayArgument(request.args[0]);
    if (!date.ok) return date.error;
    if (request.format == OutputFormat::Json) {
        return printed(civilJson({date.year, date.month, date.day}).dump(2));
    }
    return printed(std::to_string(date.dayNumber));
}

CliOutput runTerms(const CliRequest& request, const CliEnvironment& env) {
    return eventTable(request, env, true);
}

CliOutput runMoons(const CliRequest& request, const CliEnvironment& env) {
    return eventTable(request, env, false);
}

CliOutput runMonths(const CliRequest& request, const CliEnvironment& env) {
    const YearRangeArgument years =
        yearRangeArgument(request, MinTableYear, MaxTableYear, "lunar year");
    if (!years.ok) return years.error;
    const LunarCalendar& calendar = request.calendar();
    JsonArrayWriter json(env);
    if (request.format == OutputFormat::Tsv) emitLine(env, MonthTsvHeader);
    const int zone = calendar.context().timeZoneHours;
    for (int year = years.first; year <= years.last; ++year) {
        std::string lines;
        for (const LunarMonthSpan& span : lunarMonthSpans(calendar, year)) {
            const std::optional<NearMidnightNewMoon> near =
                request.format == OutputFormat::Tsv
                    ? std::nullopt
                    : newMoonNearMidnight(calendar, julianDayNumber(span.first));
            if (request.format == OutputFormat::Json) {
                nlohmann::json item = monthJson(span);
                item["new_moon_seconds"] = near ? nlohmann::json(near->seconds) : nullptr;
                if (!json.add(item)) return {};
            } else if (request.format == OutputFormat::Tsv) {
                lines += monthTsv(span) + "\n";
            } else {
                lines += monthText(span);
                if (near) {
                    const std::string instant = isoInstant(near->instant, zone, false);
                    lines += "  * new moon " + instant.substr(instant.rfind(' ') + 1);
                }
                lines += "\n";
            }
        }
        if (!lines.empty() && !emitLine(env, lines)) return {};
    }
    if (request.format == OutputFormat::Json) json.finish();
    return {};
}

}  // namespace tavomerix
