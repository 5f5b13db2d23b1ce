#include "dayinfo/festivals.h"

#include <algorithm>

#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/hijri.h"

namespace tavomerix {
namespace {

constexpr int LeapTwelfthMonth = 24;

const SolarFestival* fixedSolarFestival(int month, int day) {
    const auto* end = std::end(SolarFestivalTable);
    const auto* row = std::lower_bound(
        std::begin(SolarFestivalTable), end, month * 100 + day,
        [](const SolarFestival& f, int key) { return f.month * 100 + f.day < key; });
    return row != end && row->month == month && row->day == day ? row : nullptr;
}

const FloatingFestival& easterFestival() { return FloatingFestivals[3]; }

void appendName(std::vector<FestivalName>& names, FestivalKind kind, std::string_view name) {
    if (!name.empty()) names.push_back({kind, std::string(name)});
}

// The civil festivals of a day: the fixed one (two on 7-1 from 1999), then the floating
// ones and Easter.
void appendSolarFestivals(const LunarCalendar& calendar, const CivilDay& civil,
                          std::vector<FestivalName>& names) {
    if (!isDayInfoDate(civil.date)) return;
    constexpr FestivalKind Civil = FestivalKind::CivilFestival;
    const auto [year, month, day] = civil.date;
    if (const SolarFestival* fixed = fixedSolarFestival(month, day);
        fixed != nullptr && year >= fixed->firstYear) {
        appendName(names, Civil, fixed->text);
        if (month == 7 && day == 1 && year >= HongKongReturnFirstYear) {
            appendName(names, Civil, HongKongReturnName);
        }
    }
    for (const FloatingFestival& festival : FloatingFestivals) {
        if (festival.month != month || year < festival.firstYear) continue;
        if (day == nthWeekdayOfMonth(year, month, festival.nth, festival.weekday)) {
            appendName(names, Civil, festival.text);
        }
    }
    const int n = civil.dayNumber;
    if (year >= easterFestival().firstYear && weekdayOfDayNumber(n) == Sunday &&
        n == easterDayNumber(calendar, year)) {
        appendName(names, Civil, easterFestival().text);
    }
}

}  // namespace

int easterDayNumber(const LunarCalendar& calendar, int year) {
    if (year < easterFestival().firstYear || year > MaxDayInfoYear) return InvalidDayNumber;
    return calendar.easterDay(year);
}

std::string solarFestivalText(const LunarCalendar& calendar, const CivilDate& date) {
    return solarFestivalText(calendar, civilDay(date));
}

std::string solarFestivalText(const LunarCalendar& calendar, const CivilDay& civil) {
    std::vector<FestivalName> names;
    appendSolarFestivals(calendar, civil, names);
    return festivalLineOf(names);
}

std::string lunarFestivalText(const LunarCalendar& calendar, const LunarDate& date) {
    if (date.year < MinDayInfoYear || date.year > MaxDayInfoYear) return "";
    if (!calendar.isValidDate(date)) return "";
    const int monthCode = date.monthCode();
    for (const LunarFestival& festival : LunarFestivalTable) {
        if (festival.month == monthCode && festival.day == date.day &&
            date.year >= festival.firstYear) {
            return std::string(festival.text);
        }
    }
    // 小年 and 除夕 belong to the last month of the year: 闰腊月 when the year has one.
    const bool lastMonth =
        monthCode == LeapTwelfthMonth ||
        (monthCode == 12 && !calendar.isValidDate(date.year, LeapTwelfthMonth, 1));
    if (!lastMonth) return "";
    if (date.day == 23) return "小年";
    if (date.day == 30) return "除夕";
    if (date.day == 29 && !calendar.isValidDate(date.year, monthCode, 30)) return "除夕";
    return "";
}

std::string festivalLine(const LunarCalendar& calendar, const CivilDate& date,
                         const FestivalLineOptions& options) {
    const CivilDay day = civilDay(date);
    return festivalLine(calendar, day, lunarDateOfDay(calendar, day), options);
}

std::string festivalLine(const LunarCalendar& calendar, const CivilDay& day, const LunarDate& lunar,
                         const FestivalLineOptions& options) {
    if (!isDayInfoDate(day.date)) return "";
    if (options.hijriLine) return hijriLine(day.dayNumber);
    return festivalLineOf(festivalNames(calendar, day, lunar, options.commemorationDays));
}

std::vector<FestivalName> festivalNames(const LunarCalendar& calendar, const CivilDay& day,
                                        const LunarDate& lunar, const CommemorationDays* days) {
    std::vector<FestivalName> names;
    if (!isDayInfoDate(day.date)) return names;
    if (days != nullptr) {
        if (lunar.valid()) {
            appendName(names, FestivalKind::LunarCommemoration,
                       lunarCommemorationText(calendar, *days, lunar));
        }
        appendName(names, FestivalKind::CivilCommemoration,
                   solarCommemorationText(calendar, *days, day.date));
    }
    if (lunar.valid()) {
        appendName(names, FestivalKind::LunarFestival, lunarFestivalText(calendar, lunar));
    }
    appendSolarFestivals(calendar, day, names);
    return names;
}

std::string festivalLineOf(const std::vector<FestivalName>& names) {
    std::string line;
    for (const FestivalName& f : names) {
        if (!line.empty()) line += ' ';
        line += f.name;
    }
    return line;
}

bool hasFestival(const std::vector<FestivalName>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [name](const FestivalName& f) { return f.name == name; });
}

}  // namespace tavomerix
