#include "cli/cli.h"

#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "tavomerix_version.h"

namespace tavomerix {

namespace {

using Handler = CliOutput (*)(const CliRequest&, const CliEnvironment&);

struct OptionSpec {
    std::string_view name;
    std::string_view valueName;  // "" for a flag
    std::string_view summary;
};

// Options that every command takes.
constexpr OptionSpec GlobalOptions[] = {
    {"tz", "N", "time zone in hours east of Greenwich, -12..12 [8]"},
    {"modern", "", "modern astronomy for ancient years too"},
    {"help", "", "this text"},
    {"version", "", "the program's version"},
};

constexpr OptionSpec CommandOptions[] = {
    {"lunar", "", "DATE is a lunar date (month 13..24 for a leap month)"},
    {"lichun", "", "sexagenary year and months start at 立春"},
    {"era", "", "name the lunar year by its era (104 BC..1911)"},
    {"hijri", "", "show the Hijri date instead of the festivals"},
    {"days", "FILE", "commemoration days: lines of L|S, MM-DD, a tab and the stored value"},
    {"leap-month", "N", "search leap: only leap months following month N, 1..12"},
    {"civil-month", "N", "search days: civil month 1..12"},
    {"civil-day", "N", "search days: civil day 1..31"},
    {"weekday", "NAME", "search days: 星期一..星期日"},
    {"term", "NAME", "search days: the solar term falling on the day, 小寒..冬至"},
    {"festival", "NAME", "search days: 复活节, 母亲节, 父亲节 or 感恩节"},
    {"lunar-month", "CODE", "search days: lunar month 1..24 (13..24 leap) or its name, 闰四月"},
    {"lunar-day", "N", "search days: lunar day 1..30 or 初一..三十"},
    {"ganzhi-year", "NAME", "search days: sexagenary year 甲子..癸亥 (年 may follow)"},
    {"ganzhi-month", "NAME", "search days: sexagenary month 甲子..癸亥 (月 may follow)"},
    {"ganzhi-day", "NAME", "search days: sexagenary day 甲子..癸亥 (日 may follow)"},
    {"bc", "", "calc: the year of DATE is BC (YYYY = 1 - astronomical year)"},
    {"bc2", "", "calc interval: the year of DATE2 is BC"},
    {"lunar2", "", "calc interval: DATE2 is a lunar date"},
    {"festivals", "", "ics: the festivals of the day view"},
    {"terms", "", "ics: the 24 solar terms (times in UTC)"},
    {"moons", "", "ics: new and full moons (times in UTC)"},
    {"widget-days", "", "ics: the widget's commemoration days (Windows only)"},
    {"from", "YEAR", "ics: first civil year, 1583..9000 [this year]"},
    {"years", "N", "ics: number of years, 1..200 [10]"},
    {"output", "FILE", "ics: write to FILE instead of standard output"},
    {"o", "FILE", "ics: the same as --output"},
};

struct CommandSpec {
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;
    int minArgs, maxArgs;
    std::array<std::string_view, 12> options;
    Handler handler;
};

const CommandSpec Commands[] = {
    {"jd", "DATE", "Julian Day number of a civil date", 1, 1, {}, runJd},
    {"terms", "YEAR", "solar terms of a civil year", 1, 1, {}, runTerms},
    {"moons", "YEAR", "new and full moons of a civil year", 1, 1, {}, runMoons},
    {"months", "YEAR", "months of a lunar year with their civil dates", 1, 1, {}, runMonths},
    {"records", "FIRST [LAST]", "lunar year records, one line per year", 1, 2, {}, runRecords},
    {"convert", "DATE", "civil date to lunar (month field = MonthCode), or back with --lunar", 1, 1,
     {"lunar"}, runConvert},
    {"ganzhi", "DATE", "sexagenary year, month and day", 1, 1, {"lichun", "lunar"}, runGanzhi},
    {"interval", "DATE1 DATE2", "days between two civil dates", 2, 2, {}, runInterval},
    {"day", "[DATE]", "the widget's day view (today without DATE)", 0, 1,
     {"lunar", "lichun", "era", "hijri", "days"}, runDay},
    {"cal", "[YEAR [MONTH]]", "month calendar with lunar days and solar terms", 0, 2, {}, runCal},
    {"search", "KIND START RANGE",
     "leap months (leap), runs of months (big3, small3, big4) or days (days, up to 100 "
     "years) in RANGE years from START (-100..5000)",
     3, 3,
     {"leap-month", "civil-month", "civil-day", "weekday", "term", "festival", "lunar-month",
      "lunar-day", "ganzhi-year", "ganzhi-month", "ganzhi-day", "lichun"},
     runSearchCommand},
    {"calc", "MODE DATE [DATE2]",
     "jd, interval (DATE to DATE2), ganzhi or convert of MM-DD-YYYY dates, years 101 BC "
     "(--bc) to 5000",
     2, 3,
     {"bc", "lunar", "bc2", "lunar2", "lichun"}, runCalc},
    {"ics", "", "iCalendar file of commemoration days, festivals, terms and moons", 0, 0,
     {"days", "widget-days", "festivals", "terms", "moons", "from", "years", "output", "o"}, runIcs},
};

const CommandSpec* findCommand(std::string_view name) {
    for (const CommandSpec& c : Commands) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

const OptionSpec* findOption(std::string_view name) {
    for (const OptionSpec& o : GlobalOptions) {
        if (o.name == name) return &o;
    }
    for (const OptionSpec& o : CommandOptions) {
        if (o.name == name) return &o;
    }
    return nullptr;
}

bool commandTakes(const CommandSpec& command, std::string_view option) {
    for (const OptionSpec& o : GlobalOptions) {
        if (o.name == option) return true;
    }
    return std::find(command.options.begin(), command.options.end(), option) !=
           command.options.end();
}

bool isOption(std::string_view arg) {
    // "-" followed by a digit is a negative number, not an option.
    return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

// The command run when none is named.
constexpr std::string_view DefaultCommand = "day";
constexpr std::string_view DefaultSummary = "today's day view";

}  // namespace

bool CliRequest::flag(std::string_view name) const {
    const auto it = flags.find(std::string(name));
    return it != flags.end() && it->second;
}

const std::string* CliRequest::value(std::string_view name) const {
    const auto it = values.find(std::string(name));
    return it == values.end() ? nullptr : &it->second;
}

CalendarContext CliRequest::context() const {
    CalendarContext context;
    context.timeZoneHours = timeZoneHours;
    context.regime = modern ? Regime::Modern : Regime::Historical;
    return context;
}

const LunarCalendar& CliRequest::calendar() const { return LunarCalendar::shared(context()); }

TypedNumber parseTypedNumber(std::string_view text, int low, int high) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+')) i = 1;
    if (i == text.size()) return {};
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return {};
        value = value * 10 + (text[i] - '0');
        if (value > 1000000000LL) return {};  // far outside any range we take
    }
    if (negative) value = -value;
    if (value < low || value > high) return {};
    return {true, static_cast<int>(value)};
}

TypedDate parseTypedDate(std::string_view text) {
    // Y-M-D: an optional "-" before the year, then three groups of digits.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view body = negative ? text.substr(1) : text;
    const size_t first = body.find('-');
    if (first == std::string_view::npos) return {};
    const size_t second = body.find('-', first + 1);
    if (second == std::string_view::npos) return {};
    const TypedNumber year = parseTypedNumber(body.substr(0, first), 0, 99999);
    const TypedNumber month = parseTypedNumber(body.substr(first + 1, second - first - 1), 0, 99);
    const TypedNumber day = parseTypedNumber(body.substr(second + 1), 0, 99);
    const auto digitsOnly = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!year.ok || !month.ok || !day.ok || !digitsOnly(body.substr(0, first)) ||
        !digitsOnly(body.substr(first + 1, second - first - 1)) ||
        !digitsOnly(body.substr(second + 1))) {
        return {};
    }
    return {true, negative ? -year.value : year.value, month.value, day.value};
}

