#pragma once

#include <csignal>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "cli/output.h"

namespace tavomerix {

// Exit statuses of the command line.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitInterrupted = 130;

// When colour is used: --color=auto (on a terminal, unless NO_COLOR or TERM=dumb), always
// or never.
enum class ColourChoice { Auto, Always, Never };

// A parsed command line: the command, its positional arguments and its options.
struct CliRequest {
    std::string command;
    bool commandGiven = false;  // false: the default command (the day view of today)
    std::vector<std::string> args;
    bool help = false;
    bool version = false;
    int timeZoneHours = 8;
    bool modern = false;
    OutputFormat format = OutputFormat::Text;
    ColourChoice colour = ColourChoice::Auto;
    // Flags given (--lunar, --lichun, --era, --hijri, --bc) and options with a value
    // (--days FILE, --leap-month N, ...), by name without the dashes.
    std::map<std::string, bool> flags;
    std::map<std::string, std::string> values;

    bool flag(std::string_view name) const;
    const std::string* value(std::string_view name) const;
    // The calendar context of --tz and --modern.
    CalendarContext context() const;
    // The shared calendar of that context.
    const LunarCalendar& calendar() const;
};

// What a run writes: standard output, standard error and the exit status. Long outputs
// go to the environment's sink as they are computed; `out` is written after them.
struct CliOutput {
    int exitCode = ExitOk;
    std::string out;
    std::string err;
};

// What a run reads from its surroundings: today, the terminals and the colour settings of
// the environment (NO_COLOR set, TERM=dumb), the sink of standard output (null: runCli
// collects it into CliOutput::out), and hooks for long runs: progress text for a terminal
// and a stop flag set by Ctrl-C.
struct CliEnvironment {
    CivilDate today{2000, 1, 1};
    bool stderrIsTerminal = false;
    bool stdoutIsTerminal = false;
    bool noColour = false;
    bool dumbTerminal = false;
    CliSink* out = nullptr;
    std::string holidaysFile;  // the user's holiday file used without --holidays; "" for none
    const volatile std::sig_atomic_t* stopRequested = nullptr;
    void (*progress)(std::string_view text) = nullptr;
};

// Runs the command line over argv (argv[0] is the program name) without touching the
// process. With a sink in env, what the command streams goes there and the result's `out`
// holds only the rest; without one, `out` holds everything.
CliOutput runCli(const std::vector<std::string>& argv, const CliEnvironment& env = {});

// Parses argv into a request; on failure returns the error output (exit 2).
struct CliParse {
    CliRequest request;
    CliOutput error;
    bool ok = false;
};
CliParse parseCommandLine(const std::vector<std::string>& argv);

// A civil or lunar date typed as Y-M-D with an astronomical year that may be negative;
// ok = false for malformed text. No calendar validity is tested.
struct TypedDate {
    bool ok = false;
    int year = 0;
    int month = 0;
    int day = 0;
};
TypedDate parseTypedDate(std::string_view text);

// A lunar date typed as Y-M-D whose month is a MonthCode (13..24 for a leap month) or "闰"
// and the month 1..12 ("2025-18-1", "2025-闰6-1", "2025-闰06-01"); month holds the MonthCode.
TypedDate parseTypedLunarDate(std::string_view text);

// A whole number within [low, high]; ok = false for anything else.
struct TypedNumber {
    bool ok = false;
    int value = 0;
};
TypedNumber parseTypedNumber(std::string_view text, int low, int high);

// The usage text printed by --help.
std::string usageText();

// The help of one command (tavomerix help CMD, CMD --help), lines under 80 columns; "" for
// an unknown command.
std::string commandHelpText(std::string_view command);

}  // namespace tavomerix
