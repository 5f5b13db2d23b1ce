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
    if (contents.starts_with(Utf8ByteOrderMark)) contents.remove_prefix(Utf8ByteOrderMark.size());
    long long faults = 0;
    const auto report = [&](int lineNumber, const std::string& message) {
        if (++faults <= DaysFileErrorsShown) {
            result.errorLines.push_back(file + ":" + std::to_string(lineNumber) + ": " + message);
        }
    };
    int lineNumber = 0;
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        const std::string_view line = contents.substr(0, end);  // the parser drops a final CR
        contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
        ++lineNumber;
        const std::string_view shown = line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
        if (shown.size() > DaysFileLineLimit) {
            report(lineNumber, "line longer than " + std::to_string(DaysFileLineLimit) +
                                   " bytes: '" + quotedInput(shown) + "'");
            continue;
        }
        CommemorationLine read = parseCommemorationLine(calendar, line);
        if (read.status == CommemorationLine::Status::Fault) {
            report(lineNumber, read.fault + ": '" + quotedInput(shown) + "'");
        } else if (read.status == CommemorationLine::Status::Entry) {
            result.days.set(read.kind, read.month, read.day, std::string(read.storedText));
        }
    }
    if (faults > DaysFileErrorsShown) {
        const long long more = faults - DaysFileErrorsShown;
        result.errorLines.push_back(file + ": " + std::to_string(more) + " more malformed line" +
                                    (more == 1 ? "" : "s") + " not shown");
    }
    result.ok = faults == 0;
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
