// Any commemoration file, whole, through the core parser and the command line's reader:
// the parser reports every rejected line once, in order, with a line number inside the
// file and a message; the reader reports at most DaysFileErrorsShown lines and a count,
// each one line of printable text of modest length.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "cli/days_file.h"
#include "dayinfo/commemoration_days.h"
#include "file_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    if (size > DaysFileSizeLimit) return -1;
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    const LunarCalendar& calendar = LunarCalendar::shared({});
    const CommemorationFile parsed = parseCommemorationFile(calendar, contents);
    int lines = 0;
    for (const char c : contents) lines += c == '\n';
    if (!contents.empty() && contents.back() != '\n') ++lines;
    int previous = 0;
    for (const CommemorationFileError& error : parsed.errors) {
        if (error.lineNumber <= previous || error.lineNumber > lines) __builtin_trap();
        if (error.message.empty()) __builtin_trap();
        previous = error.lineNumber;
    }

    const DaysFileResult read = readDaysContents(calendar, "days.txt", contents);
    checkReportedLines(read.ok, read.errorLines);
    // Only the line limit can reject more.
    if (read.ok && !parsed.errors.empty()) __builtin_trap();
    return 0;
}
