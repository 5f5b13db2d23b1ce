#include "dayinfo/date_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "dayinfo/characters.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

constexpr int MinTextYear = -9998;
constexpr int MaxTextYear = 9999;

// Length in bytes of the character that starts at text[i]: the lead byte's sequence when
// all its continuation bytes follow, or 1 for ASCII and for a byte that starts none.
std::size_t characterLength(std::string_view text, std::size_t i) {
    const std::size_t length = utf8LeadLength(text[i]);
    if (length == 0 || length > text.size() - i) return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isUtf8Continuation(text[i + k])) return 1;
    }
    return length;
}

int characterWidth(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2;
}

// One field of a date text: 1..maxDigits digits, not all zero, written with at least
// `width` digits (zeros in front).
bool appendDateField(std::string_view field, std::size_t maxDigits, std::size_t width,
                     std::string& out) {
    if (field.empty() || field.size() > maxDigits) return false;
    if (!std::all_of(field.begin(), field.end(), isDigit)) return false;
    if (std::all_of(field.begin(), field.end(), [](char c) { return c == '0'; })) return false;
    out.append(width - std::min(width, field.size()), '0');
    out.append(field);
    return true;
}

}  // namespace

int gbkWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        width += characterWidth(text, i);
    }
    return width;
}

std::string clipText(std::string_view text, int maxWidth) {
    if (text.empty() || maxWidth <= 0) return "";
    int width = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const int next = width + characterWidth(text, end);
        if (next > maxWidth) break;
        width = next;
        end += characterLength(text, end);
    }
    return std::string(text.substr(0, end));
}

std::string yearText(int year) {
    if (year < MinTextYear || year > MaxTextYear) return "";
    if (year >= 1) {
        const std::string digits = std::to_string(year);
        return std::string(8 - digits.size(), ' ') + digits;
    }
    const std::string digits = std::to_string(1 - year);         // 1..9999
    return std::string(6 - digits.size(), ' ') + "前" + digits;  // "前" is 2 positions
}

std::string chineseYearText(int year) {
    if (year < MinTextYear || year > MaxTextYear) return "";
    std::string text = year <= 0 ? "前" : "";
    for (const char c : std::to_string(year <= 0 ? 1 - year : year)) text += ChineseDigits[c - '0'];
    return std::string(static_cast<std::size_t>(std::max(0, 10 - gbkWidth(text))), ' ') + text;
}

std::string checkNumberText(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) return "";
    if (std::all_of(text.begin(), text.end(), [](char c) { return c == '0'; })) return "";
    return std::string(text);
}

std::string normaliseDateText(std::string_view text) {
    if (text.size() < 5 || text.size() > 10) return "";
    const std::size_t dash1 = text.find('-');
    if (dash1 == std::string_view::npos) return "";
    const std::size_t dash2 = text.find('-', dash1 + 1);
    if (dash2 == std::string_view::npos || text.find('-', dash2 + 1) != std::string_view::npos) {
        return "";
    }
    std::string out;
    out.reserve(10);
    if (!appendDateField(text.substr(0, dash1), 2, 2, out)) return "";
    out += '-';
    if (!appendDateField(text.substr(dash1 + 1, dash2 - dash1 - 1), 2, 2, out)) return "";
    out += '-';
    if (!appendDateField(text.substr(dash2 + 1), 4, 4, out)) return "";
    return out;
}

std::string isoYear(int year) {
    char text[16];
    std::snprintf(text, sizeof text, year < 0 ? "-%04d" : "%04d", std::abs(year));
    return text;
}

std::string isoDate(const CivilDate& date) {
    if (!isValidDate(date)) return "";
    return isoYear(date.year) + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
}

}  // namespace tavomerix
