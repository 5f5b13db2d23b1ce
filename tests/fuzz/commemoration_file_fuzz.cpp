// Any commemoration file: every rejected line is reported once, in order, with a line
// number inside the file and a message.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    const std::vector<CommemorationFileError> errors =
        parseCommemorationFile(LunarCalendar::shared({}), contents).errors;
    int lines = 0;
    for (const char c : contents) lines += c == '\n';
    if (!contents.empty() && contents.back() != '\n') ++lines;
    int previous = 0;
    for (const CommemorationFileError& error : errors) {
        if (error.lineNumber <= previous || error.lineNumber > lines) __builtin_trap();
        if (error.message.empty()) __builtin_trap();
        previous = error.lineNumber;
    }
    return 0;
}
