#include "app/settings_store.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/characters.h"

namespace tavomerix {

namespace {

std::string readSetting(std::string_view name) { return readRegistryText(SettingsKey, name); }

// How the text of a stored value becomes its setting.
enum class StoredText {
    Flag,          // 1 when the leading number is not 0, else 0 (a missing value gives 0)
    ExactInteger,  // exactly the decimal form of an integer in [low, high], else the default
    Number,        // the leading number rounded half to even and clamped to [low, high]
};

// One stored setting: its registry value name, its field (whose StoredSettings default is
// also the default here), how its text is read and whether the close request writes it.
struct StoredField {
    std::string_view name;
    int StoredSettings::*field;
    StoredText text;
    int low;
    int high;
    bool saved;
};

using S = StoredSettings;
using T = StoredText;

// In the order the close request writes them; the time zone and the year area are only read.
// clang-format off
constexpr StoredField StoredFields[] = {
    // value name                     field                            text             low               high              saved
    {"GanZhiFromLichunFlag",         &S::GanZhiFromLichunFlag,         T::Flag,         0,                1,                true},
    {"LunarYearShowDynastyFlag",     &S::LunarYearShowDynastyFlag,     T::Flag,         0,                1,                true},
    {"FestivalInfoShowMuharramFlag", &S::FestivalInfoShowMuharramFlag, T::Flag,         0,                1,                true},
    {"ModernCalculateAncientFlag",   &S::ModernCalculateAncientFlag,   T::Flag,         0,                1,                true},
    {"RFORMTransFlag",               &S::RFORMTransFlag,               T::ExactInteger, 0,                9,                true},
    {"NowTimeZoneCodeFlag",          &S::TimeZoneHours,                T::ExactInteger, MinTimeZoneHours, MaxTimeZoneHours, false},
    {"SolarYearAreaValue",           &S::SolarYearAreaValue,           T::Number,       4200,             10000,            false},
};
// clang-format on

// The value of text when it is exactly the decimal form of an integer in [low, high]
// (no sign for positive values, no leading zeros), otherwise fallback.
int exactInteger(const std::string& text, int low, int high, int fallback) {
    for (int n = low; n <= high; ++n) {
        if (text == std::to_string(n)) return n;
    }
    return fallback;
}

int storedValue(const StoredField& f, const std::string& text, int fallback) {
    switch (f.text) {
        case StoredText::Flag:
            return leadingNumber(text) != 0 ? 1 : 0;
        case StoredText::ExactInteger:
            return exactInteger(text, f.low, f.high, fallback);
        case StoredText::Number:
            return roundedClamp(leadingNumber(text), f.low, f.high);
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
    StoredSettings& stored = settings.stored;
    const StoredSettings defaults;
    stored.registryEnabled = readSetting("Version") == PermissionMark ? 1 : 0;
    // A mark of any other text or type belongs to another version (older, newer, or edited
    // by hand): its settings and commemoration days are left exactly as they are.
    stored.otherVersionData =
        stored.registryEnabled == 0 && registryValueExists(SettingsKey, "Version") ? 1 : 0;
    for (const StoredField& f : StoredFields) {
        const int fallback = defaults.*f.field;
        stored.*f.field =
            stored.registryEnabled == 1 ? storedValue(f, readSetting(f.name), fallback) : fallback;
    }
    // The official reckoning is that of UTC+8: any other zone computes with modern astronomy.
    if (stored.TimeZoneHours != defaults.TimeZoneHours) stored.ModernCalculateAncientFlag = 1;
    settings.window.windowMode = WindowMode::Topmost;
    settings.window.positionLocked = 0;
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
    std::vector<SettingText> values = {
        {"Version", std::string(PermissionMark)},
        {"rFormLeft", std::to_string(windowLeft)},
        {"rFormTop", std::to_string(windowTop)},
    };
    for (const StoredField& f : StoredFields) {
        if (f.saved)
            values.push_back({std::string(f.name), std::to_string(settings.stored.*f.field)});
    }
    return values;
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
