#include "tools/year_tables.h"

#include <cmath>
#include <string>

#include "astro/solar_terms.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/phase_days.h"
#include "dayinfo/date_text.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

constexpr int MaxToolYear = 5000;

// Two digits of a number 1..99.
std::string twoDigits(int n) {
    std::string s = std::to_string(n);
    return n < 10 ? "0" + s : s;
}

// "MM月DD日hh:mm:ss" of an instant (LocalDayNumber).
std::string monthDayTime(double instant) {
    const std::string t = dateTimeFromDayNumber(instant);
    if (t.size() < 21) return "";
    return t.substr(2, 2) + "月" + t.substr(5, 2) + "日" + t.substr(13);
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

std::string solarTermsTable(const CalendarContext& context, int year, std::string_view lineEnd) {
    const int firstDay = julianDayNumber(year, 1, 1);
    if (firstDay == InvalidDayNumber) return "";
    const int count = solarTermCount(context, year);
    const int first = nextTermNumber(context, firstDay);
    std::string text = yearTableCaption(YearTableMode::SolarTerms, year) + " 年共 " +
                       std::to_string(count) + " 个节气";
    double t = nextTermInstant(context, firstDay, TermKind::Any) - 15;
    for (int i = 1; i <= count; ++i) {
        t = nextTermInstant(context, static_cast<int>(std::floor(t)) + 10, TermKind::Any);
        const int k = i + first - 1 > 24 ? i + first - 25 : i + first - 1;
        text += i % 2 == 1 ? std::string(lineEnd) : std::string("   ");
        text += twoDigits(i) + ": " + std::string(solarTermName(k)) + monthDayTime(t);
    }
    return text;
}

std::string moonPhasesTable(const CalendarContext& context, int year, std::string_view lineEnd) {
    const int firstDay = julianDayNumber(year, 1, 1);
    if (firstDay == InvalidDayNumber) return "";
    const int newMoons = newMoonCount(context, year);
    const int fullMoons = fullMoonCount(context, year);
    double a = nextPhaseInstant(context, firstDay, MoonPhase::New) - 15;
    double b = nextPhaseInstant(context, firstDay, MoonPhase::Full) - 15;
    const bool newFirst = nextPhaseInstant(context, firstDay, MoonPhase::Full) >
                          nextPhaseInstant(context, firstDay, MoonPhase::New);
    const std::string caption = yearTableCaption(YearTableMode::MoonPhases, year) + " 年共 ";
    std::string text = newFirst ? caption + std::to_string(newMoons) + " 次朔日 " +
                                      std::to_string(fullMoons) + " 次望日"
                                : caption + std::to_string(fullMoons) + " 次望日 " +
                                      std::to_string(newMoons) + " 次朔日";
    for (int i = 1; i <= 13; ++i) {
        a = nextPhaseInstant(context, static_cast<int>(std::floor(a)) + 10, MoonPhase::New);
        b = nextPhaseInstant(context, static_cast<int>(std::floor(b)) + 10, MoonPhase::Full);
        const std::string newEntry = "朔日 " + monthDayTime(a);
        const std::string fullEntry = "望日 " + monthDayTime(b);
        const bool leadShown = i <= (newFirst ? newMoons : fullMoons);
        const bool followShown = i <= (newFirst ? fullMoons : newMoons);
        if (leadShown) text += std::string(lineEnd) + (newFirst ? newEntry : fullEntry);
        if (followShown) text += "         " + (newFirst ? fullEntry : newEntry);
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
            return solarTermsTable(calendar.context(), year, lineEnd);
        case YearTableMode::MoonPhases:
            return moonPhasesTable(calendar.context(), year, lineEnd);
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
