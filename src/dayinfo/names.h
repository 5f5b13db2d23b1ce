#pragma once

#include <string>
#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_year.h"

namespace tavomerix {

// Name tables, UTF-8, 0-based: entry k - 1 names number k (TermNumber 1 = 小寒, lunar
// month 1 = 正月, lunar day 1 = 初一, weekday index 0 = 星期一); ChineseDigits[d] is the
// digit d (○ for 0). The accessors below take the 1-based numbers.
constexpr std::string_view SolarTermNames[24] = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};
constexpr std::string_view LunarMonthNames[12] = {
    "正月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "冬月", "腊月",
};
constexpr std::string_view LunarDayNames[30] = {
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};
constexpr std::string_view WeekdayNames[7] = {
    "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日",
};
constexpr std::string_view ChineseDigits[10] = {
    "○", "一", "二", "三", "四", "五", "六", "七", "八", "九",
};

// Years accepted by the day operations (weekday, zodiac sign, next term, festivals).
constexpr int MinDayInfoYear = -8999;
constexpr int MaxDayInfoYear = 9000;

// True for a valid civil date of years -8999..9000.
bool isDayInfoDate(const CivilDate& date);

// Name of TermNumber k (1 = 小寒 .. 24 = 冬至); "" outside 1..24.
std::string_view solarTermName(int k);

// Name of lunar month 1..12 (正月 .. 腊月); "" outside.
std::string_view lunarMonthName(int month);

// "一" .. "九" for 1..9; "" otherwise (0 included).
std::string digitName(int n);

// Name of a MonthCode 1..24 without its size: "四月", "闰四月" (16); "" outside.
std::string lunarMonthCodeName(int monthCode);

// Month text of a SizedMonthCode 1..48: "闰" for a leap month, the month name, "大" or
// "小" (1 正月小, 37 闰正月大, 48 闰腊月大); "" outside 1..48.
std::string lunarMonthText(int sizedMonthCode);

// Name of lunar day 1..30 (初一 .. 三十); "" outside.
std::string lunarDayName(int day);

// A lunar date by its year number and names: "2024年正月初一", "2025年闰六月初一",
// "-103年正月初一"; "" for LunarDate{} or a month or day out of range.
std::string lunarDateName(const LunarDate& date);

// 星期一 .. 星期日 of a day (WeekdayNames[weekdayOfDayNumber]); any day number.
std::string_view weekdayNameOfDay(int dayNumber);

// 星期一 .. 星期日 of a civil date; "" unless isDayInfoDate.
std::string weekdayName(const CivilDate& date);

// Western zodiac sign of a civil date by month and day alone (12-21 射手座, 12-22 摩羯座);
// "" unless isDayInfoDate.
std::string zodiacSignName(const CivilDate& date);

}  // namespace tavomerix
