#include "app/settings_store.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/registry.h"
#include "chinese/lunar_conversion.h"

namespace tavomerix {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The exact texts "-12" .. "12" accepted as a time-zone code.
constexpr int MinTimeZoneHours = -12;
constexpr int MaxTimeZoneHours = 12;

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
    settings.registryEnabled = readSetting("Version") == PermissionMark ? 1 : 0;
    settings.TimeZoneHours = DefaultTimeZoneHours;
    settings.GanZhiFromLichunFlag = 0;
    settings.LunarYearShowDynastyFlag = 0;
    settings.FestivalInfoShowMuharramFlag = 0;
    settings.ModernCalculateAncientFlag = 0;
    settings.RFORMTransFlag = 0;
    settings.SolarYearAreaValue = MinSolarYearArea;
    settings.windowMode = WindowMode::Topmost;
    settings.positionLocked = 0;
    if (settings.registryEnabled == 0) return;

    settings.TimeZoneHours = exactInteger(readSetting("NowTimeZoneCodeFlag"), MinTimeZoneHours,
                                          MaxTimeZoneHours, DefaultTimeZoneHours);
    settings.FestivalInfoShowMuharramFlag = readFlag("FestivalInfoShowMuharramFlag");
    settings.LunarYearShowDynastyFlag = readFlag("LunarYearShowDynastyFlag");
    settings.GanZhiFromLichunFlag = readFlag("GanZhiFromLichunFlag");
    settings.ModernCalculateAncientFlag = settings.TimeZoneHours == DefaultTimeZoneHours
                                              ? readFlag("ModernCalculateAncientFlag")
                                              : 1;
    settings.RFORMTransFlag = exactInteger(readSetting("RFORMTransFlag"), 1, MaxTransparencyStep, 0);
    settings.SolarYearAreaValue = roundedClamp(leadingNumber(readSetting("SolarYearAreaValue")),
                                               MinSolarYearArea, MaxSolarYearArea);
}

void prepareStartDates(AppSettings& settings, const CivilDate& today) {
    settings.selectedSolarDate = {today.year, today.month, today.day};
    settings.minYear = minYearForArea(settings.SolarYearAreaValue);
    settings.maxYear = maxYearForArea(settings.SolarYearAreaValue);
    updateLunarBounds(settings);
    settings.selectedLunarDate = lunarSelection(solarToLunar(today.year, today.month, today.day));
}

void updateLunarBounds(AppSettings& settings) {
    settings.upperLunarBound = lunarSelection(solarToLunar(settings.maxYear, 12, 31));
    settings.lowerLunarBound = lunarSelection(solarToLunar(settings.minYear, 1, 1));
}

LunarSelection lunarSelection(std::string_view lunarDateCode) {
    const DateCodeFields f = parseDateCode(lunarDateCode);
    if (!f.ok) return {0, 0, 0};
    return {f.year, f.month, f.day};
}

std::vector<SettingText> settingsToSave(const AppSettings& settings, int windowLeft, int windowTop) {
    return {
        {"Version", std::string(PermissionMark)},
        {"rFormLeft", std::to_string(windowLeft)},
        {"rFormTop", std::to_string(windowTop)},
        {"GanZhiFromLichunFlag", std::to_string(settings.GanZhiFromLichunFlag)},
        {"LunarYearShowDynastyFlag", std::to_string(settings.LunarYearShowDynastyFlag)},
        {"FestivalInfoShowMuharramFlag", std::to_string(settings.FestivalInfoShowMuharramFlag)},
        {"ModernCalculateAncientFlag", std::to_string(settings.ModernCalculateAncientFlag)},
        {"RFORMTransFlag", std::to_string(settings.RFORMTransFlag)},
    };
}

void saveOrWipeSettings(const AppSettings& settings, int windowLeft, int windowTop) {
    if (settings.registryEnabled == 1) {
        for (const SettingText& s : settingsToSave(settings, windowLeft, windowTop)) {
            writeRegistryText(SettingsKey, s.name, s.text);
        }
        return;
    }
    deleteRegistryKey(LunarFestivalKey);
    deleteRegistryKey(SolarFestivalKey);
    deleteRegistryKey(SettingsKey);
}

}  // namespace tavomerix
