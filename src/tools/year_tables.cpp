#include "tools/year_tables.h"

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/year_events.h"
#include "dayinfo/characters.h"
#include "dayinfo/date_text.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

constexpr int MaxToolYear = 5000;

// "MM月DD日hh:mm:ss" of an instant (LocalDayNumber), the time of day truncated to the
// second; "" outside the civil days.
std::string monthDayTime(double instant) {
    if (!(instant >= MinDayNumber && instant < MaxDayNumber + 1.0)) return "";
    const CivilDate date = civilDateFromDayNumber(floorToInt(instant));
    const TimeOfDay t = timeOfDay(instant);
    return twoDigits(date.month) + "月" + twoDigits(date.day) + "日" + twoDigits(t.hours) + ":" +
           twoDigits(t.minutes) + ":" + twoDigits(t.seconds);
}

std::string lunarMonthsTable(const LunarCalendar& calendar, int year, std::string_view lineEnd) {
    const LunarYear& lunar = calendar.lunarYear(year);
    if (!lunar.valid()) return "";
    const int leap = lunar.leapMonth;
    std::string text = yearTableCaption(YearTableMode::LunarMonths, year) + " 年共 " +
                       (leap > 0 ? "13" : "12") + " 个月";
    const auto monthLine = [&](int monthCode, bool longMonth, std::string_view gap) {
        const int sized = monthCode + (longMonth ? 24 : 0);
        text += std::string(lineEnd) + lunarMonthText(sized) + std::string(gap) + "对应公历" +
                formatDateCode(lunarToSolar(calendar, lunarDateOfMonthCode(year, monthCode, 1))) +
                " ～ " +
                formatDateCode(lunarToSolar(
                    calendar, lunarDateOfMonthCode(year, monthCode, longMonth ? 30 : 29)));
    };
    for (int i = 1; i <= 12; ++i) {
        monthLine(i, lunar.monthDays(i) == 30, "       ");
        if (i == leap) monthLine(i + 12, lunar.monthDays(i + 12) == 30, "     ");
    }
    return text;
}

std::string solarTermsTable(const LunarCalendar& calendar, int year, std::string_view lineEnd) {
    if (!isValidDate(year, 1, 1)) return "";
    const std::vector<TermEvent> terms = termsOfYear(calendar, year);
    std::string text = yearTableCaption(YearTableMode::SolarTerms, year) + " 年共 " +
                       std::to_string(terms.size()) + " 个节气";
    for (std::size_t i = 0; i < terms.size(); ++i) {
        text += i % 2 == 0 ? std::string(lineEnd) : std::string("   ");
        text += twoDigits(static_cast<int>(i) + 1) + ": " +
                std::string(solarTermName(terms[i].number)) + monthDayTime(terms[i].instant);
    }
    return text;
}

std::string moonPhasesTable(const LunarCalendar& calendar, int year, std::string_view lineEnd) {
    if (!isValidDate(year, 1, 1)) return "";
    std::vector<double> newMoons, fullMoons;
    for (const PhaseEvent& e : moonPhasesOfYear(calendar, year))
        (e.phase == MoonPhase::New ? newMoons : fullMoons).push_back(e.instant);
    // The kind that comes first in the year leads each line, the other follows it.
    const bool newFirst = fullMoons.empty() || (!newMoons.empty() && newMoons[0] < fullMoons[0]);
    const auto entries = [](std::string_view name, const std::vector<double>& instants) {
        std::vector<std::string> texts;
        for (const double t : instants) texts.push_back(std::string(name) + monthDayTime(t));
        return texts;
    };
    const std::vector<std::string> newEntries = entries("朔日 ", newMoons);
    const std::vector<std::string> fullEntries = entries("望日 ", fullMoons);
    const std::string newCount = std::to_string(newMoons.size()) + " 次朔日";
    const std::string fullCount = std::to_string(fullMoons.size()) + " 次望日";
    std::string text = yearTableCaption(YearTableMode::MoonPhases, year) + " 年共 " +
                       (newFirst ? newCount + " " + fullCount : fullCount + " " + newCount);
    const std::vector<std::string>& lead = newFirst ? newEntries : fullEntries;
    const std::vector<std::string>& follow = newFirst ? fullEntries : newEntries;
    for (std::size_t i = 0; i < std::max(lead.size(), follow.size()); ++i) {
        if (i < lead.size()) text += std::string(lineEnd) + lead[i];
        if (i < follow.size()) text += "         " + follow[i];
    }
    return text;
}

}  // namespace

std::string yearTableCaption(YearTableMode mode, int year) {
    const std::string kind = mode == YearTableMode::LunarMonths ? "    农历公元" : "    公历公元";
    return year >= 1 ? kind + " " + std::to_string(year) : kind + "前 " + std::to_string(1 - year);
}

std::string yearTableText(const LunarCalendar& calendar, YearTableMode mode, int year,
                          std::string_view lineEnd) {
    switch (mode) {
        case YearTableMode::LunarMonths:
            return lunarMonthsTable(calendar, year, lineEnd);
        case YearTableMode::SolarTerms:
            return solarTermsTable(calendar, year, lineEnd);
        case YearTableMode::MoonPhases:
            return moonPhasesTable(calendar, year, lineEnd);
    }
    return "";
}

YearFieldResult yearFieldAction(const LunarCalendar& calendar, YearTableMode mode,
                                std::string_view yearText, bool bc, YearFieldAction action,
                                int minYear) {
    YearFieldResult result{std::string(yearText), bc, std::nullopt};
    if (action == YearFieldAction::Compute) result.output = "";
    const std::string number = checkNumberText(yearText);
    // A checked text is all digits and not zero; past its leading zeros, more than five
    // digits is out of range whatever they say.
    const size_t start = number.find_first_not_of('0');
    if (number.empty() || number.size() - start > 5) {
        result.yearText.clear();
        return result;
    }
    int year = std::stoi(number.substr(start));
    if (bc) year = 1 - year;
    if (action == YearFieldAction::PreviousYear) --year;
    if (action == YearFieldAction::NextYear) ++year;
    if (year < minYear || year > MaxToolYear) {
        result.yearText.clear();
        return result;
    }
    if (action != YearFieldAction::Compute) {
        result.bc = year <= 0;
        result.yearText = std::to_string(year <= 0 ? 1 - year : year);
    }
    result.output = yearTableText(calendar, mode, year);
    return result;
}

}  // namespace tavomerix
