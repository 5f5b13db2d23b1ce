#include "cli/days_file.h"

#include "cli/quoted_input.h"

namespace tavomerix {

namespace {

// Longest path quoted in a message, in bytes.
constexpr std::size_t QuotedPathLimit = 200;

}  // namespace

std::string sizeLimitText(std::size_t limit) {
    constexpr std::size_t MiB = 1024 * 1024;
    return limit % MiB == 0 && limit > 0 ? std::to_string(limit / MiB) + " MiB"
                                         : std::to_string(limit) + " bytes";
}

DaysFileResult readDaysContents(const LunarCalendar& calendar, std::string_view shownPath,
                                std::string_view contents) {
    DaysFileResult result;
    const std::string file = quotedInput(shownPath, QuotedPathLimit);
    CommemorationFile parsed =
        parseCommemorationFile(calendar, contents, DaysFileErrorsShown, DaysFileLineLimit);
    for (const CommemorationFileError& e : parsed.errors) {
        result.errorLines.push_back(file + ":" + std::to_string(e.lineNumber) + ": " + e.message +
                                    ": '" + quotedInput(e.line) + "'");
    }
    if (parsed.errorCount > DaysFileErrorsShown) {
        const long long more = parsed.errorCount - DaysFileErrorsShown;
        result.errorLines.push_back(file + ": " + std::to_string(more) + " more malformed line" +
                                    (more == 1 ? "" : "s") + " not shown");
    }
    result.days = std::move(parsed.days);
    result.ok = parsed.errorCount == 0;
    return result;
}

DaysFileResult readDaysFile(const LunarCalendar& calendar, const std::string& path) {
    RegularFileContents read = readRegularFile(path, DaysFileSizeLimit);
    if (!read.ok) {
        DaysFileResult result;
        result.errorLines.push_back("tavomerix: the commemoration file '" +
                                    quotedInput(path, QuotedPathLimit) + "' " + read.refusal);
        return result;
    }
    return readDaysContents(calendar, path, read.contents);
}

}  // namespace tavomerix
