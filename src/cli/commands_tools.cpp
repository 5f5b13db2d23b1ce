#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "cli/commands.h"
#include "tools/calculator.h"
#include "tools/search.h"

namespace tavomerix {

namespace {

// Earliest year of the tools: that of the default civil-year range (101 BC).
int toolMinYear() { return minYearForArea(StoredSettings{}.SolarYearAreaValue); }

GanzhiYearStart ganzhiYearStartOf(const CliRequest& request) {
    return request.flag("lichun") ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
}

struct SearchKindName {
    std::string_view name;
    SearchKind kind;
};
constexpr SearchKindName SearchKindNames[] = {
    {"leap", SearchKind::LeapMonths},     {"big3", SearchKind::ThreeLongMonths},
    {"small3", SearchKind::ThreeShortMonths}, {"big4", SearchKind::FourLongMonths},
    {"days", SearchKind::Days},
};

// One condition option of the day search: its list, whether numbers are accepted (up to
// the list's length), whether the one-character suffix of the items may be left out, and
// what the error message allows.
struct ConditionOption {
    std::string_view option;
    DayList list;
    bool numbers;
    bool suffixOptional;
    std::string_view allowed;
};
constexpr ConditionOption ConditionOptions[] = {
    {"civil-month", DayList::CivilMonth, true, true, "N is 1..12"},
    {"civil-day", DayList::CivilDay, true, true, "N is 1..31"},
    {"weekday", DayList::Weekday, false, false, "NAME is 星期一..星期日"},
    {"term", DayList::SolarTerm, false, false, "NAME is a solar term, 小寒..冬至"},
    {"festival", DayList::Festival, false, false, "NAME is 复活节, 母亲节, 父亲节 or 感恩节"},
    {"lunar-month", DayList::LunarMonth, true, false,
     "CODE is 1..24, 13..24 the leap month after month CODE - 12, or a name such as 闰四月"},
    {"lunar-day", DayList::LunarDay, true, false, "N is 1..30 or 初一..三十"},
    {"ganzhi-year", DayList::GanzhiYear, false, true, "NAME is 甲子..癸亥, 年 may follow"},
    {"ganzhi-month", DayList::GanzhiMonth, false, true, "NAME is 甲子..癸亥, 月 may follow"},
    {"ganzhi-day", DayList::GanzhiDay, false, true, "NAME is 甲子..癸亥, 日 may follow"},
};

// Item number 1.. of a list value, 0 when the value names no item.
int listItemNumber(const ConditionOption& option, std::string_view value) {
    const std::vector<std::string> items = dayListItems(option.list);
    const int count = static_cast<int>(items.size());
    if (option.numbers) {
        const TypedNumber number = parseTypedNumber(value, 1, count);
        if (number.ok) return number.value;
    }
    for (int i = 0; i < count; ++i) {
        const std::string_view item = items[i];
        if (value == item) return i + 1;
        // The suffixes 年, 月 and 日 are three bytes of UTF-8.
        if (option.suffixOptional && !value.empty() && value == item.substr(0, item.size() - 3))
            return i + 1;
    }
    return 0;
}

std::string progressBar(double percent) {
    constexpr int Width = 30;
    const int done = std::clamp(static_cast<int>(percent / 100 * Width), 0, Width);
    char number[16];
    std::snprintf(number, sizeof number, "%6.2f%%", percent);
    std::string bar = "[";
    bar.append(done, '#').append(Width - done, '.').append("] ").append(number);
    return bar;
}

// Runs a validated search with the terminal's progress bar and the Ctrl-C flag.
CliOutput runValidatedSearch(const SearchSettings& settings, SearchKind kind,
                             const SearchStart& start, const DayConditions& conditions,
                             const CliEnvironment& env) {
    SearchHooks hooks;
    const bool showProgress = env.stderrIsTerminal && env.progress != nullptr;
    if (showProgress) {
        hooks.progress = [&env](std::string_view, double percent) {
            env.progress(progressBar(percent));
        };
    }
    hooks.stopRequested = [&env] { return env.stopRequested != nullptr && *env.stopRequested; };
    const auto result =
        runSearch(settings, kind, start.startYear, start.range, start.leapMonth, conditions, hooks, "\n");
    if (showProgress) env.progress("");
    if (!result) return {ExitInterrupted, "", "tavomerix: interrupted\n"};
    return printed(result->text);
}

}  // namespace

CliOutput runSearchCommand(const CliRequest& request, const CliEnvironment& env) {
    const std::string& kindText = request.args[0];
    const SearchKindName* kindName = nullptr;
    for (const SearchKindName& k : SearchKindNames) {
        if (k.name == kindText) kindName = &k;
    }
    if (kindName == nullptr) {
        return usageError("bad search '" + kindText + "' (KIND is leap, big3, small3, big4 or days)");
    }
    const SearchKind kind = kindName->kind;
    const int minYear = toolMinYear();
    const TypedNumber start = parseTypedNumber(request.args[1], minYear, LastSearchYear);
    if (!start.ok) {
        return usageError("bad start year '" + request.args[1] + "' (START is an astronomical year, " +
                          std::to_string(minYear) + "..5000)");
    }
    const TypedNumber range = parseTypedNumber(request.args[2], 1, 1000000000);
    if (!range.ok || request.args[2][0] == '+' || request.args[2][0] == '-') {
        return usageError("bad range '" + request.args[2] + "' (RANGE is a number of years, 1 or more)");
    }

    SearchFields fields;
    fields.bc = start.value <= 0;
    fields.startText = std::to_string(fields.bc ? 1 - start.value : start.value);
    fields.rangeText = std::to_string(range.value);
    if (const std::string* leap = request.value("leap-month")) {
        if (kind != SearchKind::LeapMonths) {
            return usageError("option '--leap-month' applies to 'search leap' only");
        }
        const TypedNumber month = parseTypedNumber(*leap, 1, 12);
        if (!month.ok) return usageError("bad --leap-month '" + *leap + "' (N is 1..12)");
        fields.leapFilterText = std::to_string(month.value);
    }
    DayConditions conditions;
    for (const ConditionOption& option : ConditionOptions) {
        const std::string* value = request.value(option.option);
        if (value == nullptr) continue;
        if (kind != SearchKind::Days) {
            return usageError("option '--" + std::string(option.option) +
                              "' applies to 'search days' only");
        }
        const int item = listItemNumber(option, *value);
        if (item == 0) {
            return usageError("bad --" + std::string(option.option) + " '" + *value + "' (" +
                              std::string(option.allowed) + ")");
        }
        conditions[option.list] = item;
    }
    if (kind == SearchKind::Days && !anyCondition(conditions)) {
        return usageError("'search days' needs at least one condition (see tavomerix --help)");
    }

    const SearchStart validated = validateSearch(kind, fields, minYear, conditions);
    if (!validated.start) return usageError("nothing to search");  // not reached: checked above
    const SearchSettings settings{request.calendar(), ganzhiYearStartOf(request)};
    CliOutput output = runValidatedSearch(settings, kind, validated, conditions, env);
    if (output.exitCode == ExitOk && validated.range != range.value) {
        output.err = "tavomerix: range shortened to " + std::to_string(validated.range) +
                     (validated.range == 1 ? " year" : " years") + "\n";
    }
    return output;
}

CliOutput runCalc(const CliRequest& request, const CliEnvironment&) {
    struct ModeName {
        std::string_view name;
        CalculatorMode mode;
    };
    constexpr ModeName Modes[] = {
        {"jd", CalculatorMode::JulianDay},
        {"interval", CalculatorMode::Interval},
        {"ganzhi", CalculatorMode::Ganzhi},
        {"convert", CalculatorMode::Convert},
    };
    const std::string& modeText = request.args[0];
    const ModeName* mode = nullptr;
    for (const ModeName& m : Modes) {
        if (m.name == modeText) mode = &m;
    }
    if (mode == nullptr) {
        return usageError("bad calculation '" + modeText +
                          "' (MODE is jd, interval, ganzhi or convert)");
    }
    const bool interval = mode->mode == CalculatorMode::Interval;
    const size_t dates = interval ? 3 : 2;
    if (request.args.size() != dates) {
        return usageError(interval ? "'calc interval' takes two dates DATE DATE2"
                                   : "'calc " + modeText + "' takes one date DATE");
    }
    if (!interval && (request.flag("bc2") || request.flag("lunar2"))) {
        return usageError("options '--bc2' and '--lunar2' apply to 'calc interval' only");
    }
    const CalculatorInput first{request.args[1], request.flag("bc"), request.flag("lunar")};
    const CalculatorInput second =
        interval ? CalculatorInput{request.args[2], request.flag("bc2"), request.flag("lunar2")}
                 : CalculatorInput{};
    const int minYear = toolMinYear();
    const std::string result = calculatorResult(
        {request.calendar(), minYear, ganzhiYearStartOf(request)}, mode->mode, first, second);
    if (result.empty()) {
        std::string dateList = "'" + first.text + "'";
        if (interval) dateList += " '" + second.text + "'";
        return usageError("no result for " + dateList +
                          " (DATE is MM-DD-YYYY of a day that exists, years " +
                          std::to_string(1 - minYear) +
                          " BC..5000 with --bc for BC years; a lunar month 13..24 is a leap month)");
    }
    return printed(result);
}

}  // namespace tavomerix
