#include "dayinfo/seasons.h"

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "dayinfo/names.h"
#include "dayinfo/next_term.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

// Day stems and branches by the remainder of the Julian Day number: stem (n + 9) mod 10,
// branch (n + 1) mod 12, counted from 甲 and 子.
constexpr int GengStem = 7;   // 庚
constexpr int BingStem = 3;   // 丙
constexpr int WeiBranch = 6;  // 未

// First day on or after `day` whose number leaves remainder r by q; floored remainders,
// so day numbers before JD 0 work alike.
int firstDayWithRemainder(int day, int q, int r) { return day + floorMod(r - floorMod(day, q), q); }

// termDay(day, k): day of term k on or after a day, from the tables or a fresh search.
template <class TermDay>
std::string ninesOf(int n, const TermDay& termDay) {
    const int c = n - termDay(n - 90, WinterSolstice) + 1;  // the solstice itself is day 1
    if (c < 1 || c > 81) return "";
    if (c % 9 == 0) return digitName(c / 9) + "九第9天";
    return digitName(c / 9 + 1) + "九第" + std::to_string(c % 9) + "天";
}

template <class TermDay>
std::string dogDaysOf(int n, const TermDay& termDay) {
    const int solstice = termDay(n - 90, SummerSolstice);
    const int autumn = termDay(solstice + 30, StartOfAutumn);
    const int first = firstDayWithRemainder(solstice, 10, GengStem) + 20;  // third 庚 day
    const int middle = first + 10;
    const int last = firstDayWithRemainder(autumn, 10, GengStem);
    if (first <= n && n < middle) return "初伏第" + std::to_string(n - first + 1) + "天";
    if (middle <= n && n < last) return "中伏第" + std::to_string(n - middle + 1) + "天";
    if (last <= n && n < last + 10) return "末伏第" + std::to_string(n - last + 1) + "天";
    return "";
}

template <class TermDay>
std::string plumRainOf(int n, const TermDay& termDay) {
    const int minorHeat = termDay(n - 15, MinorHeat);
    if (n >= minorHeat) return n == firstDayWithRemainder(minorHeat, 12, WeiBranch) ? "出梅" : "";
    const int grainInEar = termDay(n - 15, GrainInEar);
    if (n >= grainInEar) return n == firstDayWithRemainder(grainInEar, 10, BingStem) ? "入梅" : "";
    return "";
}

template <class TermDay>
std::string seasonLineOf(std::string_view nextTerm, int n, const TermDay& termDay) {
    std::string periods = ninesOf(n, termDay);
    if (periods.empty()) periods = joinTrimmed(dogDaysOf(n, termDay), plumRainOf(n, termDay));
    return joinTrimmed(nextTerm, periods);
}

// Julian Day number of a day-information date; InvalidDayNumber otherwise.
int dayInfoNumber(const CivilDate& date) {
    return isDayInfoDate(date) ? julianDayNumber(date) : InvalidDayNumber;
}

// The two sources of term days.
auto tableTermDay(const LunarCalendar& calendar) {
    return [&calendar](int day, int k) { return calendar.termDay(day, k); };
}
auto searchTermDay(const CalendarContext& context) {
    return [&context](int day, int k) { return directTermDay(context, day, k); };
}

std::string cachedNextTermTextOf(const LunarCalendar& calendar, int year, int n) {
    const TermEvent term = calendar.nextTerm(n);
    return nextTermTextOf(year, n, term.instant, term.number);
}

}  // namespace

std::string ninesText(const LunarCalendar& calendar, const CivilDate& date) {
    const int n = dayInfoNumber(date);
    return n == InvalidDayNumber ? "" : ninesOf(n, tableTermDay(calendar));
}

std::string dogDaysText(const LunarCalendar& calendar, const CivilDate& date) {
    const int n = dayInfoNumber(date);
    return n == InvalidDayNumber ? "" : dogDaysOf(n, tableTermDay(calendar));
}

std::string plumRainText(const LunarCalendar& calendar, const CivilDate& date) {
    const int n = dayInfoNumber(date);
    return n == InvalidDayNumber ? "" : plumRainOf(n, tableTermDay(calendar));
}

std::string cachedNextTermText(const LunarCalendar& calendar, const CivilDate& date) {
    const int n = dayInfoNumber(date);
    return n == InvalidDayNumber ? "" : cachedNextTermTextOf(calendar, date.year, n);
}

std::string seasonLine(const LunarCalendar& calendar, const CivilDate& date) {
    return seasonLine(calendar, civilDay(date));
}

std::string seasonLine(const LunarCalendar& calendar, const CivilDay& day) {
    if (!isDayInfoDate(day.date)) return "";
    return seasonLine(calendar, day, calendar.nextTerm(day.dayNumber));
}

std::string seasonLine(const LunarCalendar& calendar, const CivilDay& day,
                       const TermEvent& nextTerm) {
    if (!isDayInfoDate(day.date)) return "";
    const int n = day.dayNumber;
    return seasonLineOf(nextTermTextOf(day.date.year, n, nextTerm.instant, nextTerm.number), n,
                        tableTermDay(calendar));
}

std::string seasonLineDirect(const CalendarContext& context, const CivilDate& date) {
    const int n = dayInfoNumber(date);
    if (n == InvalidDayNumber) return "";
    return seasonLineOf(nextTermText(context, date), n, searchTermDay(context));
}

}  // namespace tavomerix
