#pragma once

#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/day_facts.h"

namespace tavomerix {

// How the day view is shown: the widget's display settings and the user's days.
struct DayViewOptions {
    GanzhiYearStart ganzhiYearStart = GanzhiYearStart::LunarNewYear;
    bool eraNames = false;   // name lunar years by their reign era (104 BC .. 1911)
    bool hijriLine = false;  // the Hijri date instead of the festivals
    // The user's commemoration days, shown first on the festival line; none when null.
    const CommemorationDays* commemorationDays = nullptr;
};

// What the main window shows for one civil date, line by line.
struct DayView {
    CivilDate civil;           // the date shown
    LunarDate lunar;           // its lunar date, with the long-month flag
    std::string lunarText;     // lunar year item, month and day: "二○二四年 正月大 初一"
    std::string dayLine;       // "星期六 水瓶座  甲辰(龙)年丙寅月甲子日"
    std::string festivalLine;  // festivals and commemoration days, or the Hijri date; may be ""
    std::string seasonLine;    // next solar term and seasonal periods
};

// The day view of a civil date in the calendar's zone and regime, every line trimmed of
// leading and trailing spaces. Every field is empty (DayView{}) unless the date is valid,
// in years -8999..9000, and converts to a lunar date.
DayView dayView(const LunarCalendar& calendar, const CivilDate& date,
                const DayViewOptions& options);
// The day view made from a day's facts (computed with options.commemorationDays); the
// calendar gives the seasonal periods. DayView{} for facts that are not valid.
DayView dayView(const LunarCalendar& calendar, const DayFacts& facts,
                const DayViewOptions& options);

// The lunar-year item of the main window's selector, trimmed: eraYearText with eraNames,
// else chineseYearText, then "年" ("二○二四年"); "" for a year outside -9998..9999.
std::string lunarYearItemText(int lunarYear, bool eraNames);

}  // namespace tavomerix
