#pragma once

#include <string>
#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {

// Names of the ten stems, the twelve branches and the twelve zodiac animals (UTF-8);
// sexagenary number n (1 = 甲子 .. 60 = 癸亥) has stem (n - 1) mod 10, branch (n - 1) mod 12.
constexpr std::string_view HeavenlyStems[10] = {"甲", "乙", "丙", "丁", "戊",
                                                "己", "庚", "辛", "壬", "癸"};
constexpr std::string_view EarthlyBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳",
                                                  "午", "未", "申", "酉", "戌", "亥"};
constexpr std::string_view ZodiacAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                "马", "羊", "猴", "鸡", "狗", "猪"};

// Stem and branch of sexagenary number 1..60 ("甲" and "子" for 1), and the two together
// ("甲子"); "" outside 1..60.
std::string_view stemName(int number);
std::string_view branchName(int number);
std::string ganzhiName(int number);

// Where the sexagenary year and its months begin: at 正月初一, the months following the
// lunar months, or at 立春, the months beginning at the sectional terms (节).
enum class GanzhiYearStart { LunarNewYear, Lichun };

// Sexagenary number 1..60 of a day (Julian Day number 11 = 甲子); any day number.
int ganzhiDayOfDayNumber(int dayNumber);

// Sexagenary number 1..60 of a stem 0..9 (0 = 甲) and a branch 0..11 (0 = 子) of the same
// parity (甲子 = 1, 丙子 = 13).
int ganzhiOfStemBranch(int stem, int branch);

// Sexagenary number 1..60 of the sexagenary year that begins in civil year `year`
// (astronomical numbering; year 4 is 甲子).
int ganzhiYearOfYear(int year);

// Sexagenary number 1..60 of a civil day; 0 for an invalid date.
int ganzhiDay(const CivilDate& date);

// "甲子(鼠)年丙寅月戊午日" for a civil date in -8999..9000; "" when a part has no value.
std::string ganzhiText(const LunarCalendar& calendar, const CivilDate& date, GanzhiYearStart start);
std::string ganzhiText(const LunarCalendar& calendar, const CivilDay& day, GanzhiYearStart start);

// The sexagenary numbers (1..60, 0 when missing) of a day's year, month and day.
struct SexagenaryDay {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const SexagenaryDay&, const SexagenaryDay&) = default;
};

// The numbers of a civil day whose lunar date is known (LunarDate{} for none), its terms
// read from the calendar's term tables. The year begins at 正月初一 (0 for a year without a
// lunar record) or at 立春; the month follows the lunar months (a leap month taking the
// number of the month before it) or begins at the sectional terms (节); the month is 0
// without a lunar date or a term. SexagenaryDay{} for an invalid day or a year outside
// -8999..9000.
SexagenaryDay sexagenaryDay(const LunarCalendar& calendar, const CivilDay& day,
                            const LunarDate& lunar, GanzhiYearStart start);

// Sexagenary number 1..60 of month 1..12 of a sexagenary year (1 = 寅 month .. 11 = 子,
// 12 = 丑), from the year's number 1..60 by its stem; 0 when either is out of range.
int ganzhiMonthOfYear(int yearNumber, int monthOfYear);

// "甲子(鼠)年丙寅月戊午日" from the year, month and day numbers (1..60 each); "" when one of
// them is out of range.
std::string ganzhiTextOfNumbers(int yearNumber, int monthNumber, int dayNumber);

}  // namespace tavomerix
