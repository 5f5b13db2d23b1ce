#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavomerix {

// Longest quoted input in an error message, in bytes before escaping.
constexpr std::size_t QuotedInputLimit = 60;

// Text a user typed or a file held, made safe for a one-line error message: control
// characters, DEL and bytes that are not valid UTF-8 become \xHH, a backslash \\; text longer
// than QuotedInputLimit bytes is cut at a character boundary and ends with "…". Valid UTF-8
// (Chinese text) stays as it is. "" for "".
std::string quotedInput(std::string_view text, std::size_t limit = QuotedInputLimit);

}  // namespace tavomerix
