#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "dayinfo/day_facts.h"
#include "dayinfo/festivals.h"
#include "dayinfo/names.h"
#include "tools/calculator.h"
#include "tools/search.h"

namespace tavomerix {

namespace {

// Earliest year of the tools: that of the default civil-year range (101 BC).
int toolMinYear() { return minYearForArea(StoredSettings{}.SolarYearAreaValue); }

struct SearchKindName {
    std::string_view name;
    SearchKind kind;
};
constexpr SearchKindName SearchKindNames[] = {
    {"leap", SearchKind::LeapMonths},
    {"big3", SearchKind::ThreeLongMonths},
    {"small3", SearchKind::ThreeShortMonths},
    {"big4", SearchKind::FourLongMonths},
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
    {"lunar-month", DayList::LunarMonth, true, false,
     "MONTH is 1..12, 正月..腊月 (十一月 = 冬月, 十二月 = 腊月), a leap month as 闰四月 or 13..24"},
    {"lunar-day", DayList::LunarDay, true, false, "N is 1..30 or 初一..三十"},
    {"ganzhi-year", DayList::GanzhiYear, false, true, "NAME is 甲子..癸亥, 年 may follow"},
    {"ganzhi-month", DayList::GanzhiMonth, false, true, "NAME is 甲子..癸亥, 月 may follow"},
    {"ganzhi-day", DayList::GanzhiDay, false, true, "NAME is 甲子..癸亥, 日 may follow"},
};

// A lunar month as the list names it: 一月, 十一月 and 十二月 (also after 闰) as 正月, 冬月
// and 腊月.
std::string listLunarMonthName(std::string_view value) {
    constexpr std::string_view Leap = "闰";
    const bool leap = value.rfind(Leap, 0) == 0;
    std::string_view month = leap ? value.substr(Leap.size()) : value;
    if (month == "一月") month = "正月";
    if (month == "十一月") month = "冬月";
    if (month == "十二月") month = "腊月";
    return (leap ? std::string(Leap) : std::string()) + std::string(month);
}

// Every festival the festival line can show, for --festival.
std::vector<std::string_view> festivalNames() {
    std::vector<std::string_view> names;
    for (const SolarFestival& f : SolarFestivalTable) names.push_back(f.text);
    names.push_back(HongKongReturnName);
    for (const FloatingFestival& f : FloatingFestivals) names.push_back(f.text);
    for (const LunarFestival& f : LunarFestivalTable) names.push_back(f.text);
    names.push_back("小年");
    names.push_back("除夕");
    return names;
}

// Item number 1.. of a list value, 0 when the value names no item.
int listItemNumber(const ConditionOption& option, std::string_view typed) {
    const std::string value =
        option.list == DayList::LunarMonth ? listLunarMonthName(typed) : std::string(typed);
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

// A progress bar on a terminal, shown whenever its text changes.
struct SearchProgress {
    const CliEnvironment& env;
    std::string shown;

    void reached(double percent) {
        if (!env.stderrIsTerminal || env.progress == nullptr) return;
        std::string bar = progressBar(percent);
        if (bar == shown) return;
        shown = std::move(bar);
        env.progress(shown);
    }
    void clear() {
        if (env.stderrIsTerminal && env.progress != nullptr) env.progress("");
    }
    bool stopped() const { return env.stopRequested != nullptr && *env.stopRequested; }
};

// Writes the matches of a search one by one in the request's format.
struct MatchWriter {
    const CliRequest& request;
    const CliEnvironment& env;
    JsonArrayWriter json;
    int count = 0;

    MatchWriter(const CliRequest& r, const CliEnvironment& e) : request(r), env(e), json(e) {}

    // Writes the header of a table; false once the output failed.
    bool begin(std::string_view tsvHeader) {
        return request.format != OutputFormat::Tsv || emitLine(env, tsvHeader);
    }
    bool add(const std::string& text, const std::string& tsv, const nlohmann::json& item) {
        ++count;
        switch (request.format) {
            case OutputFormat::Json:
                return json.add(item);
            case OutputFormat::Tsv:
                return emitLine(env, tsv);
            case OutputFormat::Text:
                break;
        }
        return emitLine(env, text);
    }
    void finish() {
        if (request.format == OutputFormat::Json) json.finish();
    }
};

constexpr std::string_view Interrupted = "tavomerix: interrupted\n";

// Leap months of lunar years from start on, those after month `filter` only (0 = any).
CliOutput leapSearch(const LunarCalendar& calendar, int start, int range, int filter,
                     MatchWriter& out) {
    SearchProgress progress{out.env, {}};
    if (!out.begin(MonthTsvHeader)) return {};
    for (int y = start; y < start + range; ++y) {
        const LunarMonthSpan span = leapMonthSpan(calendar, y);
        if (span.sizedMonthCode != 0 && (filter == 0 || filter == calendar.leapMonth(y))) {
            if (!out.add(monthText(span), monthTsv(span), monthJson(span))) return {};
        }
        progress.reached(100.0 * (y - start) / range);
        if (progress.stopped()) return {ExitInterrupted, "", std::string(Interrupted)};
    }
    progress.clear();
    out.finish();
    return {};
}

// Runs of `length` long (or short) months, each month counted in one run only.
CliOutput monthRuns(const LunarCalendar& calendar, int start, int range, int length, bool wantLong,
                    MatchWriter& out) {
    SearchProgress progress{out.env, {}};
    if (!out.begin("run\t" + std::string(MonthTsvHeader))) return {};
    std::vector<LunarMonthSpan> run;
    for (int y = start; y < start + range; ++y) {
        for (int sequence = 1; sequence <= 13; ++sequence) {
            const int code = calendar.monthAtSequence(y, sequence);
            if (code == 0) break;
            if ((code > 24) != wantLong) {
                run.clear();
                continue;
            }
            run.push_back(lunarMonthSpan(calendar, y, code));
            if (static_cast<int>(run.size()) < length) continue;
            const std::string number = std::to_string(out.count + 1);
            std::string text = isoDate(run.front().first) + " ～ " + isoDate(run.back().last);
            std::string tsv;
            nlohmann::json months = nlohmann::json::array();
            for (const LunarMonthSpan& m : run) {
                text += "  " + lunarMonthCompactText(m.year, monthCodeOf(m.sizedMonthCode)) + " " +
                        lunarMonthText(m.sizedMonthCode);
                tsv += (tsv.empty() ? "" : "\n") + number + "\t" + monthTsv(m);
                months.push_back(monthJson(m));
            }
            const nlohmann::json item = {{"run", out.count + 1},
                                         {"first_day", civilJson(run.front().first)},
                                         {"last_day", civilJson(run.back().last)},
                                         {"months", months}};
            if (!out.add(text, tsv, item)) return {};
            run.clear();
        }
        progress.reached(100.0 * (y - start) / range);
        if (progress.stopped()) return {ExitInterrupted, "", std::string(Interrupted)};
    }
    progress.clear();
    out.finish();
    return {};
}

// One found day of `search days` in the three formats.
struct DayMatch {
    std::string text, tsv;
    nlohmann::json json;
};

DayMatch dayMatch(const DayFacts& facts, GanzhiYearStart start, const LunarCalendar& calendar) {
    const CivilDate& c = facts.civil.date;
    const SexagenaryDay& numbers = facts.ganzhi(start);
    const std::string ganzhi = ganzhiTextOfNumbers(numbers.year, numbers.month, numbers.day);
    const std::string festivals = festivalLineOf(facts.festivals);
    const std::string weekday(weekdayNameOfDay(facts.civil.dayNumber));
    const int term = facts.termOnDay();
    const std::string termName(solarTermName(term));
    const std::string termInstant =
        term != 0 ? isoInstant(facts.nextTerm.instant, calendar.context().timeZoneHours) : "";
    const std::string lunar = lunarCompactText(facts.lunar);
    DayMatch match;
    match.text = isoDate(c) + "  " + lunar + "  " + weekday;
    if (term != 0)
        match.text += "  " + termName + " " + termInstant.substr(termInstant.find('T') + 1, 8);
    if (!festivals.empty()) match.text += "  " + festivals;
    match.text += "  " + ganzhi;
    match.tsv = isoDate(c) + "\t" + lunar + "\t" + weekday + "\t" + termName + "\t" + termInstant +
                "\t" + festivals + "\t" + ganzhi;
    match.json = {
        {"civil", civilJson(facts.civil)},
        {"lunar", lunarJson(facts.lunar)},
        {"weekday", weekday},
        {"term",
         term != 0 ? nlohmann::json{{"number", term}, {"name", termName}, {"instant", termInstant}}
                   : nlohmann::json(nullptr)},
        {"festivals", festivalsJson(facts.festivals)},
        {"ganzhi",
         {{"text", ganzhi},
          {"year", numbers.year},
          {"month", numbers.month},
          {"day", numbers.day}}},
    };
    return match;
}

// Days of the civil years from start on that meet the conditions and, when `festival` is
// not empty, show that festival on their festival line.
CliOutput daySearch(const SearchSettings& settings, int start, int range,
                    const DayConditions& conditions, std::string_view festival, MatchWriter& out) {
    SearchProgress progress{out.env, {}};
    if (!out.begin("date\tlunar\tweekday\tterm\tterm_instant\tfestivals\tganzhi")) return {};
    const LunarCalendar& calendar = settings.calendar;
    const int first = julianDayNumber(start, 1, 1);
    const int last = julianDayNumber(start + range - 1, 12, 31);
    const bool anyList = anyCondition(conditions);
    SearchYearData data{};
    data.year = start - 1;
    for (int n = first; n <= last; ++n) {
        const CivilDate c = civilDateFromDayNumber(n);
        if (c.year != data.year) {
            calendar.prefetch(c.year - 1, c.year);
            data = searchYearData(calendar, c.year, settings.ganzhiYearStart);
        }
        progress.reached(100.0 * (n - first) / std::max(1, last - first));
        if (progress.stopped()) return {ExitInterrupted, "", std::string(Interrupted)};
        if (anyList && !dayMeetsConditions(conditions, data, n)) continue;
        const DayFacts facts = dayFacts(calendar, CivilDay(c, n), nullptr);
        if (!festival.empty() && !hasFestival(facts.festivals, festival)) continue;
        const DayMatch match = dayMatch(facts, settings.ganzhiYearStart, calendar);
        if (!out.add(match.text, match.tsv, match.json)) return {};
    }
    progress.clear();
    out.finish();
    return {};
}

// What `search` is asked for: the kind, the window's fields, the day conditions and the
// festival; a usage error when an argument or option is bad.
struct SearchArguments {
    bool ok = false;
    SearchKind kind = SearchKind::LeapMonths;
    SearchFields fields;
    int typedRange = 0;
    DayConditions conditions;
    std::string festival;  // "" for none
    CliOutput error;
};

// KIND, START and RANGE into the fields; false with a usage error in `search`.
bool readSearchYears(const CliRequest& request, SearchArguments& search) {
    const std::string& kindText = request.args[0];
    const auto kindName =
        std::find_if(std::begin(SearchKindNames), std::end(SearchKindNames),
                     [&kindText](const SearchKindName& k) { return k.name == kindText; });
    if (kindName == std::end(SearchKindNames)) {
        search.error = usageError("bad search " + quotedArg(kindText) +
                                  " (KIND is leap, big3, small3, big4 or days)");
        return false;
    }
    search.kind = kindName->kind;
    const int minYear = toolMinYear();
    const TypedNumber start = parseTypedNumber(request.args[1], minYear, LastSearchYear);
    if (!start.ok) {
        search.error =
            usageError("bad start year " + quotedArg(request.args[1]) +
                       " (START is an astronomical year, " + std::to_string(minYear) + "..5000)");
        return false;
    }
    const TypedNumber range = parseTypedNumber(request.args[2], 1, 1000000000);
    if (!range.ok || request.args[2][0] == '+' || request.args[2][0] == '-') {
        search.error = usageError("bad range " + quotedArg(request.args[2]) +
                                  " (RANGE is a number of years, 1 or more)");
        return false;
    }
    search.fields.bc = start.value <= 0;
    search.fields.startText = std::to_string(search.fields.bc ? 1 - start.value : start.value);
    search.fields.rangeText = std::to_string(range.value);
    search.typedRange = range.value;
    return true;
}

// --leap-month into the fields; "" when sound, else the usage error's message.
std::string readLeapFilter(const CliRequest& request, SearchArguments& search) {
    const std::string* leap = request.value("leap-month");
    if (leap == nullptr) return "";
    if (search.kind != SearchKind::LeapMonths) {
        return "option '--leap-month' applies to 'search leap' only";
    }
    const TypedNumber month = parseTypedNumber(*leap, 1, 12);
    if (!month.ok) return "bad --leap-month " + quotedArg(*leap) + " (N is 1..12)";
    search.fields.leapFilterText = std::to_string(month.value);
    return "";
}

// The condition options into the day conditions; "" when sound, else the message.
std::string readConditions(const CliRequest& request, SearchArguments& search) {
    for (const ConditionOption& option : ConditionOptions) {
        const std::string* value = request.value(option.option);
        if (value == nullptr) continue;
        if (search.kind != SearchKind::Days) {
            return "option '--" + std::string(option.option) + "' applies to 'search days' only";
        }
        const int item = listItemNumber(option, *value);
        if (item == 0) {
            return "bad --" + std::string(option.option) + " " + quotedArg(*value) + " (" +
                   std::string(option.allowed) + ")";
        }
        search.conditions[option.list] = item;
    }
    return "";
}

// --festival; "" when sound, else the message.
std::string readFestival(const CliRequest& request, SearchArguments& search) {
    const std::string* value = request.value("festival");
    if (value == nullptr) return "";
    if (search.kind != SearchKind::Days) return "option '--festival' applies to 'search days' only";
    const std::vector<std::string_view> names = festivalNames();
    if (std::find(names.begin(), names.end(), *value) == names.end()) {
        return "bad --festival " + quotedArg(*value) +
               " (NAME is a festival of the festival line: 春节, 元宵节, 端午节, 中秋节, "
               "除夕, 元旦节, 国庆节, 母亲节, ...)";
    }
    search.festival = *value;
    return "";
}

SearchArguments searchArguments(const CliRequest& request) {
    SearchArguments search;
    if (!readSearchYears(request, search)) return search;
    for (const auto read : {readLeapFilter, readConditions, readFestival}) {
        const std::string fault = read(request, search);
        if (!fault.empty()) {
            search.error = usageError(fault);
            return search;
        }
    }
    if (search.kind == SearchKind::Days && !anyCondition(search.conditions) &&
        search.festival.empty()) {
        search.error =
            usageError("'search days' needs at least one condition (see tavomerix help search)");
        return search;
    }
    search.ok = true;
    return search;
}

// Runs the validated search of its kind.
CliOutput runSearchKind(const SearchSettings& settings, const SearchArguments& search,
                        const SearchStart& validated, MatchWriter& out) {
    switch (search.kind) {
        case SearchKind::LeapMonths:
            return leapSearch(settings.calendar, validated.startYear, validated.range,
                              validated.leapMonth, out);
        case SearchKind::ThreeLongMonths:
        case SearchKind::ThreeShortMonths:
        case SearchKind::FourLongMonths:
            return monthRuns(settings.calendar, validated.startYear, validated.range,
                             search.kind == SearchKind::FourLongMonths ? 4 : 3,
                             search.kind != SearchKind::ThreeShortMonths, out);
        case SearchKind::Days:
            return daySearch(settings, validated.startYear, validated.range, search.conditions,
                             search.festival, out);
    }
    return {};
}

}  // namespace

CliOutput runSearchCommand(const CliRequest& request, const CliEnvironment& env) {
    const SearchArguments search = searchArguments(request);
    if (!search.ok) return search.error;
    // The validation only asks whether a condition is set: a festival is one.
    DayConditions validation = search.conditions;
    if (!search.festival.empty() && !anyCondition(validation)) validation[DayList::CivilMonth] = 1;
    const SearchStart validated =
        validateSearch(search.kind, search.fields, toolMinYear(), validation);
    if (!validated.start) return usageError("nothing to search");  // not reached: checked above
    const SearchSettings settings{request.calendar(), ganzhiYearStartOf(request)};
    MatchWriter out(request, env);
    CliOutput output = runSearchKind(settings, search, validated, out);
    if (output.exitCode == ExitOk && validated.range != search.typedRange) {
        output.err = "tavomerix: range shortened to " + std::to_string(validated.range) +
                     (validated.range == 1 ? " year" : " years") + "\n";
    }
    if (output.exitCode == ExitOk && env.stderrIsTerminal && request.format == OutputFormat::Text) {
        output.err += "tavomerix: " + std::to_string(out.count) +
                      (out.count == 1 ? " match\n" : " matches\n");
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
        return usageError("bad calculation " + quotedArg(modeText) +
                          " (MODE is jd, interval, ganzhi or convert)");
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
        std::string dateList = quotedArg(first.text);
        if (interval) dateList += " " + quotedArg(second.text);
        return usageError(
            "no result for " + dateList + " (DATE is MM-DD-YYYY of a day that exists, years " +
            std::to_string(1 - minYear) +
            " BC..5000 with --bc for BC years; a lunar month 13..24 is a leap month)");
    }
    return printed(result);
}

}  // namespace tavomerix
