#pragma once
// What the command line's file readers promise of the lines they report: at most
// DaysFileErrorsShown lines and a count, each one line of printable text of modest length.
#include <cstddef>
#include <string>
#include <vector>

#include "cli/days_file.h"

namespace tavomerix {

// Longest error line: the quoted line (60 bytes, each escaped to at most 4) and the message.
constexpr std::size_t MaxErrorLineBytes = 400;

inline void checkReportedLines(bool ok, const std::vector<std::string>& errorLines) {
    if (ok != errorLines.empty()) __builtin_trap();
    if (errorLines.size() > static_cast<std::size_t>(DaysFileErrorsShown) + 1) __builtin_trap();
    for (const std::string& line : errorLines) {
        if (line.empty() || line.size() > MaxErrorLineBytes) __builtin_trap();
        for (const char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) __builtin_trap();
        }
    }
}

}  // namespace tavomerix
