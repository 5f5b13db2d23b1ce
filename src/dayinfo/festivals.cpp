#include "dayinfo/festivals.h"

#include <algorithm>
#include <array>

#include "app/app_settings.h"
#include "app/commemoration_store.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"
#include "chinese/phase_days.h"
#include "dayinfo/hijri.h"
#include "dayinfo/term_table.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

constexpr int VernalEquinox = 6;  // TermNumber of 春分
constexpr int SundayIndex = 6;    // weekday index, 0 = Monday
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

// Easter of a year for the time zone and regime it was computed under.
struct EasterSlot {
    int year = 0;
    int timeZoneHours = 0;
    bool modern = false;
    bool filled = false;
    int dayNumber = InvalidDayNumber;
};

// Direct-mapped by year; read and written from the user-interface thread only.
constexpr int EasterSlots = 8;
std::array<EasterSlot, EasterSlots> EasterCache;

int computeEaster(int year) {
    const int equinox = directTermDay(julianDayNumber(year, 1, 1), VernalEquinox);
    const int fullMoon = nextPhaseDay(equinox, FullMoon);
    const int weekday = weekdayIndex(fullMoon);
    return weekday == SundayIndex ? fullMoon + 7 : fullMoon + SundayIndex - weekday;
}

const FloatingFestival& easterFestival() { return FloatingFestivals[3]; }

}  // namespace

int easterDayNumber(int year) {
    if (year < easterFestival().firstYear || year > MaxDayInfoYear) return InvalidDayNumber;
    const int zone = appSettings().TimeZoneHours;
    const bool modern = modernAstronomy();
    EasterSlot& slot = EasterCache[floorMod(year, EasterSlots)];
    if (!slot.filled || slot.year != year || slot.timeZoneHours != zone || slot.modern != modern) {
        slot = {year, zone, modern, true, computeEaster(year)};
    }
    return slot.dayNumber;
}

std::string solarFestivalText(int year, int month, int day) {
    if (!isDayInfoDate(year, month, day)) return "";
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
    const int n = julianDayNumber(year, month, day);
    if (year >= easterFestival().firstYear && weekdayIndex(n) == SundayIndex &&
        n == easterDayNumber(year)) {
        appendFloating(text, easterFestival());
    }
    return text;
}

std::string lunarFestivalText(int lunarYear, int monthCode, int day) {
    if (lunarYear < MinDayInfoYear || lunarYear > MaxDayInfoYear) return "";
    if (isValidLunarDate(lunarYear, monthCode, day) != 1) return "";
    for (const LunarFestival& festival : LunarFestivalTable) {
        if (festival.month == monthCode && festival.day == day && lunarYear >= festival.firstYear) {
            return std::string(festival.text);
        }
    }
    // 小年 and 除夕 belong to the last month of the year: 闰腊月 when the year has one.
    const bool lastMonth =
        monthCode == LeapTwelfthMonth ||
        (monthCode == 12 && isValidLunarDate(lunarYear, LeapTwelfthMonth, 1) != 1);
    if (!lastMonth) return "";
    if (day == 23) return "小年";
    if (day == 30) return "除夕";
    if (day == 29 && isValidLunarDate(lunarYear, monthCode, 30) != 1) return "除夕";
    return "";
}

std::string festivalLine(int year, int month, int day) {
    if (!isDayInfoDate(year, month, day)) return "";
    const AppSettings& settings = appSettings();
    if (settings.FestivalInfoShowMuharramFlag == 1) {
        return hijriLine(julianDayNumber(year, month, day));
    }
    const DateCodeFields lunar = parseDateCode(solarToLunar(year, month, day));
    const int monthCode = lunar.ok ? floorMod(lunar.month - 1, 24) + 1 : 0;
    std::string line;
    if (settings.registryEnabled == 1) {
        line = joinTrimmed(lunar.ok ? lunarCommemorationText(lunar.year, monthCode, lunar.day) : "",
                           solarCommemorationText(year, month, day));
    }
    if (lunar.ok) line = joinTrimmed(line, lunarFestivalText(lunar.year, monthCode, lunar.day));
    return joinTrimmed(line, solarFestivalText(year, month, day));
}

}  // namespace tavomerix
