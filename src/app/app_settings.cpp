#include "app/app_settings.h"

namespace tavomerix {

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
    appSettings().TimeZoneHours = timeZoneHours;
    appSettings().ModernCalculateAncientFlag = modernCalculateAncientFlag;
}

ScopedCalendarSettings::~ScopedCalendarSettings() {
    appSettings().TimeZoneHours = savedTimeZoneHours_;
    appSettings().ModernCalculateAncientFlag = savedModernFlag_;
}

}  // namespace tavomerix
