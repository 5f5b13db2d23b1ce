#include "app/settings_store.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "chinese/lunar_conversion.h"

namespace tavomerix {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int DefaultTimeZoneHours = 8;
constexpr int MinSolarYearArea = 4200;
constexpr int MaxSolarYearArea = 10000;
constexpr int MaxTransparencyStep = 9;

std::string readSetting(std::string_view name) { return readRegistryText(SettingsKey, name); }

// 1 when the stored number is not 0, else 0 (a missing value gives 0).
int readFlag(std::string_view name) { return leadingNumber(readSetting(name)) != 0 ? 1 : 0; }

// The value of text when it is exactly the decimal form of an integer in [low, high]
// (no sign for positive values, no leading zeros), otherwise fallback.
int exactInteger(const std::string& text, int low, int high, int fallback) {
    for (int n = low; n <= high; ++n) {
        if (text == std::to_string(n)) return n;
    }
    return fallback;
}

}  // namespace

double leadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t start = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    size_t digits = i - start;
    if (i < text.size() && text[i] == '.') {
        const size_t fraction = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        digits += i - fraction;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    // The text is now plain decimal, so strtod cannot read hex, inf or nan from it; it
    // gives HUGE_VAL on overflow and 0 on underflow.
    const std::string number(text.substr(start, i - start));
    const double value = std::strtod(number.c_str(), nullptr);
    return negative ? -value : value;
}

int roundedClamp(double value, int low, int high) {
    if (std::isnan(value) || value <= low) return low;
    if (value >= high) return high;
    return static_cast<int>(std::nearbyint(value));  // default rounding: half to even
}

void loadSettings(AppSettings& settings) {
    settings.stored.registryEnabled = readSetting("Version") == PermissionMark ? 1 : 0;
    // A mark of any other text or type belongs to another version (older, newer, or edited
    // by hand): its settings and commemoration days are left exactly as they are.
    settings.stored.otherVersionData =
        settings.stored.registryEnabled == 0 && registryValueExists(SettingsKey, "Version") ? 1 : 0;
    settings.stored.TimeZoneHours = DefaultTimeZoneHours;
    settings.stored.GanZhiFromLichunFlag = 0;
    settings.stored.LunarYearShowDynastyFlag = 0;
    settings.stored.FestivalInfoShowMuharramFlag = 0;
    settings.stored.ModernCalculateAncientFlag = 0;
    settings.stored.RFORMTransFlag = 0;
    settings.stored.SolarYearAreaValue = MinSolarYearArea;
    settings.window.windowMode = WindowMode::Topmost;
    settings.window.positionLocked = 0;
    if (settings.stored.registryEnabled == 0) return;

    // The exact texts "-12" .. "12" are accepted as a time-zone code.
    settings.stored.TimeZoneHours =
        exactInteger(readSetting("NowTimeZoneCodeFlag"), MinTimeZoneHours, MaxTimeZoneHours,
                     DefaultTimeZoneHours);
    settings.stored.FestivalInfoShowMuharramFlag = readFlag("FestivalInfoShowMuharramFlag");
    settings.stored.LunarYearShowDynastyFlag = readFlag("LunarYearShowDynastyFlag");
    settings.stored.GanZhiFromLichunFlag = readFlag("GanZhiFromLichunFlag");
    settings.stored.ModernCalculateAncientFlag =
        settings.stored.TimeZoneHours == DefaultTimeZoneHours
            ? readFlag("ModernCalculateAncientFlag")
            : 1;
    settings.stored.RFORMTransFlag =
        exactInteger(readSetting("RFORMTransFlag"), 1, MaxTransparencyStep, 0);
    settings.stored.SolarYearAreaValue = roundedClamp(
        leadingNumber(readSetting("SolarYearAreaValue")), MinSolarYearArea, MaxSolarYearArea);
}

void prepareStartDates(AppSettings& settings, const CivilDate& today) {
    settings.window.selectedSolarDate = {today.year, today.month, today.day};
    settings.window.minYear = minYearForArea(settings.stored.SolarYearAreaValue);
    settings.window.maxYear = maxYearForArea(settings.stored.SolarYearAreaValue);
    updateLunarBounds(settings);
    settings.window.selectedLunarDate = lunarSelection(solarToLunar(calendarOf(settings), today));
}

void updateLunarBounds(AppSettings& settings) {
    const LunarCalendar& calendar = calendarOf(settings);
    settings.window.upperLunarBound =
        lunarSelection(solarToLunar(calendar, {settings.window.maxYear, 12, 31}));
    settings.window.lowerLunarBound =
        lunarSelection(solarToLunar(calendar, {settings.window.minYear, 1, 1}));
}

LunarSelection lunarSelection(const LunarDate& date) {
    if (!date.valid()) return {0, 0, 0};
    return {date.year, date.sizedMonthCode(), date.day};
}

std::vector<SettingText> settingsToSave(const AppSettings& settings, int windowLeft,
                                        int windowTop) {
    return {
        {"Version", std::string(PermissionMark)},
        {"rFormLeft", std::to_string(windowLeft)},
        {"rFormTop", std::to_string(windowTop)},
        {"GanZhiFromLichunFlag", std::to_string(settings.stored.GanZhiFromLichunFlag)},
        {"LunarYearShowDynastyFlag", std::to_string(settings.stored.LunarYearShowDynastyFlag)},
        {"FestivalInfoShowMuharramFlag",
         std::to_string(settings.stored.FestivalInfoShowMuharramFlag)},
        {"ModernCalculateAncientFlag", std::to_string(settings.stored.ModernCalculateAncientFlag)},
        {"RFORMTransFlag", std::to_string(settings.stored.RFORMTransFlag)},
    };
}

void saveOrWipeSettings(const AppSettings& settings, int windowLeft, int windowTop) {
    if (settings.stored.registryEnabled == 1) {
        for (const SettingText& s : settingsToSave(settings, windowLeft, windowTop)) {
            writeRegistryText(SettingsKey, s.name, s.text);
        }
        return;
    }
    if (settings.stored.otherVersionData == 1) return;
    wipeStoredSettings();
}

void wipeStoredSettings() {
    deleteCommemorationDays();
    deleteRegistryKey(SettingsKey);
}

}  // namespace tavomerix
