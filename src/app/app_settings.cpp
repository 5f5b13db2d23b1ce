#include "app/app_settings.h"

namespace tavomerix {

CalendarContext calendarContext(const StoredSettings& stored) {
    CalendarContext context;
    context.timeZoneHours = stored.TimeZoneHours;
    context.regime = stored.ModernCalculateAncientFlag != 0 ? Regime::Modern : Regime::Historical;
    return effectiveContext(context);
}

const LunarCalendar& calendarOf(const StoredSettings& stored) {
    return LunarCalendar::shared(calendarContext(stored));
}

const LunarCalendar& calendarOf(const AppSettings& settings) { return calendarOf(settings.stored); }

GanzhiYearStart ganzhiYearStart(const StoredSettings& stored) {
    return stored.GanZhiFromLichunFlag == 1 ? GanzhiYearStart::Lichun
                                            : GanzhiYearStart::LunarNewYear;
}

DayViewOptions dayViewOptions(const StoredSettings& stored, const CommemorationDays* days) {
    DayViewOptions options;
    options.ganzhiYearStart = ganzhiYearStart(stored);
    options.eraNames = stored.LunarYearShowDynastyFlag == 1;
    options.hijriLine = stored.FestivalInfoShowMuharramFlag == 1;
    options.commemorationDays = stored.registryEnabled == 1 ? days : nullptr;
    return options;
}

int maxYearForArea(int solarYearAreaValue) { return solarYearAreaValue / 2 + 2000; }

int minYearForArea(int solarYearAreaValue) {
    return 2000 - (solarYearAreaValue - solarYearAreaValue / 2);
}

}  // namespace tavomerix
