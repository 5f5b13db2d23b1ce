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

namespace tavomerix {

namespace {

constexpr std::string_view SelectorFont = "宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view DayLineFont = "宋体,-13,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view InfoLineFont = "宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2";

constexpr Colour Blue = {0, 0, 255};
constexpr Colour Magenta = {255, 0, 255};
constexpr Colour Red = {255, 0, 0};

constexpr ControlKind List = ControlKind::DropDownList;
constexpr ControlKind Line = ControlKind::ReadOnlyLine;

constexpr std::array<ControlSpec, 9> MainControls = {{
    {CivilYearSelectorId, List, 9, 15, 109, 164, SelectorFont, Blue, MainControlBackground, "公历年", ""},
    {CivilMonthSelectorId, List, 118, 15, 81, 164, SelectorFont, Blue, MainControlBackground, "公历月", ""},
    {CivilDaySelectorId, List, 199, 15, 52, 164, SelectorFont, Blue, MainControlBackground, "公历日", ""},
    {LunarYearSelectorId, List, 9, 63, 109, 164, SelectorFont, Magenta, MainControlBackground, "农历年", ""},
    {LunarMonthSelectorId, List, 118, 63, 81, 164, SelectorFont, Magenta, MainControlBackground, "农历月", ""},
    {LunarDaySelectorId, List, 199, 63, 52, 164, SelectorFont, Magenta, MainControlBackground, "农历日", ""},
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

ScreenPoint mainWindowStartPosition(const AppSettings& settings, const ScreenRect& workArea, int screenWidth,
                                    int screenHeight) {
    if (settings.registryEnabled == 1) {
        int x = 0;
        int y = 0;
        if (storedCoordinate(readRegistryText(SettingsKey, "rFormLeft"), x) &&
            storedCoordinate(readRegistryText(SettingsKey, "rFormTop"), y) && x >= 0 &&
            x <= workArea.right - MainWindowWidth && y >= 0 && y <= workArea.bottom - MainWindowHeight) {
            return {x, y};
        }
    }
    return {truncDiv(screenWidth - MainWindowWidth, 2), truncDiv(screenHeight - MainWindowHeight, 2)};
}

ScreenPoint keepOnScreen(ScreenPoint corner, int width, int height, int screenWidth, const ScreenRect& workArea) {
    corner.x = std::max(corner.x, 0);
    corner.y = std::max(corner.y, 0);
    corner.x = std::min(corner.x, screenWidth - width);
    corner.y = std::min(corner.y, workArea.bottom - height);
    return corner;
}

std::vector<ScreenRect> stampOutline() {
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
        parts.push_back({centre - Radius, MainWindowHeight - ToothDiameter, centre + Radius, MainWindowHeight});
    }
    for (int i = 1; i <= TeethDown; ++i) {
        const int centre = ToothDiameter * i;
        parts.push_back({0, centre - Radius, ToothDiameter, centre + Radius});
        parts.push_back({MainWindowWidth - ToothDiameter, centre - Radius, MainWindowWidth, centre + Radius});
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
    if (isReformMonth(year, month) && day > LastJulianDayOfReform && day < FirstGregorianDayOfReform) {
        return LastJulianDayOfReform;
    }
    return std::clamp(day, 1, length);
}

bool followSolarDate(AppSettings& settings) {
    const SolarSelection& date = settings.selectedSolarDate;
    const LunarSelection lunar = lunarSelection(solarToLunar(date.year, date.month, date.day));
    if (lunar.sizedMonth == 0) return false;
    settings.selectedLunarDate = lunar;
    return true;
}

bool followLunarDate(AppSettings& settings) {
    const LunarSelection& lunar = settings.selectedLunarDate;
    const int month = lunar.sizedMonth > 24 ? lunar.sizedMonth - 24 : lunar.sizedMonth;  // MonthCode
    const DateCodeFields civil = parseDateCode(lunarToSolar(lunar.year, month, lunar.day));
    if (!civil.ok) return false;
    settings.selectedSolarDate = {civil.year, civil.month, civil.day};
    return true;
}

}  // namespace tavomerix
