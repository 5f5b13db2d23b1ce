#include "app/commemoration_store.h"

#include <algorithm>
#include <cstddef>

#include "app/registry.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_year.h"
#include "dayinfo/date_text.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

constexpr std::size_t StartYearBytes = 4;
constexpr std::size_t MinEntryBytes = StartYearBytes + 1;
constexpr int MaxStartYear = 9999;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isWellFormedUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (length > text.size() - i) return false;
        if (length > 1) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            if (second < low || second > high) return false;
            for (std::size_t k = 2; k < length; ++k) {
                if (!isContinuation(static_cast<unsigned char>(text[i + k]))) return false;
            }
        }
        i += length;
    }
    return true;
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

bool isValidKindDate(CommemorationKind kind, int year, int month, int day) {
    return kind == CommemorationKind::Lunar ? isValidLunarDate(year, month, day) == 1
                                            : isValidDate(year, month, day);
}

bool inKindRange(CommemorationKind kind, int month, int day) {
    const bool lunar = kind == CommemorationKind::Lunar;
    return month >= 1 && month <= (lunar ? 24 : 12) && day >= 1 && day <= (lunar ? 30 : 31);
}

int startYearOf(std::string_view storedText) {
    return (storedText[0] - '0') * 1000 + (storedText[1] - '0') * 100 + (storedText[2] - '0') * 10 +
           (storedText[3] - '0');
}

// What is wrong with a stored text for an entry on month-day; "" when it is sound.
std::string_view entryFault(CommemorationKind kind, std::string_view storedText, int month,
                            int day) {
    if (storedText.size() < MinEntryBytes) {
        return "value shorter than 5 bytes (a four-digit start year and a name)";
    }
    if (storedText.size() > RegistryTextLimit) return "value longer than 1023 bytes";
    if (!std::all_of(storedText.begin(), storedText.begin() + StartYearBytes, isDigit)) {
        return "start year is not four digits";
    }
    if (!isValidKindDate(kind, startYearOf(storedText), month, day)) {
        return "the date does not exist in its start year";
    }
    const std::string_view name = storedText.substr(StartYearBytes);
    if (!isWellFormedUtf8(name)) return "name is not valid UTF-8";
    if (hasControlCharacter(name)) return "name contains control characters";
    if (trimSpaces(name).empty()) return "name is empty";
    return "";
}

std::string shownName(std::string_view name) {
    return trimSpaces(clipText(trimSpaces(name), CommemorationNameWidth));
}

// Entry of `month`-`storedDay` read for a day of `shownYear`; "" when missing or unsound.
std::string entryNameAt(CommemorationKind kind, int month, int storedDay, int shownYear) {
    return commemorationEntryName(kind, readCommemorationEntry(kind, month, storedDay), month,
                                  storedDay, shownYear);
}

// The look-up shared by both kinds: the entry of the day itself, or on the substitute day
// (29 of a short lunar month, 28 February of a common year) the entry of the missing day
// when the day's own entry is absent. The substitute entry is checked against the day it
// is shown on, so an entry made in a year whose month lacked its last day still shows.
std::string commemorationText(CommemorationKind kind, int year, int month, int day,
                              int substituteDay) {
    if (day != substituteDay) return entryNameAt(kind, month, day, year);
    const std::string own = readCommemorationEntry(kind, month, day);
    if (!own.empty()) return commemorationEntryName(kind, own, month, day, year);
    if (isValidKindDate(kind, year, month, day + 1)) return "";
    return commemorationEntryName(kind, readCommemorationEntry(kind, month, day + 1), month, day,
                                  year);
}

// Value name MM-DD as two two-digit numbers; false for anything else.
bool parseValueName(std::string_view text, int& month, int& day) {
    if (text.size() != 5 || text[2] != '-') return false;
    if (!isDigit(text[0]) || !isDigit(text[1]) || !isDigit(text[3]) || !isDigit(text[4])) {
        return false;
    }
    month = (text[0] - '0') * 10 + (text[1] - '0');
    day = (text[3] - '0') * 10 + (text[4] - '0');
    return true;
}

