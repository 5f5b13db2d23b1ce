#pragma once

#include <string>

namespace tavomerix {

// What the main window shows for one civil date, line by line, with the settings in
// force (time zone, regime, GanZhiFromLichunFlag, LunarYearShowDynastyFlag,
// FestivalInfoShowMuharramFlag, registryEnabled).
struct DayView {
    std::string civilCode;     // civil DateCode, "AD02-10-2024"
    std::string lunarCode;     // lunar DateCode with its SizedMonthCode, "AD25-01-2024"
    std::string lunarText;     // lunar year item, month and day: "二○二四年 正月大 初一"
    std::string dayLine;       // "星期六 水瓶座  甲辰(龙)年丙寅月甲子日"
    std::string festivalLine;  // festivals and commemoration days, or the Hijri date; may be ""
    std::string seasonLine;    // next solar term and seasonal periods
};

// The day view of a civil date, every line trimmed of leading and trailing spaces. All
// lines are "" unless the date is valid, in years -8999..9000, and converts to a lunar
// date.
DayView dayView(int year, int month, int day);

// The lunar-year item of the main window's selector, trimmed: eraYearText when
// LunarYearShowDynastyFlag is 1, else chineseYearText, then "年" ("二○二四年"); "" for a
// year outside -9998..9999.
std::string lunarYearItemText(int lunarYear);

}  // namespace tavomerix
