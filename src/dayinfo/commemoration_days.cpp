#include "dayinfo/commemoration_days.h"

#include <algorithm>
#include <cstddef>

#include "dayinfo/characters.h"
#include "dayinfo/date_text.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

constexpr std::size_t StartYearBytes = 4;
constexpr std::size_t MinEntryBytes = StartYearBytes + 1;

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isWellFormedUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8CharacterLength(text, i);
        if (length == 0) return false;
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

bool isLunar(CommemorationKind kind) { return kind == CommemorationKind::Lunar; }

bool isValidKindDate(const LunarCalendar& calendar, CommemorationKind kind, int year, int month,
                     int day) {
    return isLunar(kind) ? calendar.isValidDate(year, month, day) : isValidDate(year, month, day);
}

bool inKindRange(CommemorationKind kind, int month, int day) {
    return month >= 1 && month <= (isLunar(kind) ? 24 : 12) && day >= 1 &&
           day <= (isLunar(kind) ? 30 : 31);
}

int startYearOf(std::string_view storedText) {
    return (storedText[0] - '0') * 1000 + (storedText[1] - '0') * 100 + (storedText[2] - '0') * 10 +
           (storedText[3] - '0');
}

// The stored text of a date, "" when there is none.
std::string_view storedTextOf(const CommemorationDays& days, CommemorationKind kind, int month,
                              int day) {
    const std::string* text = days.find(kind, month, day);
    return text == nullptr ? std::string_view() : std::string_view(*text);
}

// The look-up shared by both kinds: the entry of the day itself, or on the substitute day
// (29 of a short lunar month, 28 February of a common year) the entry of the missing day
// when the day's own entry is absent. The substitute entry is checked against the day it
// is shown on, so an entry made in a year whose month lacked its last day still shows.
std::string commemorationText(const LunarCalendar& calendar, const CommemorationDays& days,
                              CommemorationKind kind, int year, int month, int day,
                              int substituteDay) {
    const std::string_view own = storedTextOf(days, kind, month, day);
    if (day != substituteDay || !own.empty()) {
        return commemorationEntryName(calendar, kind, own, month, day, year);
    }
    if (isValidKindDate(calendar, kind, year, month, day + 1)) return "";
    return commemorationEntryName(calendar, kind, storedTextOf(days, kind, month, day + 1), month,
                                  day, year);
}

// What is wrong with one line of a commemoration file, "" when it is sound; on success
// kind, month, day and the stored text are set.
std::string lineFault(const LunarCalendar& calendar, std::string_view line, CommemorationKind& kind,
                      int& month, int& day, std::string_view& storedText) {
    if (line[0] != 'L' && line[0] != 'S') return "expected L (lunar) or S (civil) at the start";
    kind = line[0] == 'L' ? CommemorationKind::Lunar : CommemorationKind::Solar;
    if (line.size() < 2 || (line[1] != ' ' && line[1] != '\t')) {
        return "expected a space or a tab after the kind";
    }
    const std::string_view rest = line.substr(2);
    const std::size_t tab = rest.find('\t');
    const std::string_view valueName = rest.substr(0, tab);
    const bool shaped = valueName.size() == 5 && valueName[2] == '-' && isDigit(valueName[0]) &&
                        isDigit(valueName[1]) && isDigit(valueName[3]) && isDigit(valueName[4]);
    if (!shaped) return "expected the value name MM-DD after the kind";
    if (!parseCommemorationValueName(kind, valueName, month, day)) {
        return "no such " + std::string(isLunar(kind) ? "lunar" : "civil") + " value name " +
               std::string(valueName) +
               (isLunar(kind) ? " (month 01..24, day 01..30)" : " (month 01..12, day 01..31)");
    }
    if (tab == std::string_view::npos) return "expected a tab and the value text after MM-DD";
    storedText = rest.substr(tab + 1);
    return std::string(commemorationEntryFault(calendar, kind, storedText, month, day));
}

}  // namespace

void CommemorationDays::set(CommemorationKind kind, int month, int day, std::string storedText) {
    (isLunar(kind) ? lunar_ : solar_)[month * 100 + day] = std::move(storedText);
}

const std::string* CommemorationDays::find(CommemorationKind kind, int month, int day) const {
    const std::map<int, std::string>& texts = isLunar(kind) ? lunar_ : solar_;
    const auto it = texts.find(month * 100 + day);
    return it == texts.end() ? nullptr : &it->second;
}

