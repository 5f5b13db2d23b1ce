#pragma once

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/day_view.h"

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

// What the registry holds for the widget. Field names follow the registry value names
// where there is one.
struct StoredSettings {
    int registryEnabled = 0;               // 1 when the registry holds our permission mark
    int otherVersionData = 0;              // 1 when Version holds another mark: the key is
                                           // another version's, never read, written or deleted
    int TimeZoneHours = 8;                 // NowTimeZoneCodeFlag: hours east of Greenwich, -12..12
    int GanZhiFromLichunFlag = 0;          // 1: sexagenary year and months start at 立春
    int LunarYearShowDynastyFlag = 0;      // 1: lunar-year selector shows era names
    int FestivalInfoShowMuharramFlag = 0;  // 1: festival line shows the Hijri date
    int ModernCalculateAncientFlag = 0;    // 1: modern astronomy for ancient years too
    int RFORMTransFlag = 0;                // transparency step 0..9
    int SolarYearAreaValue = 4200;         // civil years offered, 4200..10000
};

// The widget's window state: run-time values, never stored.
struct WindowState {
    int minYear = -100;
    int maxYear = 4100;
    LunarSelection lowerLunarBound;
    LunarSelection upperLunarBound;
    SolarSelection selectedSolarDate;
    LunarSelection selectedLunarDate;
    WindowMode windowMode = WindowMode::Topmost;
    int positionLocked = 0;
};

// The widget's settings record: what is stored, and the window's state. The calendar
// context is made from the stored part (calendarContext).
struct AppSettings {
    StoredSettings stored;
    WindowState window;
};

// The calendar context of stored settings: their time zone, and the Modern regime when
// ModernCalculateAncientFlag is 1 (a zone other than 8 is modern anyway).
CalendarContext calendarContext(const StoredSettings& stored);

// The shared calendar of the settings' context.
const LunarCalendar& calendarOf(const StoredSettings& stored);
const LunarCalendar& calendarOf(const AppSettings& settings);

// Where the settings let sexagenary years begin.
GanzhiYearStart ganzhiYearStart(const StoredSettings& stored);

// The day view's options from the settings: the sexagenary year start, era names and the
// Hijri line; the commemoration days are shown only while the registry is in use.
DayViewOptions dayViewOptions(const StoredSettings& stored, const CommemorationDays* days);

// Earliest and latest civil year offered for a SolarYearAreaValue (-100 and 4100 for 4200).
int minYearForArea(int solarYearAreaValue);
int maxYearForArea(int solarYearAreaValue);

}  // namespace tavomerix
