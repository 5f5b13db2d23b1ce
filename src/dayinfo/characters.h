#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavomerix {

// True for the ASCII digits '0'..'9'.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The last two decimal digits of n >= 0, with a leading zero: "07" for 7, "24" for 2024.
std::string twoDigits(int n);

// Length in bytes (1..4) of the well-formed UTF-8 character that starts at text[at]:
// shortest form, no surrogate, nothing above U+10FFFF; 0 where none starts (a stray
// continuation byte, an ill-formed or cut-short sequence, `at` past the end).
std::size_t utf8CharacterLength(std::string_view text, std::size_t at = 0);

}  // namespace tavomerix