std::string commemorationValueName(CommemorationKind kind, int month, int day) {
    if (!inKindRange(kind, month, day)) return "";
    const char name[] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10),
                         '-', static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    return std::string(name, sizeof name);
}

bool parseCommemorationValueName(CommemorationKind kind, std::string_view text, int& month,
                                 int& day) {
    if (text.size() != 5 || text[2] != '-') return false;
    if (!isDigit(text[0]) || !isDigit(text[1]) || !isDigit(text[3]) || !isDigit(text[4])) {
        return false;
    }
    const int m = (text[0] - '0') * 10 + (text[1] - '0');
    const int d = (text[3] - '0') * 10 + (text[4] - '0');
    if (!inKindRange(kind, m, d)) return false;
    month = m;
    day = d;
    return true;
}

std::string_view commemorationEntryFault(const LunarCalendar& calendar, CommemorationKind kind,
                                         std::string_view storedText, int month, int day) {
    if (storedText.size() < MinEntryBytes) {
        return "value shorter than 5 bytes (a four-digit start year and a name)";
    }
    if (gbkWidth(storedText) > CommemorationTextLimit) {
        return "value longer than 1023 positions (a Chinese character counts two)";
    }
    if (!std::all_of(storedText.begin(), storedText.begin() + StartYearBytes, isDigit)) {
        return "start year is not four digits";
    }
    if (!isValidKindDate(calendar, kind, startYearOf(storedText), month, day)) {
        return "the date does not exist in its start year";
    }
    return commemorationNameFault(storedText.substr(StartYearBytes));
}

std::string_view commemorationNameFault(std::string_view name) {
    if (!isWellFormedUtf8(name)) return "name is not valid UTF-8";
    if (hasControlCharacter(name)) return "name contains control characters";
    if (trimSpaces(name).empty()) return "name is empty";
    return "";
}

std::string commemorationShownName(std::string_view name) {
    return trimSpaces(clipText(trimSpaces(name), CommemorationNameWidth));
}

std::string commemorationEntryName(const LunarCalendar& calendar, CommemorationKind kind,
                                   std::string_view storedText, int month, int day, int shownYear) {
    if (!commemorationEntryFault(calendar, kind, storedText, month, day).empty()) return "";
    if (startYearOf(storedText) > shownYear) return "";
    return commemorationShownName(storedText.substr(StartYearBytes));
}

std::string lunarCommemorationText(const LunarCalendar& calendar, const CommemorationDays& days,
                                   const LunarDate& date) {
    if (!calendar.isValidDate(date)) return "";
    return commemorationText(calendar, days, CommemorationKind::Lunar, date.year, date.monthCode(),
                             date.day, 29);
}

std::string solarCommemorationText(const LunarCalendar& calendar, const CommemorationDays& days,
                                   const CivilDate& date) {
    if (!isValidDate(date)) return "";
    return commemorationText(calendar, days, CommemorationKind::Solar, date.year, date.month,
                             date.day, date.month == 2 ? 28 : 0);
}

CommemorationLine parseCommemorationLine(const LunarCalendar& calendar, std::string_view line) {
    CommemorationLine read;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#') return read;
    read.fault = lineFault(calendar, line, read.kind, read.month, read.day, read.storedText);
    read.status =
        read.fault.empty() ? CommemorationLine::Status::Entry : CommemorationLine::Status::Fault;
    return read;
}

CommemorationFile parseCommemorationFile(const LunarCalendar& calendar, std::string_view contents,
                                         std::size_t maxErrors, std::size_t lineLimit) {
    CommemorationFile file;
    const auto reject = [&](int lineNumber, std::string message, std::string_view line) {
        if (static_cast<unsigned long long>(++file.errorCount) <= maxErrors) {
            file.errors.push_back({lineNumber, std::move(message), line});
        }
    };
    forEachFileLine(contents, [&](int lineNumber, std::string_view line) {
        // The parser drops a final CR itself.
        const std::string_view shown =
            line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
        if (shown.size() > lineLimit) {
            reject(lineNumber, "line longer than " + std::to_string(lineLimit) + " bytes", shown);
            return;
        }
        CommemorationLine read = parseCommemorationLine(calendar, line);
        if (read.status == CommemorationLine::Status::Fault) {
            reject(lineNumber, std::move(read.fault), shown);
        } else if (read.status == CommemorationLine::Status::Entry) {
            file.days.set(read.kind, read.month, read.day, std::string(read.storedText));
        }
    });
    return file;
}

}  // namespace tavomerix
