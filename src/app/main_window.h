#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "forms/control_spec.h"
#include "forms/dpi_scale.h"

namespace tavomerix {

// Size of the main window in pixels at 96 DPI.
constexpr int MainWindowWidth = 260;
constexpr int MainWindowHeight = 140;

// Form name, window title and tray tip of the main window.
constexpr std::string_view MainFormName = "rForm";
constexpr std::string_view MainWindowTitle = "Tavomerix";

// Identifiers of the main window's controls.
constexpr int CivilYearSelectorId = 3125;
constexpr int CivilMonthSelectorId = 3126;
constexpr int CivilDaySelectorId = 3127;
constexpr int LunarYearSelectorId = 3128;
constexpr int LunarMonthSelectorId = 3129;
constexpr int LunarDaySelectorId = 3130;
constexpr int DayLineId = 3131;
constexpr int FestivalLineId = 3132;
constexpr int SeasonLineId = 3133;

// Callback message of the notification-area icon (WM_USER + 100).
constexpr unsigned TrayIconMessage = 0x400 + 100;

// Background of the window's controls (the window's own is the forms' background).
constexpr Colour MainControlBackground = {192, 255, 255};

// The nine controls in creation (and tab) order.
std::span<const ControlSpec> mainControls();

// A point or a rectangle in screen pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where the main window opens: the stored rFormLeft/rFormTop when the registry is in use,
// both texts are non-empty and the window (of its size at dpi) fits inside the work area
// there; otherwise centred on a screen of the given size.
ScreenPoint mainWindowStartPosition(const AppSettings& settings, const ScreenRect& workArea,
                                    int screenWidth, int screenHeight, int dpi = BaseDpi);

// A window's top-left corner kept on the screen while it moves: at least 0, at most the
// screen width minus the window width across and the work-area bottom minus the window
// height down.
ScreenPoint keepOnScreen(ScreenPoint corner, int width, int height, int screenWidth,
                         const ScreenRect& workArea);

// The stamp outline in window pixels at dpi: the union of the first rectangle (the body) and
// the circles inscribed in the other rectangles (half-circle teeth centred on its edges). The
// rectangles' edges are scaled from 96 DPI.
std::vector<ScreenRect> stampOutline(int dpi = BaseDpi);

// Alpha of the layered window for a transparency amount t (0 opaque .. 255 clear):
// 255 - t, t clamped to 0..255.
int layeredAlpha(int transparency);

// The civil-month selector's items: "   1月" .. "  12月".
std::vector<std::string> civilMonthItems();

// The civil-day selector's items for a month: " 1日" .. "31日" by the month's length;
// for October 1582 the 21 items 1..4 and 15..31. Empty for a month that does not exist.
std::vector<std::string> civilDayItems(int year, int month);

// Day shown by item k (1-based) of the civil-day selector; 0 when there is no such item.
int civilDayOfItem(int year, int month, int item);

// Item (1-based) of the civil-day selector that shows a day; 0 when not listed.
int civilItemOfDay(int year, int month, int day);

// The day kept when the civil year or month changes: days 5..14 of October 1582 become 4,
// a day past the month's end becomes its last day.
int keptCivilDay(int year, int month, int day);

// The civil-year selector's items: yearText + "年" for minYear..maxYear ("    2024年").
std::vector<std::string> civilYearItems(const AppSettings& settings);

// Item (1-based) of the civil-year selector that shows a year; 0 outside the range.
int civilYearItemOf(const AppSettings& settings, int year);

// A lunar-year selector item with its padding: eraYearText when LunarYearShowDynastyFlag
// is 1, else chineseYearText, then "年" ("  二○二四年"); "" outside -9998..9999.
std::string lunarYearItem(const AppSettings& settings, int lunarYear);

// The lunar-year selector's items: the years of lowerLunarBound .. upperLunarBound.
std::vector<std::string> lunarYearItems(const AppSettings& settings);

// Item (1-based) of the lunar-year selector that shows a lunar year; 0 outside the range.
int lunarYearItemOf(const AppSettings& settings, int lunarYear);

// SizedMonthCodes of the months listed for a lunar year, in calendar order with the leap
// month after its ordinary month; in the years of the two bounds only the months inside
// the range. Empty for a year without a record or outside the range.
std::vector<int> lunarMonthsListed(const AppSettings& settings, int lunarYear);

// Lunar-month selector item of a SizedMonthCode: two spaces + "正月大" for an ordinary
// month, "闰四月小" for a leap month; "" outside 1..48.
std::string lunarMonthItem(int sizedMonth);

// Item texts of lunarMonthsListed.
std::vector<std::string> lunarMonthItems(const AppSettings& settings, int lunarYear);

// Item (1-based) of the lunar-month selector that shows a month (MonthCode or
// SizedMonthCode); 0 when not listed.
int lunarMonthItemOf(const AppSettings& settings, int lunarYear, int month);

// First and last day listed for a lunar month (SizedMonthCode): 1 .. 29 or 30 by its
// size, narrowed to the range in the months of the two bounds; {0, 0} when none.
struct DaySpan {
    int first = 0;
    int last = 0;
    friend bool operator==(const DaySpan&, const DaySpan&) = default;
};
DaySpan lunarDaysListed(const AppSettings& settings, int lunarYear, int sizedMonth);

// The lunar-day selector's items: lunarDayName of every listed day.
std::vector<std::string> lunarDayItems(const AppSettings& settings, int lunarYear, int sizedMonth);

// What every selector shows for the displayed day: the selected item (1-based; 0 when the
// day is not listed) of the six selectors in control order.
struct SelectorPositions {
    int civilYear = 0;
    int civilMonth = 0;
    int civilDay = 0;
    int lunarYear = 0;
    int lunarMonth = 0;
    int lunarDay = 0;
    friend bool operator==(const SelectorPositions&, const SelectorPositions&) = default;
};
SelectorPositions selectorPositions(const AppSettings& settings);

// Selection changes. Each takes the 1-based item now selected, moves the displayed day as
// the widget does and keeps the civil and lunar dates in step; false, with the settings
// unchanged, when the item does not exist or the new day does not convert.
// Civil year or month: the day is kept, October 1582 days 5..14 becoming 4 and a day past
// the month's end the last day.
bool chooseCivilYear(AppSettings& settings, int item);
bool chooseCivilMonth(AppSettings& settings, int item);
// Civil day: for October 1582 items 5..21 are days 15..31.
bool chooseCivilDay(AppSettings& settings, int item);
// Lunar year: the month is kept (a leap month the year lacks becomes its ordinary month;
// clamped into the range at the bounds), the day clamped to the month's length and range.
bool chooseLunarYear(AppSettings& settings, int item);
// Lunar month: the listed month at that item; the day clamped as above.
bool chooseLunarMonth(AppSettings& settings, int item);
// Lunar day: the listed day at that item.
bool chooseLunarDay(AppSettings& settings, int item);

// Takes selectedSolarDate as the shown day: sets selectedLunarDate to its lunar date.
// False, with nothing changed, when the date does not convert.
bool followSolarDate(AppSettings& settings);

// Takes selectedLunarDate as the shown day: sets selectedSolarDate to its civil date.
// False, with nothing changed, when the lunar date does not exist.
bool followLunarDate(AppSettings& settings);

}  // namespace tavomerix
