// Fuzzes the command line's DATE and number parsing and the whole argument parser: any
// bytes, split at NULs into arguments. A parse error must stay one short line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const tavomerix::TypedDate date = tavomerix::parseTypedDate(input);
    if (date.ok && (date.month > 99 || date.day > 99 || date.year > 99999 || date.year < -99999)) {
        __builtin_trap();
    }
    const tavomerix::TypedDate lunar = tavomerix::parseTypedLunarDate(input);
    if (lunar.ok && (lunar.month > 99 + 12 || lunar.day > 99)) __builtin_trap();
    const tavomerix::TypedNumber number = tavomerix::parseTypedNumber(input, -12, 12);
    if (number.ok && (number.value < -12 || number.value > 12)) __builtin_trap();

    std::vector<std::string> argv{"tavomerix"};
    size_t start = 0;
    for (size_t i = 0; i <= input.size(); ++i) {
        if (i == input.size() || input[i] == '\0') {
            argv.push_back(input.substr(start, i - start));
            start = i + 1;
        }
    }
    const tavomerix::CliParse parse = tavomerix::parseCommandLine(argv);
    if (!parse.ok && parse.error.exitCode != tavomerix::ExitUsage) __builtin_trap();
    // An error is one line of modest length, whatever the arguments hold.
    const std::string& err = parse.error.err;
    if (!parse.ok && (err.find('\n') != err.size() - 1 || err.size() > 1000)) __builtin_trap();
    return 0;
}
