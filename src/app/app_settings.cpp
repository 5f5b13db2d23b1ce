#include "app/app_settings.h"

#include "chinese/lunar_year.h"

namespace tavomerix {
namespace {

// Sets the zone and flag; the lunar-year cache is emptied when the effective regime changes.
void applyCalendarSettings(int timeZoneHours, int modernCalculateAncientFlag) {
    AppSettings& s = appSettings();
    const bool wasModern = modernAstronomy();
    const int oldZone = s.TimeZoneHours;
    s.TimeZoneHours = timeZoneHours;
    s.ModernCalculateAncientFlag = modernCalculateAncientFlag;
    if (modernAstronomy() != wasModern || timeZoneHours != oldZone) clearLunarYearCache();
}

}  // namespace

AppSettings& appSettings() {
    static AppSettings settings;
    return settings;
}

bool modernAstronomy() {
    const AppSettings& s = appSettings();
    return s.ModernCalculateAncientFlag != 0 || s.TimeZoneHours != 8;
}

int maxYearForArea(int solarYearAreaValue) { return solarYearAreaValue / 2 + 2000; }

int minYearForArea(int solarYearAreaValue) {
    return 2000 - (solarYearAreaValue - solarYearAreaValue / 2);
}

ScopedCalendarSettings::ScopedCalendarSettings(int timeZoneHours, int modernCalculateAncientFlag)
    : savedTimeZoneHours_(appSettings().TimeZoneHours),
      savedModernFlag_(appSettings().ModernCalculateAncientFlag) {
    applyCalendarSettings(timeZoneHours, modernCalculateAncientFlag);
}

ScopedCalendarSettings::~ScopedCalendarSettings() {
    applyCalendarSettings(savedTimeZoneHours_, savedModernFlag_);
}

}  // namespace tavomerix
