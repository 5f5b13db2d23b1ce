// Any holiday file, whole, through the core parser and the command line's reader: rejected
// lines lie inside the file and say why; a file with errors gives no year, and
// one without gives only years of 2000..9000 whose days are each listed once, in order; the
// reader's lines are short printable text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/days_file.h"
#include "dayinfo/holidays.h"
#include "file_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    if (size > DaysFileSizeLimit) return -1;
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    const HolidayFile parsed = parseHolidayFile(contents);
    int lines = 0;
    for (const char c : contents) lines += c == '\n';
    if (!contents.empty() && contents.back() != '\n') ++lines;
    for (const HolidayFileError& error : parsed.errors) {
        if (error.lineNumber < 1 || error.lineNumber > lines) __builtin_trap();
        if (error.message.empty()) __builtin_trap();
    }
    if (!parsed.errors.empty() && !parsed.years.empty()) __builtin_trap();
    for (const auto& [year, arrangement] : parsed.years) {
        if (year < FirstHolidayYear || year > LastHolidayYear) __builtin_trap();
        for (std::size_t i = 1; i < arrangement.days.size(); ++i) {
            if (arrangement.days[i].dayNumber <= arrangement.days[i - 1].dayNumber)
                __builtin_trap();
        }
    }

    const HolidaysFileResult read = readHolidaysContents("holidays.tsv", contents);
    checkReportedLines(read.ok, read.errorLines);
    return 0;
}
