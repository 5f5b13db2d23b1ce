#include <cmath>

#include "app/app_settings.h"
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

double nextTermInstant(int day, int kind) {
    if (modernAstronomy()) return nextTermModern(day, kind, false);
    if (inEraTable(day)) return eraTermInstant(day, kind);
    return nextTermModern(historicalModernDay(day), kind, true);
}

int nextTermNumber(int day) {
    if (modernAstronomy()) return nextTermNumberModern(day, false);
    if (inEraTable(day)) return eraTermNumber(day);
    return nextTermNumberModern(historicalModernDay(day), true);
}

double solarTermInstant(int day, int k) {
    if (modernAstronomy()) return termAtOrAfterModern(day, k, false);
    const double t = termAtOrAfterModern(day, k, true);
    const int termDay = floorToInt(t);
    if (termDay < FirstReplacedTermDay || termDay > LastHistoricalTermDay) return t;
    const double reckoned = nextTermInstant(termDay - 5, AnyTerm);
    if (std::floor(reckoned) >= day) return reckoned;
    return nextTermInstant(floorToInt(reckoned) + 360, AnyTerm);
}

int containsPrincipalTerm(int firstDay, int lastDay) {
    const int termDay = floorToInt(nextTermInstant(firstDay, PrincipalTerm));
    return firstDay <= termDay && termDay <= lastDay ? 1 : 0;
}

int solarTermCount(int year) {
    if (!isValidDate(year, 1, 1)) return 0;
    const int first = nextTermNumber(julianDayNumber(year, 1, 1));
    const int following = nextTermNumber(julianDayNumber(year, 12, 31) + 1);
    const int last = following - 1 < 1 ? following + 23 : following - 1;
    const int span = last - first;
    if (span == 0) return 25;
    if (span == 23 || span == -1) return 24;
    if (span == 22 || span == -2) return 23;
    return 0;
}

int solarTermOfDate(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return 0;
    const int jdn = julianDayNumber(year, month, day);
    const int k = nextTermNumber(jdn);
    if (floorToInt(nextTermInstant(jdn, AnyTerm)) > jdn) return k == 1 ? 24 : k - 1;
    return k;
}

}  // namespace tavomerix
