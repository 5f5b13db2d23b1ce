#include "chinese/sexagenary.h"

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"

namespace tavomerix {
namespace {

constexpr int Lichun = 3;  // TermNumber of 立春

// Sexagenary number of civil year y's own sexagenary year (shift 1), of the one before
// (shift 0) or after (shift 2); year 4 is 甲子.
int yearNumber(int year, int shift) { return floorMod(year + 12055 + shift, 60) + 1; }

// Day of the first 立春 on or after a day.
int lichunDay(int day) { return floorToInt(solarTermInstant(day, Lichun)); }

int yearFromNewYear(int year, int month, int day) {
    const std::string_view record = lunarYearRecord(year);
    if (record.empty()) return 0;
    const int newYearMonthDay = newYearMonthDayOfRecord(record);
    return yearNumber(year, 100 * month + day < newYearMonthDay ? 0 : 1);
}

// The day of the year at which the sexagenary year turns is the 立春 day; a year whose
// first 立春 falls within its first ten days may hold a second one late in December, and
// one whose first 立春 falls after day 180 held the turn in the previous year.
int yearFromLichun(int year, int month, int day) {
    const int firstDay = julianDayNumber(year, 1, 1);
    const int lichun = lichunDay(firstDay) - firstDay + 1;  // day of the year
    int turn = -400;                                        // first turn (day of the year)
    int secondTurn = lichun;
    if (lichun < 180) {
        turn = lichun;
        secondTurn = lichun < 10 ? lichunDay(firstDay + 180) - firstDay + 1 : 400;
    }
    const int n = dayOfYear(year, month, day);
    if (n < turn) return yearNumber(year, 0);
    return yearNumber(year, n < secondTurn ? 1 : 2);
}

int yearOf(int year, int month, int day, int fromLichun) {
    if (!isValidDate(year, month, day)) return 0;
    return fromLichun != 0 ? yearFromLichun(year, month, day) : yearFromNewYear(year, month, day);
}

// Number of the month (1 = 寅 month .. 12 = 丑 month, counted from the year's first month)
// for a date; 0 without lunar data.
int monthOfYear(int year, int month, int day, int fromLichun) {
    if (fromLichun != 0) {
        const int term = solarTermOfDate(year, month, day);  // 1..24
        if (term == 0) return 0;
        const int k = floorDiv(term - 1, 2) + 1;  // 1 = 丑 month (小寒 ..) .. 12 = 子 month
        return k == 1 ? 12 : k - 1;
    }
    const DateCodeFields lunar = parseDateCode(solarToLunar(year, month, day));
    if (!lunar.ok) return 0;
    return floorMod(lunar.month - 1, 12) + 1;  // a leap month counts as the month before it
}

int zodiacOf(int yearNumberValue) {
    return yearNumberValue >= 1 ? floorMod(yearNumberValue - 1, 12) + 1 : 0;
}

void appendName(std::string& text, int number) {
    text += HeavenlyStems[(number - 1) % 10];
    text += EarthlyBranches[(number - 1) % 12];
}

}  // namespace

int ganzhiYear(int year, int month, int day, int fromLichun) {
    return yearOf(year, month, day, fromLichun);
}

int zodiacNumber(int year, int month, int day, int fromLichun) {
    return zodiacOf(yearOf(year, month, day, fromLichun));
}

int ganzhiMonth(int year, int month, int day, int fromLichun) {
    const int y = yearOf(year, month, day, fromLichun);
    if (y == 0) return 0;
    const int k = monthOfYear(year, month, day, fromLichun);
    return k == 0 ? 0 : ganzhiMonthOfYear(y, k);
}

int ganzhiDay(int year, int month, int day) {
    const int jdn = julianDayNumber(year, month, day);
    if (jdn == InvalidDayNumber) return 0;
    return floorMod(jdn - 11, 60) + 1;
}

std::string ganzhiText(int year, int month, int day, int fromLichun) {
    if (year < FirstConvertibleYear || year > LastConvertibleYear) return "";
    const int y = yearOf(year, month, day, fromLichun);
    const int k = y == 0 ? 0 : monthOfYear(year, month, day, fromLichun);
    const int d = ganzhiDay(year, month, day);
    if (y == 0 || k == 0 || d == 0) return "";
    return ganzhiTextOfNumbers(y, ganzhiMonthOfYear(y, k), d);
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