// One usage line: the head padded to a column, then the summary.
void appendUsageLine(std::string& text, std::string_view head, std::string_view summary) {
    text.append("  ").append(head);
    text.append(head.size() < 24 ? 24 - head.size() : 1, ' ');
    text.append(summary).append("\n");
}

std::string optionHead(const OptionSpec& o) {
    std::string head(o.name.size() == 1 ? "-" : "--");
    head.append(o.name);
    if (!o.valueName.empty()) head.append(" ").append(o.valueName);
    return head;
}

std::string usageText() {
    std::string text = "usage: tavomerix <command> [options] [args]\n";
    text.append("  (no command: ").append(DefaultSummary).append(")\n");
    for (const CommandSpec& c : Commands) {
        std::string head(c.name);
        head.append(" ").append(c.arguments);
        std::string summary(c.summary);
        std::string extra;
        for (std::string_view o : c.options) {
            if (o.empty()) continue;
            extra.append(extra.empty() ? "" : " ").append(optionHead(*findOption(o)));
        }
        if (!extra.empty()) summary.append(" [").append(extra).append("]");
        appendUsageLine(text, head, summary);
    }
    text.append("options:\n");
    for (const OptionSpec& o : GlobalOptions) appendUsageLine(text, optionHead(o), o.summary);
    for (const OptionSpec& o : CommandOptions) appendUsageLine(text, optionHead(o), o.summary);
    text.append("DATE is Y-M-D with an astronomical year (0 = 1 BC, -103 = 104 BC); YEAR is astronomical.\n");
    return text;
}

