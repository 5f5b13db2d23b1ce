#pragma once

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/names.h"

namespace tavomerix {

// First year of a festival shown in every year of the day-information range, BC included.
constexpr int EveryYear = MinDayInfoYear;

// A fixed civil festival: shown on month-day from firstYear on.
struct SolarFestival {
    int month = 0;
    int day = 0;
    std::string_view text;
    int firstYear = 0;
};

// The fixed civil festivals, sorted by month and day, at most one row per date. 7-1 shows
// this row's text from 1927 and HongKongReturnText from 1999.
// clang-format off
constexpr SolarFestival SolarFestivalTable[] = {
    { 1,  1, "元旦节", EveryYear},
    { 2,  2, "世界湿地日", 1997},
    { 2, 10, "国际气象节", 1991},
    { 2, 14, "情人节", EveryYear},
    { 3,  1, "国际海豹节", 1983},
    { 3,  3, "爱耳日", 2000},
    { 3,  5, "学雷锋纪念日", 1963},
    { 3,  8, "国际妇女节", 1911},
    { 3, 12, "植树节", 1979},
    { 3, 14, "国际警察节", 2004},
    { 3, 15, "国际消费者权益日", 1983},
    { 3, 21, "世界森林日", 1972},
    { 3, 22, "世界水日", 1993},
    { 3, 23, "世界气象日", 1960},
    { 4,  1, "愚人节", 1564},
    { 4,  7, "世界卫生日", 1950},
    { 4, 22, "世界地球日", 1970},
    { 5,  1, "国际劳动节", 1889},
    { 5,  4, "青年节", 1939},
    { 5,  8, "世界红十字日", 1948},
    { 5, 12, "国际护士节", 1912},
    { 5, 15, "国际家庭日", 1994},
    { 5, 17, "世界电信日", 1969},
    { 5, 31, "世界无烟日", 1988},
    { 6,  1, "国际儿童节", 1949},
    { 6,  5, "世界环境保护日", 1974},
    { 6,  6, "爱眼日", 1996},
    { 6, 23, "国际奥林匹克日", 1948},
    { 6, 25, "土地日", 1991},
    { 6, 26, "国际禁毒日", 1987},
    { 7,  1, "建党纪念日", 1927},
    { 7, 11, "世界人口日", 1987},
    { 8,  1, "建军节", 1927},
    { 8,  8, "男子节", 1988},
    { 8, 12, "国际青年日", 2000},
    { 9,  8, "世界扫盲日", 1966},
    { 9, 10, "教师节", 1985},
    { 9, 20, "爱牙日", 1989},
    { 9, 27, "世界旅游日", 1980},
    {10,  1, "国庆节", 1949},
    {10,  4, "世界动物日", 1949},
    {10,  5, "世界教师日", 1944},
    {10,  9, "世界邮政日", 1969},
    {10, 12, "世界60亿人口日", 1999},
    {10, 14, "世界标准日", 1969},
    {10, 15, "国际盲人节", 1984},
    {10, 16, "世界粮食日", 1979},
    {10, 24, "联合国日", 1948},
    {10, 31, "万圣节", EveryYear},
    {11, 10, "世界青年日", 1946},
    {11, 11, "光棍节", 1901},
    {11, 16, "国际宽容日", 1996},
    {11, 20, "世界儿童日", 1986},
    {11, 21, "世界电视日", 1996},
    {12,  1, "世界艾滋病日", 1988},
    {12,  3, "世界残疾人日", 1992},
    {12, 10, "世界人权日", 1950},
    {12, 20, "澳门回归纪念日", 1999},
    {12, 21, "国际篮球日", 1891},
    {12, 24, "平安夜", 440},
    {12, 25, "圣诞节", 440},
};
// clang-format on
static_assert(std::size(SolarFestivalTable) == 61);

// The 7-1 text from 1999 on (one string, one ASCII space): two festivals.
constexpr std::string_view HongKongReturnText = "建党纪念日 香港回归纪念日";
constexpr std::string_view HongKongReturnName =
    HongKongReturnText.substr(HongKongReturnText.find(' ') + 1);
constexpr int HongKongReturnFirstYear = 1999;

// A festival on the n-th weekday of a month, or on Easter Sunday (month 0).
struct FloatingFestival {
    std::string_view text;
    int month = 0;    // 1..12; 0 = Easter, any month
    int nth = 0;      // n-th occurrence, 1..5
    int weekday = 0;  // 0 = Monday .. 6 = Sunday
    int firstYear = 0;
};

// Month 0 of a FloatingFestival: astronomical Easter.
constexpr int EasterMonth = 0;

// The floating festivals: n-th weekday of a month, and Easter.
// clang-format off
constexpr FloatingFestival FloatingFestivals[] = {
    {"母亲节", 5, 2, Sunday, 1913},           // second Sunday of May
    {"父亲节", 6, 3, Sunday, 1934},           // third Sunday of June
    {"感恩节", 11, 4, Thursday, 1863},        // fourth Thursday of November
    {"复活节", EasterMonth, 0, Sunday, 325},  // astronomical Easter
};
// clang-format on
static_assert(std::size(FloatingFestivals) == 4);

// A fixed lunar festival: MonthCode 1..12 and lunar day.
struct LunarFestival {
    int month = 0;
    int day = 0;
    std::string_view text;
    int firstYear = 0;  // lunar year; 端午节 from -277 on
};

// The fixed lunar festivals; leap months carry none of them.
// clang-format off
constexpr LunarFestival LunarFestivalTable[] = {
    { 1,  1, "春节", EveryYear},
    { 1, 15, "元宵节", EveryYear},
    { 2,  2, "春龙节", EveryYear},
    { 5,  5, "端午节", -277},
    { 6, 24, "火把节", EveryYear},
    { 7,  7, "七夕节", EveryYear},
    { 7, 15, "中元节", EveryYear},
    { 8, 15, "中秋节", EveryYear},
    { 9,  9, "重阳节", EveryYear},
    {10,  1, "祭祖节", EveryYear},
    {12,  8, "腊八节", EveryYear},
};
// clang-format on
static_assert(std::size(LunarFestivalTable) == 11);

// Civil festivals of a date: the fixed one, then the floating ones (each after a space
// when the day already has a text), e.g. "国际护士节 母亲节". "" when none, and unless the
// date is valid and in years -8999..9000. Easter comes from the calendar.
std::string solarFestivalText(const LunarCalendar& calendar, const CivilDate& date);
std::string solarFestivalText(const LunarCalendar& calendar, const CivilDay& day);

// Day number (Julian Day number) of astronomical Easter of a civil year: the first Sunday
// after the first full moon on or after the day of 春分 (a full moon on a Sunday moves it
// a week on), in the calendar's zone and regime. InvalidDayNumber before 325 and outside
// -8999..9000.
int easterDayNumber(const LunarCalendar& calendar, int year);

// Lunar festival of a lunar date: the fixed table, "小年" on the 23rd and "除夕" on the last
// day of the year's last month (腊月, or 闰腊月 when the year has one). "" when none, and
// unless the lunar date is valid and the lunar year lies in -8999..9000.
std::string lunarFestivalText(const LunarCalendar& calendar, const LunarDate& date);

// Where a name of the festival line comes from; the line shows them in this order.
enum class FestivalKind { LunarCommemoration, CivilCommemoration, LunarFestival, CivilFestival };

// One festival or commemoration day of a day, its name whole (a name may hold spaces).
struct FestivalName {
    FestivalKind kind = FestivalKind::CivilFestival;
    std::string name;
    friend bool operator==(const FestivalName&, const FestivalName&) = default;
};

// The festivals of a civil day whose lunar date is already known (LunarDate{} for none),
// in the festival line's order: the user's lunar and civil commemoration days (none when
// `days` is null), the lunar festival, then the civil festivals one by one (7-1 from 1999
// holds two). Empty for an invalid date or a day with none.
std::vector<FestivalName> festivalNames(const LunarCalendar& calendar, const CivilDay& day,
                                        const LunarDate& lunar, const CommemorationDays* days);

// The festival line of a list of names: joined by single spaces ("" for none).
std::string festivalLineOf(const std::vector<FestivalName>& names);

// True when one of the names is `name`, whole.
bool hasFestival(const std::vector<FestivalName>& names, std::string_view name);

// What the festival line shows besides the festivals.
struct FestivalLineOptions {
    bool hijriLine = false;  // the Hijri date instead of everything else
    // The user's commemoration days, shown first; none when null.
    const CommemorationDays* commemorationDays = nullptr;
};

// The festival line of the main window for a civil date: the Hijri line instead when
// asked; otherwise the user's lunar and civil commemoration days, the lunar festival and
// the civil festivals, joined by single spaces and trimmed. "" for an invalid date or a day
// with nothing.
std::string festivalLine(const LunarCalendar& calendar, const CivilDate& date,
                         const FestivalLineOptions& options);
// The same for a civil day whose lunar date is already known (LunarDate{} for none).
std::string festivalLine(const LunarCalendar& calendar, const CivilDay& day, const LunarDate& lunar,
                         const FestivalLineOptions& options);

}  // namespace tavomerix
