#include "app/main_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "app/registry.h"
#include "app/settings_store.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/date_text.h"
#include "dayinfo/era_names.h"
#include "dayinfo/names.h"
#include "forms/form_style.h"

namespace tavomerix {

namespace {

constexpr std::string_view SelectorFont = SongFont14;
constexpr std::string_view DayLineFont = SongFont13;
constexpr std::string_view InfoLineFont = SongFont14;

constexpr Colour Blue = {0, 0, 255};
constexpr Colour Magenta = {255, 0, 255};
constexpr Colour Red = {255, 0, 0};

constexpr ControlKind List = ControlKind::DropDownList;
constexpr ControlKind Line = ControlKind::ReadOnlyLine;

constexpr std::array<ControlSpec, 9> MainControls = {{
    {CivilYearSelectorId, List, 9, 15, 109, 164, SelectorFont, Blue, MainControlBackground,
     "公历年", ""},
    {CivilMonthSelectorId, List, 118, 15, 81, 164, SelectorFont, Blue, MainControlBackground,
     "公历月", ""},
    {CivilDaySelectorId, List, 199, 15, 52, 164, SelectorFont, Blue, MainControlBackground,
     "公历日", ""},
    {LunarYearSelectorId, List, 9, 63, 109, 164, SelectorFont, Magenta, MainControlBackground,
     "农历年", ""},
    {LunarMonthSelectorId, List, 118, 63, 81, 164, SelectorFont, Magenta, MainControlBackground,
     "农历月", ""},
    {LunarDaySelectorId, List, 199, 63, 52, 164, SelectorFont, Magenta, MainControlBackground,
     "农历日", ""},
    {DayLineId, Line, 9, 43, 242, 13, DayLineFont, Blue, MainControlBackground, "", ""},
    {FestivalLineId, Line, 9, 91, 242, 14, InfoLineFont, Red, MainControlBackground, "", ""},
    {SeasonLineId, Line, 9, 111, 242, 14, InfoLineFont, Blue, MainControlBackground, "", ""},
}};

// October 1582 lost its days 5..14 to the calendar reform.
constexpr int ReformYear = 1582;
constexpr int ReformMonth = 10;
constexpr int LastJulianDayOfReform = 4;
constexpr int FirstGregorianDayOfReform = 15;

bool isReformMonth(int year, int month) { return year == ReformYear && month == ReformMonth; }

int monthLength(int year, int month) {
    for (int day = 31; day >= 28; --day) {
        if (isValidDate(year, month, day)) return day;
    }
    return 0;
}

// The stored coordinate as a pixel value; "" or a value beyond any screen is refused.
bool storedCoordinate(std::string_view text, int& value) {
    if (text.empty()) return false;
    const double number = leadingNumber(text);
    if (!(std::fabs(number) < 1e9)) return false;
    value = static_cast<int>(std::nearbyint(number));  // half to even
    return true;
}

}  // namespace

std::span<const ControlSpec> mainControls() { return MainControls; }

ScreenPoint mainWindowStartPosition(const AppSettings& settings, const ScreenRect& workArea,
                                    int screenWidth, int screenHeight, int dpi) {
    const int width = scaled(MainWindowWidth, dpi);
    const int height = scaled(MainWindowHeight, dpi);
    if (settings.stored.registryEnabled == 1) {
        int x = 0;
        int y = 0;
        if (storedCoordinate(readRegistryText(SettingsKey, "rFormLeft"), x) &&
            storedCoordinate(readRegistryText(SettingsKey, "rFormTop"), y) && x >= 0 &&
            x <= workArea.right - width && y >= 0 && y <= workArea.bottom - height) {
            return {x, y};
        }
    }
    return {truncDiv(screenWidth - width, 2), truncDiv(screenHeight - height, 2)};
}

ScreenPoint keepOnScreen(ScreenPoint corner, int width, int height, int screenWidth,
                         const ScreenRect& workArea) {
    corner.x = std::max(corner.x, 0);
    corner.y = std::max(corner.y, 0);
    corner.x = std::min(corner.x, screenWidth - width);
    corner.y = std::min(corner.y, workArea.bottom - height);
    return corner;
}

std::vector<ScreenRect> stampOutline(int dpi) {
    constexpr int ToothDiameter = 10;
    constexpr int TeethAcross = 25;
    constexpr int TeethDown = 13;
    constexpr int Radius = ToothDiameter / 2;
    std::vector<ScreenRect> parts;
    parts.reserve(1 + 2 * TeethAcross + 2 * TeethDown);
    parts.push_back({Radius, Radius, MainWindowWidth - Radius, MainWindowHeight - Radius});
    for (int i = 1; i <= TeethAcross; ++i) {
        const int centre = ToothDiameter * i;
        parts.push_back({centre - Radius, 0, centre + Radius, ToothDiameter});
        parts.push_back(
            {centre - Radius, MainWindowHeight - ToothDiameter, centre + Radius, MainWindowHeight});
    }
    for (int i = 1; i <= TeethDown; ++i) {
        const int centre = ToothDiameter * i;
        parts.push_back({0, centre - Radius, ToothDiameter, centre + Radius});
        parts.push_back(
            {MainWindowWidth - ToothDiameter, centre - Radius, MainWindowWidth, centre + Radius});
    }
    for (ScreenRect& part : parts) {
        part = {scaled(part.left, dpi), scaled(part.top, dpi), scaled(part.right, dpi),
                scaled(part.bottom, dpi)};
    }
    return parts;
}

int layeredAlpha(int transparency) { return 255 - std::clamp(transparency, 0, 255); }

std::vector<std::string> civilMonthItems() {
    std::vector<std::string> items;
    for (int month = 1; month <= 12; ++month) {
        std::string item = month < 10 ? "   " : "  ";
        item += std::to_string(month);
        item += "月";
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<std::string> civilDayItems(int year, int month) {
    std::vector<std::string> items;
    const int length = monthLength(year, month);
    for (int day = 1; day <= length; ++day) {
        if (!isValidDate(year, month, day)) continue;
        std::string item = day < 10 ? " " : "";
        item += std::to_string(day);
        item += "日";
        items.push_back(std::move(item));
    }
    return items;
}

int civilDayOfItem(int year, int month, int item) {
    const int length = monthLength(year, month);
    if (item < 1) return 0;
    if (isReformMonth(year, month) && item > LastJulianDayOfReform) {
        const int day = item - LastJulianDayOfReform - 1 + FirstGregorianDayOfReform;
        return day <= length ? day : 0;
    }
    return item <= length ? item : 0;
}

int civilItemOfDay(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return 0;
    if (isReformMonth(year, month) && day >= FirstGregorianDayOfReform) {
        return day - FirstGregorianDayOfReform + LastJulianDayOfReform + 1;
    }
    return day;
}

int keptCivilDay(int year, int month, int day) {
    const int length = monthLength(year, month);
    if (length == 0) return 0;
    if (isReformMonth(year, month) && day > LastJulianDayOfReform &&
        day < FirstGregorianDayOfReform) {
        return LastJulianDayOfReform;
    }
    return std::clamp(day, 1, length);
}

bool followSolarDate(AppSettings& settings) {
    const SolarSelection& date = settings.window.selectedSolarDate;
    const LunarSelection lunar =
        lunarSelection(solarToLunar(calendarOf(settings), {date.year, date.month, date.day}));
    if (lunar.sizedMonth == 0) return false;
    settings.window.selectedLunarDate = lunar;
    return true;
}

bool followLunarDate(AppSettings& settings) {
    const LunarSelection& lunar = settings.window.selectedLunarDate;
    const CivilDate civil = lunarToSolar(
        calendarOf(settings), lunarDateOfSizedCode(lunar.year, lunar.sizedMonth, lunar.day));
    if (civil.month == 0) return false;
    settings.window.selectedSolarDate = {civil.year, civil.month, civil.day};
    return true;
}

std::vector<std::string> civilYearItems(const AppSettings& settings) {
    std::vector<std::string> items;
    items.reserve(
        static_cast<size_t>(std::max(0, settings.window.maxYear - settings.window.minYear + 1)));
    for (int year = settings.window.minYear; year <= settings.window.maxYear; ++year)
        items.push_back(yearText(year) + "年");
    return items;
}

int civilYearItemOf(const AppSettings& settings, int year) {
    return year >= settings.window.minYear && year <= settings.window.maxYear
               ? year - settings.window.minYear + 1
               : 0;
}

std::string lunarYearItem(const AppSettings& settings, int lunarYear) {
    const std::string year = settings.stored.LunarYearShowDynastyFlag == 1
                                 ? eraYearText(lunarYear)
                                 : chineseYearText(lunarYear);
    return year.empty() ? "" : year + "年";
}

std::vector<std::string> lunarYearItems(const AppSettings& settings) {
    std::vector<std::string> items;
    for (int year = settings.window.lowerLunarBound.year;
         year <= settings.window.upperLunarBound.year; ++year) {
        items.push_back(lunarYearItem(settings, year));
    }
    return items;
}

int lunarYearItemOf(const AppSettings& settings, int lunarYear) {
    const int first = settings.window.lowerLunarBound.year;
    return lunarYear >= first && lunarYear <= settings.window.upperLunarBound.year
               ? lunarYear - first + 1
               : 0;
}

std::vector<int> lunarMonthsListed(const AppSettings& settings, int lunarYear) {
    const LunarSelection& lower = settings.window.lowerLunarBound;
    const LunarSelection& upper = settings.window.upperLunarBound;
    if (lunarYear < lower.year || lunarYear > upper.year) return {};
    const LunarCalendar& calendar = calendarOf(settings);
    const int months = calendar.lunarYear(lunarYear).monthCount;
    if (months == 0) return {};
    const int first = lunarYear == lower.year
                          ? calendar.monthSequence(lunarYear, monthCodeOf(lower.sizedMonth))
                          : 1;
    const int last = lunarYear == upper.year
                         ? calendar.monthSequence(lunarYear, monthCodeOf(upper.sizedMonth))
                         : months;
    std::vector<int> listed;
    for (int sequence = std::max(first, 1); sequence <= last; ++sequence) {
        listed.push_back(calendar.monthAtSequence(lunarYear, sequence));
    }
    return listed;
}

std::string lunarMonthItem(int sizedMonth) {
    const std::string text = lunarMonthText(sizedMonth);
    if (text.empty()) return "";
    return monthCodeOf(sizedMonth) > 12 ? text : "  " + text;
}

std::vector<std::string> lunarMonthItems(const AppSettings& settings, int lunarYear) {
    std::vector<std::string> items;
    for (const int sizedMonth : lunarMonthsListed(settings, lunarYear))
        items.push_back(lunarMonthItem(sizedMonth));
    return items;
}

int lunarMonthItemOf(const AppSettings& settings, int lunarYear, int month) {
    const std::vector<int> listed = lunarMonthsListed(settings, lunarYear);
    const auto found = std::find_if(listed.begin(), listed.end(), [&](int sized) {
        return monthCodeOf(sized) == monthCodeOf(month);
    });
    return found == listed.end() ? 0 : static_cast<int>(found - listed.begin()) + 1;
}

DaySpan lunarDaysListed(const AppSettings& settings, int lunarYear, int sizedMonth) {
    if (sizedMonth < 1 || sizedMonth > 48) return {};
    const int month = monthCodeOf(sizedMonth);
    if (lunarMonthItemOf(settings, lunarYear, month) == 0) return {};
    DaySpan span{1, calendarOf(settings).isValidDate(lunarYear, month, 30) ? 30 : 29};
    const LunarSelection& lower = settings.window.lowerLunarBound;
    const LunarSelection& upper = settings.window.upperLunarBound;
    if (lunarYear == lower.year && month == monthCodeOf(lower.sizedMonth)) span.first = lower.day;
    if (lunarYear == upper.year && month == monthCodeOf(upper.sizedMonth)) span.last = upper.day;
    return span.first <= span.last ? span : DaySpan{};
}

std::vector<std::string> lunarDayItems(const AppSettings& settings, int lunarYear, int sizedMonth) {
    std::vector<std::string> items;
    const DaySpan span = lunarDaysListed(settings, lunarYear, sizedMonth);
    for (int day = span.first; day >= 1 && day <= span.last; ++day)
        items.push_back(lunarDayName(day));
    return items;
}

SelectorPositions selectorPositions(const AppSettings& settings) {
    const SolarSelection& civil = settings.window.selectedSolarDate;
    const LunarSelection& lunar = settings.window.selectedLunarDate;
    SelectorPositions p;
    p.civilYear = civilYearItemOf(settings, civil.year);
    p.civilMonth = civil.month >= 1 && civil.month <= 12 ? civil.month : 0;
    p.civilDay = civilItemOfDay(civil.year, civil.month, civil.day);
    p.lunarYear = lunarYearItemOf(settings, lunar.year);
    p.lunarMonth = lunarMonthItemOf(settings, lunar.year, lunar.sizedMonth);
    const DaySpan span = lunarDaysListed(settings, lunar.year, lunar.sizedMonth);
    if (span.first > 0 && lunar.day >= span.first && lunar.day <= span.last)
        p.lunarDay = lunar.day - span.first + 1;
    return p;
}

namespace {

// Moves the civil day to a year and month, keeping the day; commits when it converts.
bool moveCivil(AppSettings& settings, int year, int month) {
    AppSettings next = settings;
    next.window.selectedSolarDate = {
        year, month, keptCivilDay(year, month, settings.window.selectedSolarDate.day)};
    if (next.window.selectedSolarDate.day == 0 || !followSolarDate(next)) return false;
    settings = next;
    return true;
}

// Shows a lunar month of a year with the day clamped to its listed days; commits when the
// date converts.
bool moveLunar(AppSettings& settings, int lunarYear, int sizedMonth, int day) {
    const DaySpan span = lunarDaysListed(settings, lunarYear, sizedMonth);
    if (span.first == 0) return false;
    AppSettings next = settings;
    next.window.selectedLunarDate = {lunarYear, sizedMonth, std::clamp(day, span.first, span.last)};
    if (!followLunarDate(next)) return false;
    settings = next;
    return true;
}

}  // namespace

bool chooseCivilYear(AppSettings& settings, int item) {
    if (item < 1 || item > settings.window.maxYear - settings.window.minYear + 1) return false;
    return moveCivil(settings, settings.window.minYear + item - 1,
                     settings.window.selectedSolarDate.month);
}

bool chooseCivilMonth(AppSettings& settings, int item) {
    if (item < 1 || item > 12) return false;
    return moveCivil(settings, settings.window.selectedSolarDate.year, item);
}

bool chooseCivilDay(AppSettings& settings, int item) {
    const SolarSelection& date = settings.window.selectedSolarDate;
    const int day = civilDayOfItem(date.year, date.month, item);
    if (day == 0) return false;
    AppSettings next = settings;
    next.window.selectedSolarDate.day = day;
    if (!followSolarDate(next)) return false;
    settings = next;
    return true;
}

bool chooseLunarYear(AppSettings& settings, int item) {
    const int year = settings.window.lowerLunarBound.year + item - 1;
    if (item < 1 || year > settings.window.upperLunarBound.year) return false;
    const std::vector<int> listed = lunarMonthsListed(settings, year);
    if (listed.empty()) return false;
    const LunarCalendar& calendar = calendarOf(settings);
    int month = monthCodeOf(settings.window.selectedLunarDate.sizedMonth);
    if (month > 12 && calendar.monthSequence(year, month) == 0)
        month -= 12;  // the year lacks this leap month
    int sizedMonth = 0;
    for (const int sized : listed) {
        if (monthCodeOf(sized) == month) sizedMonth = sized;
    }
    if (sizedMonth == 0) {  // outside the range: the nearest listed month
        const bool before = year == settings.window.lowerLunarBound.year &&
                            calendar.monthSequence(year, month) <
                                calendar.monthSequence(year, monthCodeOf(listed.front()));
        sizedMonth = before ? listed.front() : listed.back();
    }
    return moveLunar(settings, year, sizedMonth, settings.window.selectedLunarDate.day);
}

bool chooseLunarMonth(AppSettings& settings, int item) {
    const int year = settings.window.selectedLunarDate.year;
    const std::vector<int> listed = lunarMonthsListed(settings, year);
    if (item < 1 || item > static_cast<int>(listed.size())) return false;
    return moveLunar(settings, year, listed[static_cast<size_t>(item - 1)],
                     settings.window.selectedLunarDate.day);
}

bool chooseLunarDay(AppSettings& settings, int item) {
    const LunarSelection& lunar = settings.window.selectedLunarDate;
    const DaySpan span = lunarDaysListed(settings, lunar.year, lunar.sizedMonth);
    if (span.first == 0 || item < 1 || span.first + item - 1 > span.last) return false;
    return moveLunar(settings, lunar.year, lunar.sizedMonth, span.first + item - 1);
}

}  // namespace tavomerix
