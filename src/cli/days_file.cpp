#include "cli/days_file.h"

#include "dayinfo/quoted_input.h"

namespace tavomerix {

namespace {

// Longest path quoted in a message, in bytes.
constexpr std::size_t QuotedPathLimit = 200;

// The one-line messages of a file's rejected lines: at most DaysFileErrorsShown
// "FILE:N: message: 'line'" and then the number of the others.
template <typename Error>
std::vector<std::string> rejectedLines(std::string_view shownPath, const std::vector<Error>& errors,
                                       long long errorCount) {
    std::vector<std::string> lines;
    const std::string file = quotedInput(shownPath, QuotedPathLimit);
    for (const Error& e : errors) {
        lines.push_back(file + ":" + std::to_string(e.lineNumber) + ": " + e.message + ": '" +
                        quotedInput(e.line) + "'");
    }
    if (errorCount > DaysFileErrorsShown) {
        const long long more = errorCount - DaysFileErrorsShown;
        lines.push_back(file + ": " + std::to_string(more) + " more malformed line" +
                        (more == 1 ? "" : "s") + " not shown");
    }
    return lines;
}

// The line of a file refused whole: "tavomerix: the WHAT file 'PATH' REASON".
std::string refusalLine(std::string_view what, const std::string& path,
                        const RegularFileContents& read) {
    return "tavomerix: the " + std::string(what) + " file '" + quotedInput(path, QuotedPathLimit) +
           "' " + read.refusal;
}

}  // namespace

std::string sizeLimitText(std::size_t limit) {
    constexpr std::size_t MiB = 1024 * 1024;
    return limit % MiB == 0 && limit > 0 ? std::to_string(limit / MiB) + " MiB"
                                         : std::to_string(limit) + " bytes";
}

bool isWindowsDeviceName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    std::string lower;
    for (const char c : name)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "con" || lower == "nul" || lower == "aux" || lower == "prn" || lower == "conin$" ||
        lower == "conout$") {
        return true;
    }
    return lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) &&
           lower[3] >= '1' && lower[3] <= '9';
}

DaysFileResult readDaysContents(const LunarCalendar& calendar, std::string_view shownPath,
                                std::string_view contents) {
    DaysFileResult result;
    CommemorationFile parsed =
        parseCommemorationFile(calendar, contents, DaysFileErrorsShown, DaysFileLineLimit);
    result.errorLines = rejectedLines(shownPath, parsed.errors, parsed.errorCount);
    result.days = std::move(parsed.days);
    result.ok = parsed.errorCount == 0;
    return result;
}

DaysFileResult readDaysFile(const LunarCalendar& calendar, const std::string& path) {
    RegularFileContents read = readRegularFile(path, DaysFileSizeLimit);
    if (!read.ok) {
        DaysFileResult result;
        result.errorLines.push_back(refusalLine("commemoration", path, read));
        return result;
    }
    return readDaysContents(calendar, path, read.contents);
}

HolidaysFileResult readHolidaysContents(std::string_view shownPath, std::string_view contents) {
    HolidaysFileResult result;
    result.file = parseHolidayFile(contents, DaysFileErrorsShown, DaysFileLineLimit);
    result.errorLines = rejectedLines(shownPath, result.file.errors, result.file.errorCount);
    result.ok = result.file.errorCount == 0;
    return result;
}

HolidaysFileResult readHolidaysFile(const std::string& path) {
    RegularFileContents read = readRegularFile(path, DaysFileSizeLimit);
    if (!read.ok) {
        HolidaysFileResult result;
        result.missing = read.missing;
        result.errorLines.push_back(refusalLine("holiday", path, read));
        return result;
    }
    return readHolidaysContents(path, read.contents);
}

}  // namespace tavomerix
