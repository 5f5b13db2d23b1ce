#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavomerix {

// True for the ASCII digits '0'..'9'.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The last two decimal digits of n >= 0, with a leading zero: "07" for 7, "24" for 2024.
std::string twoDigits(int n);

// True for a UTF-8 continuation byte (10xxxxxx).
constexpr bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

// Length in bytes that a UTF-8 lead byte announces: 1 for ASCII, 2..4 for C2..F4; 0 for a
// continuation byte or a byte that starts no character (C0, C1, F5..FF).
std::size_t utf8LeadLength(char lead);

// Length in bytes (1..4) of the well-formed UTF-8 character that starts at text[at]:
// shortest form, no surrogate, nothing above U+10FFFF; 0 where none starts (a stray
// continuation byte, an ill-formed or cut-short sequence, `at` past the end).
std::size_t utf8CharacterLength(std::string_view text, std::size_t at = 0);

// A UTF-8 byte-order mark, which editors may put before the first line.
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Calls read(lineNumber, line) for each line of a text file's contents, numbered from 1,
// the line without its LF (a CR before it is kept); a leading byte-order mark is skipped.
template <typename ReadLine>
void forEachFileLine(std::string_view contents, ReadLine read) {
    if (contents.starts_with(Utf8ByteOrderMark)) contents.remove_prefix(Utf8ByteOrderMark.size());
    for (int lineNumber = 1; !contents.empty(); ++lineNumber) {
        const std::size_t end = contents.find('\n');
        const std::string_view line = contents.substr(0, end);
        contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
        read(lineNumber, line);
    }
}

}  // namespace tavomerix
