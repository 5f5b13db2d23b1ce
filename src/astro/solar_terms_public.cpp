#include <cmath>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {

namespace {

// Days around the era table that the historical regime serves by modern astronomy: the
// two days before its first row take the 冬至 search of 1683429 (whose corrected 冬至 is
// the first row's epoch), the four days after its last row start at 2410268.
int historicalModernDay(int day) {
    if (day >= 1683430 && day <= 1683431) return 1683429;
    if (day >= 2410264 && day <= 2410267) return 2410268;
    return day;
}

bool inEraTable(int day) { return day >= FirstHistoricalTermDay && day <= LastHistoricalTermDay; }

// Historical instants replace corrected modern ones for terms on these days.
constexpr int FirstReplacedTermDay = 1683438;

}  // namespace

double nextTermInstant(const CalendarContext& context, int day, TermKind kind) {
    if (context.modernAstronomy()) return nextTermModern(context, day, kind, false);
    if (inEraTable(day)) return eraTermInstant(day, kind);
    return nextTermModern(context, historicalModernDay(day), kind, true);
}

int nextTermNumber(const CalendarContext& context, int day) {
    if (context.modernAstronomy()) return nextTermNumberModern(context, day, false);
    if (inEraTable(day)) return eraTermNumber(day);
    return nextTermNumberModern(context, historicalModernDay(day), true);
}

double solarTermInstant(const CalendarContext& context, int day, int k) {
    if (context.modernAstronomy()) return termAtOrAfterModern(context, day, k, false);
    const double t = termAtOrAfterModern(context, day, k, true);
    const int termDay = floorToInt(t);
    if (termDay < FirstReplacedTermDay || termDay > LastHistoricalTermDay) return t;
    const double reckoned = nextTermInstant(context, termDay - 5, TermKind::Any);
    if (std::floor(reckoned) >= day) return reckoned;
    return nextTermInstant(context, floorToInt(reckoned) + 360, TermKind::Any);
}

bool containsPrincipalTerm(const CalendarContext& context, int firstDay, int lastDay) {
    const int termDay = floorToInt(nextTermInstant(context, firstDay, TermKind::Principal));
    return firstDay <= termDay && termDay <= lastDay;
}

int solarTermCount(const CalendarContext& context, int year) {
    if (!isValidDate(year, 1, 1)) return 0;
    const int first = nextTermNumber(context, julianDayNumber(year, 1, 1));
    const int following = nextTermNumber(context, julianDayNumber(year, 12, 31) + 1);
    const int last = following - 1 < 1 ? following + 23 : following - 1;
    const int span = last - first;
    if (span == 0) return 25;
    if (span == 23 || span == -1) return 24;
    if (span == 22 || span == -2) return 23;
    return 0;
}

int solarTermOfDate(const CalendarContext& context, const CivilDate& date) {
    const int jdn = julianDayNumber(date);
    return jdn == InvalidDayNumber ? 0 : solarTermOfDay(context, jdn);
}

int solarTermOfDay(const CalendarContext& context, int day) {
    const int k = nextTermNumber(context, day);
    if (floorToInt(nextTermInstant(context, day, TermKind::Any)) > day) return k == 1 ? 24 : k - 1;
    return k;
}

}  // namespace tavomerix