CliParse parseCommandLine(const std::vector<std::string>& argv) {
    CliParse parse;
    CliRequest& r = parse.request;
    std::vector<std::pair<std::string, std::string>> options;  // name, value
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (!isOption(arg)) {
            if (r.command.empty()) {
                r.command = arg;
            } else {
                r.args.push_back(arg);
            }
            continue;
        }
        std::string name = arg.substr(arg.rfind('-', 1) == 1 ? 2 : 1);
        std::string value;
        const size_t eq = name.find('=');
        const bool inlineValue = eq != std::string::npos;
        if (inlineValue) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const OptionSpec* spec = findOption(name);
        if (!spec) {
            parse.error = usageError("unknown option '" + arg + "' (see tavomerix --help)");
            return parse;
        }
        if (!spec->valueName.empty() && !inlineValue) {
            if (i + 1 >= argv.size()) {
                parse.error = usageError("option '--" + name + "' needs a value " +
                                         std::string(spec->valueName));
                return parse;
            }
            value = argv[++i];
        } else if (spec->valueName.empty() && inlineValue) {
            parse.error = usageError("option '--" + name + "' takes no value");
            return parse;
        }
        options.emplace_back(name, value);
    }
    if (r.command.empty()) {
        // No command: the day view of today.
        r.command = DefaultCommand;
    }
    for (const auto& [name, value] : options) {
        if (name == "help") r.help = true;
        if (name == "version") r.version = true;
    }
    if (r.help || r.version) {
        parse.ok = true;
        return parse;
    }
    const CommandSpec* command = findCommand(r.command);
    if (!command) {
        parse.error = usageError("unknown command '" + r.command + "' (see tavomerix --help)");
        return parse;
    }
    for (const auto& [name, value] : options) {
        if (!commandTakes(*command, name)) {
            parse.error = usageError("option '--" + name + "' does not apply to '" + r.command + "'");
            return parse;
        }
        if (name == "tz") {
            const TypedNumber zone = parseTypedNumber(value, -12, 12);
            if (!zone.ok) {
                parse.error = usageError("bad time zone '" + value + "' (--tz takes a whole number of hours, -12..12)");
                return parse;
            }
            r.timeZoneHours = zone.value;
        } else if (name == "modern") {
            r.modern = true;
        } else if (findOption(name)->valueName.empty()) {
            r.flags[name] = true;
        } else {
            r.values[name] = value;
        }
    }
    const int count = static_cast<int>(r.args.size());
    if (count < command->minArgs || count > command->maxArgs) {
        parse.error = usageError("'" + r.command + "' takes " + std::string(command->arguments) +
                                 " (see tavomerix --help)");
        return parse;
    }
    parse.ok = true;
    return parse;
}

CliOutput runCli(const std::vector<std::string>& argv, const CliEnvironment& env) {
    const CliParse parse = parseCommandLine(argv);
    if (!parse.ok) return parse.error;
    const CliRequest& r = parse.request;
    if (r.help) return {ExitOk, usageText(), ""};
    if (r.version) return {ExitOk, std::string("tavomerix ") + TAVOMERIX_VERSION + "\n", ""};
    return findCommand(r.command)->handler(r, env);
}

CliOutput printed(std::string text) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    return {ExitOk, std::move(text), ""};
}

CliOutput usageError(std::string_view message) {
    return {ExitUsage, "", "tavomerix: " + std::string(message) + "\n"};
}

}  // namespace tavomerix
