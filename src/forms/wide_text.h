#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// UTF-16 form of UTF-8 text for the W functions of Windows; invalid sequences become
// U+FFFD. "" for "".
std::wstring widen(std::string_view utf8);

// UTF-8 form of UTF-16 text from Windows; unpaired surrogates become U+FFFD.
std::string narrow(std::wstring_view utf16);

// The longest prefix of the text that fits into a byte count where an ASCII character
// counts 1 byte and any other character 2 (its size in the Chinese code page); a
// character is never split.
std::wstring_view clipWide(std::wstring_view text, size_t byteCount);

}  // namespace tavomerix
