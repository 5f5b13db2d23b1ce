#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "cli/days_file.h"
#include "cli/ics.h"
#include "dayinfo/quoted_input.h"

#ifdef _WIN32
#include "app/app_settings.h"
#include "app/commemoration_store.h"
#include "app/settings_store.h"
#endif

namespace tavomerix {

namespace {

constexpr int DefaultIcsYears = 10;

// The widget's commemoration days as the widget itself would read them: only when the
// registry holds its permission mark. A line for stderr in `note` when it keeps none.
struct WidgetDays {
    bool ok = false;
    CommemorationDays days;
    std::string note;
};

WidgetDays widgetDays() {
    WidgetDays result;
#ifdef _WIN32
    AppSettings settings;
    loadSettings(settings);
    result.ok = true;
    if (settings.stored.registryEnabled != 1) {
        result.note =
            "tavomerix: the widget keeps no commemoration days (it does not use the "
            "registry; see its options)\n";
        return result;
    }
    result.days = readCommemorationDays();
    if (result.days.empty()) result.note = "tavomerix: the widget keeps no commemoration days\n";
#endif
    return result;
}

// The current time for DTSTAMP.
std::string nowStamp() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return icsUtcStamp(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

// --from and --years into the options (this year and ten years without them); "" when
// sound, else the usage error's message.
std::string readIcsYears(const CliRequest& request, const CliEnvironment& env,
                         IcsOptions& options) {
    options.fromYear = env.today.year;
    options.years = DefaultIcsYears;
    if (const std::string* from = request.value("from")) {
        const TypedNumber n = parseTypedNumber(*from, FirstIcsYear, LastIcsYear);
        if (!n.ok) {
            return "bad year '" + quotedInput(*from) + "' (--from takes a year " +
                   std::to_string(FirstIcsYear) + ".." + std::to_string(LastIcsYear) +
                   ", Gregorian dates only)";
        }
        options.fromYear = n.value;
    }
    if (const std::string* years = request.value("years")) {
        const TypedNumber n = parseTypedNumber(*years, 1, MaxIcsYears);
        if (!n.ok) {
            return "bad number of years '" + quotedInput(*years) + "' (--years takes 1.." +
                   std::to_string(MaxIcsYears) + ")";
        }
        options.years = n.value;
    }
    if (options.fromYear + options.years - 1 > LastIcsYear) {
        return "--from " + std::to_string(options.fromYear) + " --years " +
               std::to_string(options.years) + " goes beyond the year " +
               std::to_string(LastIcsYear);
    }
    return "";
}

// The commemoration days of the export, a note for stderr, or the failure to report.
struct IcsDays {
    CommemorationDays days;
    std::string note;
    bool ok = true;
    CliOutput failure;  // what to report unless ok
};

IcsDays fileDays(const LunarCalendar& calendar, const std::string& path) {
    IcsDays result;
    DaysFileResult file = readDaysFile(calendar, path);
    if (!file.ok) {
        std::string err;
        for (const std::string& line : file.errorLines) err += line + "\n";
        result.ok = false;
        result.failure = {ExitUsage, "", err};
        return result;
    }
    result.days = std::move(file.days);
    return result;
}

IcsDays widgetIcsDays() {
    IcsDays result;
    WidgetDays widget = widgetDays();
    if (!widget.ok) {
        result.ok = false;
        result.failure = usageError(
            "--widget-days reads the widget's days from the Windows registry: "
            "available only on Windows (use --days FILE)");
        return result;
    }
    result.days = std::move(widget.days);
    result.note = widget.note;
    return result;
}

// Writes the export to standard output (no --output) or to the file.
CliOutput writeIcsTo(const std::string* output, const LunarCalendar& calendar,
                     const IcsOptions& options) {
    if (!output) {
        std::ostringstream text;
        writeIcs(text, calendar, options);
        return {ExitOk, text.str(), ""};
    }
    const auto writeFailed = [&](const char* what) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "write error";
        return CliOutput{ExitFailure, "",
                         "tavomerix: cannot " + std::string(what) + " '" +
                             quotedInput(*output, 200) + "': " + reason + "\n"};
    };
    errno = 0;
    std::ofstream file(*output, std::ios::binary | std::ios::trunc);
    if (!file) return writeFailed("create");
    writeIcs(file, calendar, options);
    file.close();
    if (file.fail()) return writeFailed("write");
    return {};
}

}  // namespace

CliOutput runIcs(const CliRequest& request, const CliEnvironment& env) {
    IcsOptions options;
    if (const std::string fault = readIcsYears(request, env, options); !fault.empty()) {
        return usageError(fault);
    }
    options.festivals = request.flag("festivals");
    options.terms = request.flag("terms");
    options.moons = request.flag("moons");
    const bool holidays = request.flag("holidays");
    const std::string* daysPath = request.value("days");
    const bool fromWidget = request.flag("widget-days");
    if (daysPath && fromWidget)
        return usageError("give either --days FILE or --widget-days, not both");
    if (!daysPath && !fromWidget && !options.festivals && !options.terms && !options.moons &&
        !holidays) {
        return usageError(
            "'ics' needs something to export: --days FILE, --widget-days, "
            "--festivals, --terms, --moons or --holidays");
    }
    HolidaysArgument arrangements;
    if (holidays) {
        arrangements = holidaysArgument(request, env);
        if (!arrangements.ok) return arrangements.error;
        options.holidays = &arrangements.arrangements;
    }
    const LunarCalendar& calendar = request.calendar();
    IcsDays days;
    if (daysPath) {
        days = fileDays(calendar, *daysPath);
    } else if (fromWidget) {
        days = widgetIcsDays();
    }
    if (!days.ok) return days.failure;
    if (daysPath || fromWidget) options.days = &days.days;
    options.dtstampUtc = nowStamp();
    CliOutput written = writeIcsTo(request.value("output"), calendar, options);
    if (written.exitCode == ExitOk) written.err = days.note;
    return written;
}

}  // namespace tavomerix