// What is wrong with one line of a commemoration file, "" when it is sound; on success
// kind, value name and value text are set.
std::string lineFault(std::string_view line, CommemorationKind& kind, std::string_view& valueName,
                      std::string_view& valueText) {
    if (line[0] != 'L' && line[0] != 'S') return "expected L (lunar) or S (civil) at the start";
    kind = line[0] == 'L' ? CommemorationKind::Lunar : CommemorationKind::Solar;
    if (line.size() < 2 || (line[1] != ' ' && line[1] != '\t')) {
        return "expected a space or a tab after the kind";
    }
    const std::string_view rest = line.substr(2);
    const std::size_t tab = rest.find('\t');
    valueName = rest.substr(0, tab);
    int month = 0, day = 0;
    if (!parseValueName(valueName, month, day)) {
        return "expected the value name MM-DD, got '" + std::string(valueName.substr(0, 16)) + "'";
    }
    if (!inKindRange(kind, month, day)) {
        return "no such " + std::string(kind == CommemorationKind::Lunar ? "lunar" : "civil") +
               " value name '" + std::string(valueName) +
               (kind == CommemorationKind::Lunar ? "' (month 01..24, day 01..30)"
                                                 : "' (month 01..12, day 01..31)");
    }
    if (tab == std::string_view::npos) return "expected a tab and the value text after MM-DD";
    valueText = rest.substr(tab + 1);
    const std::string_view fault = entryFault(kind, valueText, month, day);
    return std::string(fault);
}

}  // namespace

std::string_view commemorationKey(CommemorationKind kind) {
    return kind == CommemorationKind::Lunar ? LunarCommemorationKey : SolarCommemorationKey;
}

std::string commemorationValueName(CommemorationKind kind, int month, int day) {
    if (!inKindRange(kind, month, day)) return "";
    const char name[] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10),
                         '-', static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    return std::string(name, sizeof name);
}

std::string readCommemorationEntry(CommemorationKind kind, int month, int day) {
    const std::string valueName = commemorationValueName(kind, month, day);
    if (valueName.empty()) return "";
    return readRegistryText(commemorationKey(kind), valueName);
}

bool writeCommemorationEntry(CommemorationKind kind, int month, int day, int startYear,
                             std::string_view name) {
    const std::string valueName = commemorationValueName(kind, month, day);
    const std::string clipped = shownName(name);
    if (valueName.empty() || startYear < 0 || startYear > MaxStartYear || clipped.empty()) {
        return false;
    }
    std::string text = std::to_string(startYear);
    text.insert(0, StartYearBytes - text.size(), '0');
    writeRegistryText(commemorationKey(kind), valueName, text + clipped);
    return true;
}

std::string commemorationEntryName(CommemorationKind kind, std::string_view storedText, int month,
                                   int day, int shownYear) {
    if (!entryFault(kind, storedText, month, day).empty()) return "";
    if (startYearOf(storedText) > shownYear) return "";
    return shownName(storedText.substr(StartYearBytes));
}

std::string lunarCommemorationText(int lunarYear, int monthCode, int day) {
    if (isValidLunarDate(lunarYear, monthCode, day) != 1) return "";
    return commemorationText(CommemorationKind::Lunar, lunarYear, monthCode, day, 29);
}

std::string solarCommemorationText(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return "";
    return commemorationText(CommemorationKind::Solar, year, month, day, month == 2 ? 28 : 0);
}

std::vector<CommemorationFileError> loadCommemorationFile(std::string_view contents) {
    std::vector<CommemorationFileError> errors;
    int lineNumber = 0;
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        std::string_view line = contents.substr(0, end);
        contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#') continue;
        CommemorationKind kind = CommemorationKind::Lunar;
        std::string_view valueName, valueText;
        std::string fault = lineFault(line, kind, valueName, valueText);
        if (!fault.empty()) {
            errors.push_back({lineNumber, std::move(fault)});
            continue;
        }
        writeRegistryText(commemorationKey(kind), valueName, valueText);
    }
    return errors;
}

}  // namespace tavomerix
