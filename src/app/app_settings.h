#pragma once

namespace tavomerix {

// Window mode of the widget; always starts as Topmost and is never stored.
enum class WindowMode { Topmost, Normal, Embedded };

// A lunar date as the selectors hold it: lunar year (astronomical), SizedMonthCode, day.
struct LunarSelection {
    int year = 0;
    int sizedMonth = 0;
    int day = 0;
};

// A civil date as the selectors hold it.
struct SolarSelection {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// The program-wide settings record: loaded from the registry at start-up, read by every
// computation. Field names follow the registry value names where there is one.
struct AppSettings {
    int registryEnabled = 0;               // 1 when the registry holds our permission mark
    int TimeZoneHours = 8;                 // hours east of Greenwich, -12..12
    int GanZhiFromLichunFlag = 0;          // 1: sexagenary year and months start at 立春
    int LunarYearShowDynastyFlag = 0;      // 1: lunar-year selector shows era names
    int FestivalInfoShowMuharramFlag = 0;  // 1: festival line shows the Hijri date
    int ModernCalculateAncientFlag = 0;    // 1: modern astronomy for ancient years too
    int RFORMTransFlag = 0;                // transparency step 0..9
    int SolarYearAreaValue = 4200;         // civil years offered, 4200..10000

    // Run-time values, never stored.
    int minYear = -100;
    int maxYear = 4100;
    LunarSelection lowerLunarBound;
    LunarSelection upperLunarBound;
    SolarSelection selectedSolarDate;
    LunarSelection selectedLunarDate;
    WindowMode windowMode = WindowMode::Topmost;
    int positionLocked = 0;
};

// The one settings record of the run.
AppSettings& appSettings();

// True when terms, phases and lunar years come from modern astronomy for every date:
// ModernCalculateAncientFlag is on, or the time zone is not 8.
bool modernAstronomy();

// Earliest and latest civil year offered for a SolarYearAreaValue (-100 and 4100 for 4200).
int minYearForArea(int solarYearAreaValue);
int maxYearForArea(int solarYearAreaValue);

// Sets the time zone and the regime for one scope (tests, command-line options) and
// restores the previous values; the lunar-year cache is emptied whenever the effective
// regime (modern astronomy or the time zone) changes.
class ScopedCalendarSettings {
public:
    ScopedCalendarSettings(int timeZoneHours, int modernCalculateAncientFlag);
    ~ScopedCalendarSettings();
    ScopedCalendarSettings(const ScopedCalendarSettings&) = delete;
    ScopedCalendarSettings& operator=(const ScopedCalendarSettings&) = delete;

private:
    int savedTimeZoneHours_;
    int savedModernFlag_;
};

}  // namespace tavomerix
