#include "chinese/sexagenary.h"

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"

namespace tavomerix {
namespace {

// Sexagenary number of civil year y's own sexagenary year (shift 1), of the one before
// (shift 0) or after (shift 2); year 4 is 甲子.
int yearNumber(int year, int shift) { return ganzhiYearOfYear(year + shift - 1); }

// A civil day with its lunar date, and the calendar whose term tables the year and month
// rules read.
struct DateParts {
    const LunarCalendar& calendar;
    CivilDate date;
    int dayNumber;
    const LunarDate& lunar;
};

// Day of the first 立春 on or after a day.
int lichunDay(const DateParts& p, int day) { return p.calendar.termDay(day, Lichun); }

// TermNumber 1..24 of the term in effect on the day; 0 when unknown.
int termOfDay(const DateParts& p) {
    const TermEvent next = p.calendar.nextTerm(p.dayNumber);
    if (next.number == 0) return 0;
    return floorToInt(next.instant) > p.dayNumber ? (next.number + 22) % 24 + 1 : next.number;
}

int yearFromNewYear(const DateParts& p) {
    const LunarYear& lunar = p.calendar.lunarYear(p.date.year);
    if (!lunar.valid()) return 0;
    return yearNumber(p.date.year, p.dayNumber < lunar.newYearDay() ? 0 : 1);
}

// The day of the year at which the sexagenary year turns is the 立春 day; a year whose
// first 立春 falls within its first ten days may hold a second one late in December, and
// one whose first 立春 falls after day 180 held the turn in the previous year.
int yearFromLichun(const DateParts& p) {
    const int year = p.date.year;
    const int firstDay = julianDayNumber(year, 1, 1);
    const int lichun = lichunDay(p, firstDay) - firstDay + 1;  // day of the year
    int turn = -400;                                           // first turn
    int secondTurn = lichun;
    if (lichun < 180) {
        turn = lichun;
        secondTurn = lichun < 10 ? lichunDay(p, firstDay + 180) - firstDay + 1 : 400;
    }
    const int n = p.dayNumber - firstDay + 1;
    if (n < turn) return yearNumber(year, 0);
    return yearNumber(year, n < secondTurn ? 1 : 2);
}

int yearOf(const DateParts& p, GanzhiYearStart start) {
    return start == GanzhiYearStart::Lichun ? yearFromLichun(p) : yearFromNewYear(p);
}

// Number of the month (1 = 寅 month .. 12 = 丑 month, counted from the year's first month)
// for a date; 0 without lunar data.
int monthOfYear(const DateParts& p, GanzhiYearStart start) {
    if (start == GanzhiYearStart::Lichun) {
        const int term = termOfDay(p);  // 1..24
        if (term == 0) return 0;
        const int k = floorDiv(term - 1, 2) + 1;  // 1 = 丑 month (小寒 ..) .. 12 = 子 month
        return k == 1 ? 12 : k - 1;
    }
    return p.lunar.valid() ? p.lunar.month : 0;  // a leap month counts as the month before it
}

int zodiacOf(int yearNumberValue) {
    return yearNumberValue >= 1 ? floorMod(yearNumberValue - 1, 12) + 1 : 0;
}

void appendName(std::string& text, int number) {
    text += stemName(number);
    text += branchName(number);
}

}  // namespace

std::string_view stemName(int number) {
    return number >= 1 && number <= 60 ? HeavenlyStems[(number - 1) % 10] : "";
}

std::string_view branchName(int number) {
    return number >= 1 && number <= 60 ? EarthlyBranches[(number - 1) % 12] : "";
}

std::string ganzhiName(int number) {
    std::string name;
    appendName(name, number);
    return name;
}

int ganzhiOfStemBranch(int stem, int branch) { return floorMod(6 * stem - 5 * branch, 60) + 1; }

int ganzhiYearOfYear(int year) { return floorMod(year + 12056, 60) + 1; }

int ganzhiDayOfDayNumber(int dayNumber) { return floorMod(dayNumber - 11, 60) + 1; }

int ganzhiDay(const CivilDate& date) {
    const int jdn = julianDayNumber(date);
    return jdn == InvalidDayNumber ? 0 : ganzhiDayOfDayNumber(jdn);
}

std::string ganzhiText(const LunarCalendar& calendar, const CivilDate& date,
                       GanzhiYearStart start) {
    return ganzhiText(calendar, civilDay(date), start);
}

std::string ganzhiText(const LunarCalendar& calendar, const CivilDay& day, GanzhiYearStart start) {
    const SexagenaryDay numbers =
        sexagenaryDay(calendar, day, lunarDateOfDay(calendar, day), start);
    return ganzhiTextOfNumbers(numbers.year, numbers.month, numbers.day);
}

SexagenaryDay sexagenaryDay(const LunarCalendar& calendar, const CivilDay& day,
                            const LunarDate& lunar, GanzhiYearStart start) {
    const CivilDate& date = day.date;
    if (date.year < FirstConvertibleYear || date.year > LastConvertibleYear) return {};
    if (day.dayNumber == InvalidDayNumber) return {};
    const DateParts parts{calendar, date, day.dayNumber, lunar};
    SexagenaryDay numbers;
    numbers.year = yearOf(parts, start);
    const int k = numbers.year == 0 ? 0 : monthOfYear(parts, start);
    numbers.month = k == 0 ? 0 : ganzhiMonthOfYear(numbers.year, k);
    numbers.day = ganzhiDayOfDayNumber(day.dayNumber);
    return numbers;
}

int ganzhiMonthOfYear(int yearNumber, int monthOfYear) {
    if (yearNumber < 1 || yearNumber > 60 || monthOfYear < 1 || monthOfYear > 12) return 0;
    // 寅 month of the years whose stem is 甲/己, 乙/庚, 丙/辛, 丁/壬, 戊/癸.
    constexpr int FirstMonth[5] = {3, 15, 27, 39, 51};
    const int stem = (yearNumber - 1) % 10;  // 0 = 甲
    return floorMod(FirstMonth[stem % 5] + monthOfYear - 2, 60) + 1;
}

std::string ganzhiTextOfNumbers(int yearNumber, int monthNumber, int dayNumber) {
    const auto valid = [](int n) { return n >= 1 && n <= 60; };
    if (!valid(yearNumber) || !valid(monthNumber) || !valid(dayNumber)) return "";
    std::string text;
    text.reserve(40);
    appendName(text, yearNumber);
    text += "(";
    text += ZodiacAnimals[zodiacOf(yearNumber) - 1];
    text += ")年";
    appendName(text, monthNumber);
    text += "月";
    appendName(text, dayNumber);
    text += "日";
    return text;
}

}  // namespace tavomerix
