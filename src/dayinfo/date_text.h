#pragma once

#include <string>
#include <string_view>

#include "calendar/julian_day.h"

namespace tavomerix {

// Year of ISO 8601: four digits at least, a sign before years below 0 ("2024", "-0103").
std::string isoYear(int year);

// ISO 8601 civil date: "2026-12-08", years before AD 1 astronomical with a sign
// ("-0103-02-22"); "" for an invalid date.
std::string isoDate(const CivilDate& date);

// Width of UTF-8 text in GBK bytes: 1 per ASCII character, 2 per other character. A
// byte that does not start a well-formed UTF-8 sequence counts as one character of
// width 2. Any bytes are accepted.
int gbkWidth(std::string_view text);

// Longest prefix of the text whose GBK width is at most maxWidth, never splitting a
// character (a limit inside a 2-byte character cuts before it); "" for empty text or
// maxWidth <= 0. clipText(s, 20) keeps at most 10 Chinese characters.
std::string clipText(std::string_view text, int maxWidth);

// Year right-aligned in 8 GBK positions: "    2024", BC years as "前" and 1 - year
// ("     前1" for year 0); years -9998..9999, "" outside.
std::string yearText(int year);

// Year in Chinese digits right-aligned in 10 GBK positions: "  二○二四", BC years after
// "前" ("      前一" for year 0); years -9998..9999, "" outside.
std::string chineseYearText(int year);

// The text unchanged when it is a non-zero number of ASCII digits only (leading zeros
// kept: "007"); "" otherwise. Any length and any bytes are accepted; the number is never
// converted, so it may be longer than any integer type.
std::string checkNumberText(std::string_view text);

// A typed month-day-year text ("3-7-2024") as zero-padded MM-DD-YYYY ("03-07-2024"):
// 5..10 characters of digits and exactly two "-", month and day 1-2 digits, year 1-4
// digits, none of them 0. No calendar validity is tested. "" for anything else.
std::string normaliseDateText(std::string_view text);

}  // namespace tavomerix
