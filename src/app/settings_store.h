#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "calendar/julian_day.h"

namespace tavomerix {

// Registry key of the program's settings under HKEY_CURRENT_USER (the commemoration days
// have their keys below it: commemoration_store.h).
constexpr std::string_view SettingsKey = "Software\\Tavomerix";

// The text of the value Version that marks the user's permission to use the registry.
constexpr std::string_view PermissionMark = "3.3";

// The leading decimal number of a text: optional blanks, sign, digits, fraction and
// exponent, read as far as they go ("12abc" 12, " -3.5" -3.5, "1e3" 1000). 0 when the
// text does not start with a number; +-HUGE_VAL when the number overflows a double.
double leadingNumber(std::string_view text);

// A double rounded half to even and clamped to [low, high]; low for NaN.
int roundedClamp(double value, int low, int high);

// Loads the settings from the registry into the record: the permission mark, the time
// zone, the four flags, the transparency step and the year area, each replaced by its
// default or clamped when missing or malformed; the window mode starts Topmost and the
// position unlocked. Without the permission mark every value is its default; a Version
// value of another text or type marks another version's data (otherVersionData).
void loadSettings(AppSettings& settings);

// The start-up dates, computed with the settings already loaded: today as the selected
// civil date, the year range from SolarYearAreaValue (minYear, maxYear), the lunar dates of
// 1 January minYear and 31 December maxYear, and today's lunar date.
void prepareStartDates(AppSettings& settings, const CivilDate& today);

// Recomputes lowerLunarBound and upperLunarBound, the lunar dates of 1 January minYear and
// 31 December maxYear, under the settings' calendar.
void updateLunarBounds(AppSettings& settings);

// The selectors' form of a lunar date: year, SizedMonthCode and day; all 0 for LunarDate{}.
LunarSelection lunarSelection(const LunarDate& date);

// One registry value to write: its name and decimal text.
struct SettingText {
    std::string name;
    std::string text;
};

// The values saved at the close request, in the order they are written: Version "3.3",
// rFormLeft, rFormTop, GanZhiFromLichunFlag, LunarYearShowDynastyFlag,
// FestivalInfoShowMuharramFlag, ModernCalculateAncientFlag, RFORMTransFlag. The time zone,
// the year area and the window mode are never written.
std::vector<SettingText> settingsToSave(const AppSettings& settings, int windowLeft, int windowTop);

// At the close request: with the permission mark, writes Version, the window's left and
// top (screen pixels), then the four flags and the transparency step; with another
// version's mark, touches nothing; with no mark at all (or permission turned off in this
// run), deletes both commemoration-day keys and then the settings key (wipeStoredSettings).
void saveOrWipeSettings(const AppSettings& settings, int windowLeft, int windowTop);

// Deletes both commemoration-day keys and then the settings key.
void wipeStoredSettings();

}  // namespace tavomerix
