#include "cli/cli.h"

#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "dayinfo/date_text.h"
#include "dayinfo/input_messages.h"
#include "dayinfo/quoted_input.h"
#include "tavomerix_version.h"

namespace tavomerix {

namespace {

using Handler = CliOutput (*)(const CliRequest&, const CliEnvironment&);

struct OptionSpec {
    std::string_view name;
    std::string_view valueName;  // "" for a flag
    std::string_view summary;
    char shortName = 0;  // the one-letter form, 0 for none
};

// Options that every command takes.
constexpr OptionSpec GlobalOptions[] = {
    {"tz", "N", "time zone in hours east of Greenwich, -12..12 [8]"},
    {"modern", "", "modern astronomy for ancient years too"},
    {"help", "", "this help; after a command, that command's help", 'h'},
    {"version", "", "the program's version"},
};

constexpr OptionSpec CommandOptions[] = {
    {"format", "FORMAT",
     "text (for people, the default), json or tsv (tab-separated, a header line first)"},
    {"color", "WHEN",
     "colour: auto (on a terminal, unless NO_COLOR is set or TERM=dumb), always or never"},
    {"lunar", "", "DATE is a lunar date: 2025-6-1, leap months as 2025-闰6-1 or 2025-18-1"},
    {"lichun", "", "sexagenary year and months start at 立春"},
    {"era", "", "name the lunar year by its era (104 BC..1911)"},
    {"hijri", "", "show the Hijri date instead of the festivals"},
    {"almanac", "", "the day's almanac (黄历) after the day view"},
    {"hours", "", "the twelve double hours (时辰) after the almanac, one a line"},
    {"early-zi", "",
     "早子时: the day changes at 23:00, and 23:00-24:00 opens the next day's 子 hour"},
    {"late-zi", "",
     "晚子时 (the default): the day changes at midnight, and 23:00-24:00 is a late 子 hour "
     "(晚子) with the next day's 干支 and god"},
    {"longitude", "DEG", "true solar time at a longitude in degrees east, -180..180"},
    {"days", "FILE", "commemoration days: lines of L|S, MM-DD, a tab and the stored value"},
    {"holidays", "FILE",
     "a holiday file whose years add to or replace the built-in arrangements (without it: "
     "$XDG_DATA_HOME/tavomerix/holidays.tsv or ~/.local/share/tavomerix/holidays.tsv, "
     "%APPDATA%\\Tavomerix\\holidays.tsv on Windows, when it exists)"},
    {"check", "FILE", "validate a holiday file instead of showing a year"},
    {"workdays", "", "count the working days from DATE1 up to DATE2, as a payroll counts them"},
    {"three", "", "the previous, this and the next month side by side", '3'},
    {"year", "", "a whole year as a grid of 3 x 4 months", 'y'},
    {"leap-month", "N", "only leap months following month N, 1..12"},
    {"civil-month", "N", "civil month 1..12"},
    {"civil-day", "N", "civil day 1..31"},
    {"weekday", "NAME", "星期一..星期日"},
    {"term", "NAME", "the solar term falling on the day, 小寒..冬至"},
    {"festival", "NAME",
     "a festival the day view shows on its festival line: 春节, 中秋节, 除夕, 国庆节, 母亲节, ..."},
    {"lunar-month", "MONTH",
     "lunar month 1..12 or 正月..腊月 (十一月 = 冬月, 十二月 = 腊月); a leap month as 闰四月 or "
     "13..24"},
    {"lunar-day", "N", "lunar day 1..30 or 初一..三十"},
    {"ganzhi-year", "NAME", "sexagenary year 甲子..癸亥 (年 may follow)"},
    {"ganzhi-month", "NAME", "sexagenary month 甲子..癸亥 (月 may follow)"},
    {"ganzhi-day", "NAME", "sexagenary day 甲子..癸亥 (日 may follow)"},
    {"bc", "", "the year of DATE is BC (YYYY = 1 - astronomical year)"},
    {"bc2", "", "the year of DATE2 is BC"},
    {"lunar2", "", "DATE2 is a lunar date"},
    // The iCalendar export.
    {"festivals", "", "the festivals of the day view"},
    {"terms", "", "the 24 solar terms (times in UTC)"},
    {"moons", "", "new and full moons (times in UTC)"},
    {"from", "YEAR", "first civil year, 1583..9000 [this year]"},
    {"years", "N", "number of years, 1..200 [10]"},
    {"output", "FILE", "write to FILE instead of standard output", 'o'},
    {"widget-days", "", "the commemoration days the widget keeps (Windows only)"},
};

// Options whose meaning one command changes: `ics --holidays` is a flag.
struct CommandOwnOption {
    std::string_view command;
    OptionSpec option;
};
constexpr CommandOwnOption CommandOwnOptions[] = {
    {"ics",
     {"holidays", "",
      "China's public holidays: days off (休) and working weekend days (班), with a user's "
      "holiday file as --holidays FILE elsewhere"}},
};

// Formats a command offers besides text.
constexpr int JsonFormat = 1;
constexpr int TsvFormat = 2;

struct CommandSpec {
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;
    int minArgs, maxArgs;
    std::array<std::string_view, 16> options;
    Handler handler;
    int formats;
    std::string_view example;
};

// clang-format off
const CommandSpec Commands[] = {
    {"day", "[DATE]",
     "The widget's day view, today without DATE. Five lines: the civil date, the lunar "
     "date, the day line, the festival line (empty when there is none) and the season line.",
     0, 1, {"lunar", "lichun", "era", "hijri", "days", "almanac", "holidays", "format"}, runDay,
     JsonFormat,
     "tavomerix day 2024-2-10\ntavomerix day --lunar 2025-闰6-1 --format json\n"
     "tavomerix day 2024-2-10 --almanac"},
    {"almanac", "[DATE]",
     "The day's almanac (黄历), today without DATE. After the date: the day's 干支 and its 纳音, "
     "the day officer (建除) and lunar mansion (二十八宿), the clash (冲) and 煞 direction, the "
     "彭祖百忌, the directions of the gods of joy, fortune and wealth, the day spirit (值神) with "
     "黄道 or 黑道, and the solar term in effect with its pentad (候). Its month is the 节 "
     "month: it begins on the day of 立春, 惊蛰, .. in the time zone and reckoning in force "
     "(a whole-day rule: the day of a 节 belongs wholly to the new month). Then 宜 and 忌, the "
     "auspicious spirits (吉神) and the baleful stars (凶煞), after the rules of 《钦定协纪辨方书》; "
     "with --hours the twelve 时辰: clock hours, 干支 (五鼠遁), the hour's god with 黄道 or 黑道, "
     "and 吉 or 凶.",
     0, 1, {"lunar", "hours", "early-zi", "late-zi", "format"}, runAlmanac, JsonFormat,
     "tavomerix almanac 2024-2-10\ntavomerix almanac 2024-2-10 --hours --early-zi\n"
     "tavomerix almanac -500-3-1 --modern --format json"},
    {"pillars", "DATE TIME",
     "The four pillars (四柱) of a moment: the year, month, day and hour 干支, each with its "
     "纳音, the 节 in force with its instant, and with --longitude the true solar time and "
     "its correction (the longitude against the zone's meridian plus the equation of time). "
     "TIME is HH:MM or HH:MM:SS in the time zone in force. The year changes at the instant of "
     "立春 and the month at the instant of each 节, to the second, unlike the almanac's "
     "whole-day month; the day and hour follow the clock (true solar time with --longitude), "
     "the day changing at midnight or, with --early-zi, at 23:00.",
     2, 2, {"longitude", "early-zi", "late-zi", "format"}, runPillars, JsonFormat,
     "tavomerix pillars 1990-05-17 14:30 --longitude 116.4\n"
     "tavomerix pillars 2024-02-04 16:26:53 --format json"},
    {"convert", "DATE",
     "A civil date as a lunar date, or back with --lunar. The lunar date prints as "
     "2025-闰06-01 (the first day of the leap sixth month), the civil one as 2025-07-25.",
     1, 1, {"lunar", "format"}, runConvert, JsonFormat,
     "tavomerix convert 2025-7-25\ntavomerix convert --lunar 2025-闰6-1"},
    {"ganzhi", "DATE", "The sexagenary (干支) year, month and day of a date.", 1, 1,
     {"lichun", "lunar", "format"}, runGanzhi, JsonFormat, "tavomerix ganzhi 2024-2-4 --lichun"},
    {"jd", "DATE", "The Julian Day number of a civil date.", 1, 1, {"format"}, runJd, JsonFormat,
     "tavomerix jd 2000-1-1"},
    {"interval", "DATE1 DATE2",
     "Days from DATE1 to DATE2: DATE2 - DATE1, negative when DATE2 comes first. With "
     "--workdays, the working days of China from DATE1 up to the day before DATE2, as a "
     "payroll counts them: Monday to Friday and the weekend days made working days, less the "
     "holidays (2024 has 251). A year whose arrangement is not yet published counts its "
     "statutory days and the ordinary week.",
     2, 2, {"workdays", "holidays", "format"}, runInterval, JsonFormat,
     "tavomerix interval 2024-1-1 2025-1-1\ntavomerix interval 2025-1-1 2026-1-1 --workdays"},
    {"terms", "FIRST [LAST]",
     "The solar terms of civil years. FIRST..LAST are -8999..9000; times are local to --tz.",
     1, 2, {"format"}, runTerms, JsonFormat | TsvFormat, "tavomerix terms 2024 --format tsv"},
    {"moons", "FIRST [LAST]",
     "New and full moons of civil years. New moons are 朔日, full moons 望日; FIRST..LAST are "
     "-8999..9000; times are local to --tz.",
     1, 2, {"format"}, runMoons, JsonFormat | TsvFormat, "tavomerix moons 2024"},
    {"months", "FIRST [LAST]",
     "The months of lunar years with their civil dates. FIRST..LAST are -8999..9000. A month "
     "whose new moon falls within 60 s of local midnight is marked with the time of its new "
     "moon (in JSON new_moon_seconds: seconds from that midnight, negative before it): "
     "published tables may start such a month a day apart.",
     1, 2, {"format"}, runMonths, JsonFormat | TsvFormat, "tavomerix months 2025"},
    {"records", "FIRST [LAST]",
     "Lunar year records, one line per year. FIRST..LAST are -9997..9998; a record holds "
     "the twelve month sizes (1 = 30 days), the leap month as a hexadecimal digit (0 = "
     "none) and its size, and the civil month and day of 正月初一.",
     1, 2, {"format"}, runRecords, JsonFormat | TsvFormat, "tavomerix records 2023 2024"},
    {"cal", "[YEAR [MONTH]]",
     "A month calendar with lunar days and solar terms. Under each day stands its solar "
     "term, else the lunar month's name on its first day, else the lunar day; YEAR alone "
     "prints its twelve months, -y them as a grid, -3 three months side by side. China's "
     "days off (休) and working weekend days (班) are marked after the day's number, in "
     "colour instead on a terminal (red 休, blue 班).",
     0, 2, {"three", "year", "color", "holidays", "format"}, runCal, JsonFormat,
     "tavomerix cal -3\ntavomerix cal -y 2025"},
    {"search", "KIND START RANGE",
     "Searches leap months, runs of long or short months, or days. RANGE years from the "
     "year START (-100..5000): leap months (leap), runs of three long, three short or four "
     "long months (big3, small3, big4), or days that meet every condition given (days, up "
     "to 100 years). One line per match.",
     3, 3,
     {"leap-month", "civil-month", "civil-day", "weekday", "term", "festival", "lunar-month",
      "lunar-day", "ganzhi-year", "ganzhi-month", "ganzhi-day", "lichun", "format"},
     runSearchCommand, JsonFormat | TsvFormat,
     "tavomerix search days 2024 10 --festival 中秋节\n"
     "tavomerix search days 2000 50 --lunar-month 闰十一月 --lunar-day 1\n"
     "tavomerix search leap 2000 100 --leap-month 6"},
    {"calc", "MODE DATE [DATE2]",
     "The widget's calculator, as the widget shows it. MODE is jd, interval (DATE to "
     "DATE2), ganzhi or convert of MM-DD-YYYY dates, years 101 BC (--bc) to 5000.",
     2, 3, {"bc", "lunar", "bc2", "lunar2", "lichun"}, runCalc, 0,
     "tavomerix calc convert 02-10-2024"},
    {"ics", "",
     "An iCalendar file (RFC 5545) of lunar anniversaries (--days FILE, or --widget-days on "
     "Windows), festivals (--festivals), solar terms (--terms) and new and full moons "
     "(--moons), China's days off and working weekend days (--holidays), for --years N years "
     "from --from YEAR. Import it into a calendar program; importing it again updates the "
     "same events.",
     0, 0, {"days", "widget-days", "festivals", "terms", "moons", "holidays", "from", "years",
            "output"}, runIcs, 0,
     "tavomerix ics --days my-days.txt --festivals --terms -o lunar.ics\n"
     "tavomerix ics --holidays --years 3 -o cn-holidays.ics"},
    {"holidays", "[YEAR]",
     "China's public holidays of a civil year. For YEAR (2000..9000), each holiday with its days off "
     "(休), its weekend days made working days (班) and its statutory days (法定节假日), and "
     "the address of the State Council's notice. The statutory days follow from the law's "
     "rules for any year; a year whose notice is not out shows them alone, \"arrangement not "
     "yet published\". The built-in notices cover 2007..2026; a holiday file (--holidays "
     "FILE, or the default one) adds or replaces whole years: lines of YYYY-MM-DD, a tab, "
     "the holiday's name, a tab and off or work, every statutory day of a year it gives "
     "listed off. --check FILE validates such a file.",
     0, 1, {"check", "holidays", "format"}, runHolidays, JsonFormat | TsvFormat,
     "tavomerix holidays 2026\ntavomerix holidays --check ~/.local/share/tavomerix/holidays.tsv"},
    {"workday", "[DATE]",
     "Whether a day is a working day in China. DATE is today without it or as 'today'; "
     "prints the day's status (法定节假日, 放假, 调休上班, 工作日 or 周末) and exits 0 for a "
     "working day, 1 for a day off, so that scripts can test it: if tavomerix workday today; "
     "then ...",
     0, 1, {"holidays", "format"}, runWorkday, JsonFormat,
     "tavomerix workday 2026-02-14\ntavomerix workday today"},
};
// clang-format on

constexpr std::string_view DatesNote =
    "DATE is Y-M-D (2024-2-10 or 2024-02-10). Years are astronomical: 0 is 1 BC and "
    "-103 is 104 BC (-0103-02-22 as printed). Civil dates before 1582-10-15 are Julian, from "
    "then on Gregorian. A lunar DATE (--lunar) takes its leap month as 2025-闰6-1 or "
    "2025-18-1 (month 13..24 = the leap month after month - 12). An argument that starts "
    "with '-' and a digit is a value (a negative year or date), never an option, except "
    "'cal -3'; '--' ends the options (cal -- -3 shows the year -3, 4 BC).";

const CommandSpec* findCommand(std::string_view name) {
    for (const CommandSpec& c : Commands) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

const OptionSpec* findOption(std::string_view name, std::string_view command = "") {
    for (const CommandOwnOption& own : CommandOwnOptions) {
        if (own.command == command && own.option.name == name) return &own.option;
    }
    for (const OptionSpec& o : GlobalOptions) {
        if (o.name == name) return &o;
    }
    for (const OptionSpec& o : CommandOptions) {
        if (o.name == name) return &o;
    }
    return nullptr;
}

const OptionSpec* findShortOption(char letter) {
    for (const OptionSpec& o : GlobalOptions) {
        if (o.shortName == letter) return &o;
    }
    for (const OptionSpec& o : CommandOptions) {
        if (o.shortName == letter) return &o;
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

// "-" followed by a digit is a negative number, not an option, unless the command takes
// that digit as an option of its own (cal -3).
bool isOption(std::string_view arg, const CommandSpec* command) {
    if (arg.size() < 2 || arg[0] != '-') return false;
    if (arg[1] < '0' || arg[1] > '9') return true;
    if (arg.size() != 2 || command == nullptr) return false;
    const OptionSpec* option = findShortOption(arg[1]);
    return option != nullptr && commandTakes(*command, option->name);
}

// The command run when none is named.
constexpr std::string_view DefaultCommand = "day";
constexpr std::string_view DefaultSummary = "today's day view";

// Text wrapped into lines of at most Width columns (Chinese characters two columns), each
// line after the first indented by `indent` spaces; the first starts at column `column`.
constexpr int HelpWidth = 79;
std::string wrapped(std::string_view text, int indent, int column) {
    std::string out;
    int at = column;
    bool first = true;
    size_t i = 0;
    while (i < text.size()) {
        const size_t space = std::min(text.find(' ', i), text.size());
        const std::string_view word = text.substr(i, space - i);
        const int width = gbkWidth(word);
        if (!first && at + 1 + width > HelpWidth) {
            out.append("\n").append(static_cast<size_t>(indent), ' ');
            at = indent;
        } else if (!first) {
            out.append(" ");
            ++at;
        }
        out.append(word);
        at += width;
        first = false;
        i = space + 1;
    }
    return out;
}

std::string optionHead(const OptionSpec& o) {
    std::string head;
    if (o.shortName != 0) head.append("-").append(1, o.shortName).append(", ");
    head.append("--").append(o.name);
    if (!o.valueName.empty()) head.append(" ").append(o.valueName);
    return head;
}

// One help line: the head padded to a column, then the summary wrapped beneath it.
constexpr int HelpColumn = 24;
void appendHelpLine(std::string& text, std::string_view head, std::string_view summary) {
    text.append("  ").append(head);
    int column = 2 + gbkWidth(head);
    if (column + 1 > HelpColumn) {
        text.append("\n").append(HelpColumn, ' ');
    } else {
        text.append(static_cast<size_t>(HelpColumn - column), ' ');
    }
    text.append(wrapped(summary, HelpColumn, HelpColumn)).append("\n");
}

// The first sentence of a command's summary, for the list of commands.
std::string_view firstSentence(std::string_view summary) {
    const size_t end = summary.find(". ");
    std::string_view s = end == std::string_view::npos ? summary : summary.substr(0, end);
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    return s;
}

// The options of a command line as typed, in order: the long name and the value ("" for a
// flag).
using TypedOptions = std::vector<std::pair<std::string, std::string>>;

// Reads the option at argv[i] (moving i past a separate value) into `options`; "" when
// sound, else the usage error's message.
std::string readOption(const std::vector<std::string>& argv, size_t& i, const CommandSpec* command,
                       TypedOptions& options) {
    const std::string& arg = argv[i];
    const bool longForm = arg.rfind("--", 0) == 0;
    std::string name = arg.substr(longForm ? 2 : 1);
    std::string value;
    const size_t eq = name.find('=');
    const bool inlineValue = longForm && eq != std::string::npos;
    if (inlineValue) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
    }
    const OptionSpec* spec = longForm           ? findOption(name, command ? command->name : "")
                             : name.size() == 1 ? findShortOption(name[0])
                                                : nullptr;
    if (!spec) return "unknown option " + quotedArg(arg) + " (see tavomerix --help)";
    name = spec->name;
    if (!spec->valueName.empty() && !inlineValue) {
        if (i + 1 >= argv.size()) {
            return "option '--" + name + "' needs a value " + std::string(spec->valueName);
        }
        value = argv[++i];
    } else if (spec->valueName.empty() && inlineValue) {
        return "option '--" + name + "' takes no value";
    }
    options.emplace_back(name, value);
    return "";
}

// Splits argv into the command, its arguments and the typed options; "" when sound, else
// the usage error's message.
std::string splitArguments(const std::vector<std::string>& argv, CliRequest& r,
                           TypedOptions& options) {
    const CommandSpec* command = nullptr;
    bool endOfOptions = false;
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (!endOfOptions && arg == "--") {
            endOfOptions = true;
        } else if (!endOfOptions && isOption(arg, command)) {
            if (std::string fault = readOption(argv, i, command, options); !fault.empty())
                return fault;
        } else if (!r.commandGiven) {
            r.command = arg;
            r.commandGiven = true;
            command = findCommand(arg);
        } else {
            r.args.push_back(arg);
        }
    }
    return "";
}

// `help [COMMAND]` as a help request for that command; "" when sound, else the message.
std::string readHelpRequest(CliRequest& r) {
    if (r.args.size() > 1 || (r.args.size() == 1 && findCommand(r.args[0]) == nullptr)) {
        return "no command " + quotedArg(r.args.back()) + " (see tavomerix --help)";
    }
    r.help = true;
    r.command = r.args.empty() ? "" : r.args[0];
    r.commandGiven = !r.args.empty();
    r.args.clear();
    return "";
}

// The options that set a field of the request, each with its reader: "" when the value
// is sound, else the usage error's message.
using OptionReader = std::string (*)(const CommandSpec&, const std::string&, CliRequest&);

std::string readZone(const CommandSpec&, const std::string& value, CliRequest& r) {
    const TypedNumber zone = parseTypedNumber(value, -12, 12);
    if (!zone.ok) {
        return badTimeZoneMessage(quotedArg(value));
    }
    r.timeZoneHours = zone.value;
    return "";
}

std::string readModern(const CommandSpec&, const std::string&, CliRequest& r) {
    r.modern = true;
    return "";
}

std::string readFormat(const CommandSpec& command, const std::string& value, CliRequest& r) {
    const bool tsv = (command.formats & TsvFormat) != 0;
    if (value == "text") {
        r.format = OutputFormat::Text;
    } else if (value == "json" && (command.formats & JsonFormat) != 0) {
        r.format = OutputFormat::Json;
    } else if (value == "tsv" && tsv) {
        r.format = OutputFormat::Tsv;
    } else {
        return "bad --format " + quotedArg(value) + " ('" + r.command + "' prints text" +
               (tsv ? ", json or tsv)" : " or json)");
    }
    return "";
}

std::string readColour(const CommandSpec&, const std::string& value, CliRequest& r) {
    constexpr std::pair<std::string_view, ColourChoice> Choices[] = {
        {"auto", ColourChoice::Auto},
        {"always", ColourChoice::Always},
        {"never", ColourChoice::Never}};
    for (const auto& [name, choice] : Choices) {
        if (value == name) {
            r.colour = choice;
            return "";
        }
    }
    return "bad --color " + quotedArg(value) + " (WHEN is auto, always or never)";
}

constexpr std::pair<std::string_view, OptionReader> SettingOptions[] = {
    {"tz", readZone}, {"modern", readModern}, {"format", readFormat}, {"color", readColour}};

// Applies the typed options to the request of a command: the settings by their readers,
// every other option as a flag or a value; "" when sound, else the message.
std::string applyOptions(const CommandSpec& command, const TypedOptions& options, CliRequest& r) {
    for (const auto& [name, value] : options) {
        if (!commandTakes(command, name)) {
            return "option '--" + name + "' does not apply to '" + r.command +
                   "' (see tavomerix help " + r.command + ")";
        }
        const std::string& option = name;  // a structured binding cannot be captured in C++20
        const auto setting = std::find_if(std::begin(SettingOptions), std::end(SettingOptions),
                                          [&option](const auto& s) { return s.first == option; });
        if (setting != std::end(SettingOptions)) {
            if (std::string fault = setting->second(command, value, r); !fault.empty())
                return fault;
        } else if (findOption(name, command.name)->valueName.empty()) {
            r.flags[name] = true;
        } else {
            r.values[name] = value;
        }
    }
    if (r.flag("early-zi") && r.flag("late-zi")) {
        return "options '--early-zi' and '--late-zi' exclude each other";
    }
    return "";
}

// "" when the command takes as many arguments as given, else the message.
std::string argumentCountFault(const CommandSpec& command, const CliRequest& r) {
    const int count = static_cast<int>(r.args.size());
    if (count >= command.minArgs && count <= command.maxArgs) return "";
    return "'" + r.command + "' takes " + std::string(command.arguments) + " (see tavomerix help " +
           r.command + ")";
}

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

TypedDate parseTypedLunarDate(std::string_view text) {
    constexpr std::string_view Leap = "闰";
    const size_t mark = text.find(Leap);
    if (mark == std::string_view::npos) return parseTypedDate(text);
    // "闰" right after the year's "-", before the month's digits.
    if (mark == 0 || text[mark - 1] != '-') return {};
    std::string plain(text.substr(0, mark));
    plain.append(text.substr(mark + Leap.size()));
    TypedDate date = parseTypedDate(plain);
    if (!date.ok || date.month < 1 || date.month > 12) return {};
    date.month += 12;
    return date;
}

std::string usageText() {
    std::string text = "usage: tavomerix [COMMAND] [ARGS] [OPTIONS]\n";
    text.append("A perpetual calendar of the Chinese lunisolar calendar, years -8999..9000.\n");
    text.append("Without a command: ").append(DefaultSummary).append(".\n\ncommands:\n");
    for (const CommandSpec& c : Commands) {
        std::string head(c.name);
        head.append(" ").append(c.arguments);
        appendHelpLine(text, head, firstSentence(c.summary));
    }
    appendHelpLine(text, "help [COMMAND]", "A command's options and examples");
    text.append("\noptions of every command:\n");
    for (const OptionSpec& o : GlobalOptions) appendHelpLine(text, optionHead(o), o.summary);
    text.append("\n").append(wrapped(DatesNote, 0, 0)).append("\n");
    text.append("\n")
        .append(wrapped("Errors are one line on standard error; exit status 0 on "
                        "success, 1 when a result cannot be written, 2 for bad "
                        "input, 130 when interrupted. 'tavomerix help COMMAND' "
                        "shows a command's options and examples.",
                        0, 0))
        .append("\n");
    return text;
}

std::string commandHelpText(std::string_view name) {
    const CommandSpec* c = findCommand(name);
    if (c == nullptr) return "";
    std::string text = "usage: tavomerix ";
    text.append(c->name);
    if (!c->arguments.empty()) text.append(" ").append(c->arguments);
    text.append(" [OPTIONS]\n");
    text.append(wrapped(c->summary, 0, 0)).append("\n\noptions:\n");
    for (std::string_view o : c->options) {
        if (o.empty()) continue;
        const OptionSpec& option = *findOption(o, c->name);
        std::string summary(option.summary);
        if (o == "format") {
            summary = c->formats & TsvFormat ? "text (for people, the default), json or tsv "
                                               "(tab-separated, a header line first)"
                                             : "text (for people, the default) or json";
        }
        appendHelpLine(text, optionHead(option), summary);
    }
    for (const OptionSpec& o : GlobalOptions) appendHelpLine(text, optionHead(o), o.summary);
    text.append("\n").append(wrapped(DatesNote, 0, 0)).append("\n\nexample");
    text.append(c->example.find('\n') == std::string_view::npos ? ":\n" : "s:\n");
    std::string_view examples = c->example;
    while (!examples.empty()) {
        const size_t end = std::min(examples.find('\n'), examples.size());
        text.append("  ").append(examples.substr(0, end)).append("\n");
        examples.remove_prefix(std::min(end + 1, examples.size()));
    }
    return text;
}

CliParse parseCommandLine(const std::vector<std::string>& argv) {
    CliParse parse;
    CliRequest& r = parse.request;
    TypedOptions options;
    if (const std::string fault = splitArguments(argv, r, options); !fault.empty()) {
        parse.error = usageError(fault);
        return parse;
    }
    if (!r.commandGiven) r.command = DefaultCommand;
    for (const auto& [name, value] : options) {
        if (name == "help") r.help = true;
        if (name == "version") r.version = true;
    }
    std::string fault;
    if (r.command == "help") {
        fault = readHelpRequest(r);
    } else if (const CommandSpec* command = findCommand(r.command); command == nullptr) {
        if (!r.version || r.help)
            fault = "unknown command " + quotedArg(r.command) + " (see tavomerix --help)";
    } else if (!r.help && !r.version) {
        fault = applyOptions(*command, options, r);
        if (fault.empty()) fault = argumentCountFault(*command, r);
    }
    parse.ok = fault.empty();
    if (!parse.ok) parse.error = usageError(fault);
    return parse;
}

CliOutput runCli(const std::vector<std::string>& argv, const CliEnvironment& env) {
    const CliParse parse = parseCommandLine(argv);
    if (!parse.ok) return parse.error;
    const CliRequest& r = parse.request;
    if (r.help) return {ExitOk, r.commandGiven ? commandHelpText(r.command) : usageText(), ""};
    if (r.version) return {ExitOk, std::string("tavomerix ") + TAVOMERIX_VERSION + "\n", ""};
    const Handler handler = findCommand(r.command)->handler;
    if (env.out != nullptr) return handler(r, env);
    // No sink: what the command streams is collected before its remaining output.
    StringSink sink;
    CliEnvironment collecting = env;
    collecting.out = &sink;
    CliOutput result = handler(r, collecting);
    result.out = sink.text() + result.out;
    return result;
}

CliOutput printed(std::string text) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    return {ExitOk, std::move(text), ""};
}

CliOutput usageError(std::string_view message) {
    return {ExitUsage, "", "tavomerix: " + std::string(message) + "\n"};
}

std::string quotedArg(std::string_view text) { return "'" + quotedInput(text) + "'"; }

bool emitLine(const CliEnvironment& env, std::string_view text) {
    env.out->write(text);
    if (text.empty() || text.back() != '\n') env.out->write("\n");
    return env.out->flush();
}

bool useColour(const CliRequest& request, const CliEnvironment& env) {
    switch (request.colour) {
        case ColourChoice::Always:
            return true;
        case ColourChoice::Never:
            return false;
        case ColourChoice::Auto:
            break;
    }
    return env.stdoutIsTerminal && !env.noColour && !env.dumbTerminal;
}

}  // namespace tavomerix
