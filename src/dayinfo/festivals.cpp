#include "dayinfo/festivals.h"

#include <algorithm>

#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/hijri.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

constexpr int SundayIndex = 6;  // weekday index, 0 = Monday
constexpr int LeapTwelfthMonth = 24;

int weekdayIndex(int dayNumber) { return floorMod(dayNumber, 7); }

const SolarFestival* fixedSolarFestival(int month, int day) {
    const auto* end = std::end(SolarFestivalTable);
    const auto* row = std::lower_bound(
        std::begin(SolarFestivalTable), end, month * 100 + day,
        [](const SolarFestival& f, int key) { return f.month * 100 + f.day < key; });
    return row != end && row->month == month && row->day == day ? row : nullptr;
}

// F becomes the festival's text when empty, else F + its joined text.
void appendFloating(std::string& text, const FloatingFestival& festival) {
    text.append(text.empty() ? festival.text : festival.joinedText);
}

const FloatingFestival& easterFestival() { return FloatingFestivals[3]; }

}  // namespace

int easterDayNumber(const LunarCalendar& calendar, int year) {
    if (year < easterFestival().firstYear || year > MaxDayInfoYear) return InvalidDayNumber;
    return calendar.easterDay(year);
}

std::string solarFestivalText(const LunarCalendar& calendar, const CivilDate& date) {
    return solarFestivalText(calendar, civilDay(date));
}

std::string solarFestivalText(const LunarCalendar& calendar, const CivilDay& civil) {
    if (!isDayInfoDate(civil.date)) return "";
    const auto [year, month, day] = civil.date;
    std::string text;
    if (const SolarFestival* fixed = fixedSolarFestival(month, day);
        fixed != nullptr && year >= fixed->firstYear) {
        const bool hongKong = month == 7 && day == 1 && year >= HongKongReturnFirstYear;
        text = hongKong ? HongKongReturnText : fixed->text;
    }
    for (const FloatingFestival& festival : FloatingFestivals) {
        if (festival.month != month || year < festival.firstYear) continue;
        if (day == nthWeekdayOfMonth(year, month, festival.nth, festival.weekday)) {
            appendFloating(text, festival);
        }
    }
    const int n = civil.dayNumber;
    if (year >= easterFestival().firstYear && weekdayIndex(n) == SundayIndex &&
        n == easterDayNumber(calendar, year)) {
        appendFloating(text, easterFestival());
    }
    return text;
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
    std::string line;
    if (options.commemorationDays != nullptr) {
        const CommemorationDays& days = *options.commemorationDays;
        line = joinTrimmed(lunar.valid() ? lunarCommemorationText(calendar, days, lunar) : "",
                           solarCommemorationText(calendar, days, day.date));
    }
    if (lunar.valid()) line = joinTrimmed(line, lunarFestivalText(calendar, lunar));
    return joinTrimmed(line, solarFestivalText(calendar, day));
}

}  // namespace tavomerix
