#include "dayinfo/term_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "app/app_settings.h"
#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

// A civil year holds 23 to 25 term days; the table also keeps the first term after it.
constexpr int MaxTermsPerTable = 28;
constexpr int TableSlots = 16;  // direct-mapped by year; a day view touches two years

struct TermYearTable {
    int year = 0;
    int timeZoneHours = 0;
    bool modern = false;
    bool filled = false;
    int count = 0;
    std::array<TermEvent, MaxTermsPerTable> terms{};
};

// Read and written from the user-interface thread only.
std::array<TermYearTable, TableSlots> Tables;

// The public searches treat a few days at both ends of the era table specially (they
// substitute neighbouring days or mix reckoned and modern instants), so days this close
// to either end are always answered by a fresh search in the historical regime.
constexpr int EraEdgeMarginDays = 40;

bool nearEraEdge(int day) {
    if (modernAstronomy()) return false;
    return std::abs(day - FirstHistoricalTermDay) <= EraEdgeMarginDays ||
           std::abs(day - LastHistoricalTermDay) <= EraEdgeMarginDays;
}

// Terms of civil year `year`: every term whose day lies in the year, then the first one
// after it, each from the search started on the day after the previous term.
void fillTable(TermYearTable& table, int year) {
    const int lastDay = julianDayNumber(year, 12, 31);
    int day = julianDayNumber(year, 1, 1);
    int number = nextTermNumber(day);
    table.count = 0;
    while (table.count < MaxTermsPerTable) {
        const double instant = nextTermInstant(day, AnyTerm);
        table.terms[table.count++] = {instant, number};
        const int termDay = floorToInt(instant);
        if (termDay > lastDay) break;
        day = std::max(day, termDay) + 1;
        number = number % 24 + 1;
    }
}

// The table of a civil year for the settings in force, built on first use; nullptr
// outside -9997..9998.
const TermYearTable* termYearTable(int year) {
    if (year <= MinCivilYear || year >= MaxCivilYear) return nullptr;
    const int zone = appSettings().TimeZoneHours;
    const bool modern = modernAstronomy();
    TermYearTable& table = Tables[floorMod(year, TableSlots)];
    if (!table.filled || table.year != year || table.timeZoneHours != zone ||
        table.modern != modern) {
        table.filled = false;
        fillTable(table, year);
        table.year = year;
        table.timeZoneHours = zone;
        table.modern = modern;
        table.filled = true;
    }
    return &table;
}

int yearOfDay(int day) { return civilDateFromDayNumber(day).year; }

}  // namespace

TermEvent cachedNextTerm(int day) {
    if (day < MinDayNumber || day > MaxDayNumber) return {};
    if (nearEraEdge(day)) return {nextTermInstant(day, AnyTerm), nextTermNumber(day)};
    const TermYearTable* table = termYearTable(yearOfDay(day));
    if (table == nullptr) return {};
    for (int i = 0; i < table->count; ++i) {
        const TermEvent& term = table->terms[i];
        if (floorToInt(term.instant) < day) continue;
        if (nearEraEdge(floorToInt(term.instant))) break;
        return term;
    }
    return {nextTermInstant(day, AnyTerm), nextTermNumber(day)};
}

int cachedTermDay(int day, int k) {
    if (day < MinDayNumber || day > MaxDayNumber || k < 1 || k > 24) return InvalidDayNumber;
    if (nearEraEdge(day)) return directTermDay(day, k);
    const int year = yearOfDay(day);
    for (int y = year; y <= year + 1; ++y) {
        const TermYearTable* table = termYearTable(y);
        if (table == nullptr) return InvalidDayNumber;
        for (int i = 0; i < table->count; ++i) {
            const TermEvent& term = table->terms[i];
            const int termDay = floorToInt(term.instant);
            if (termDay < day || term.number != k) continue;
            return nearEraEdge(termDay) ? directTermDay(day, k) : termDay;
        }
    }
    return directTermDay(day, k);
}

int directTermDay(int day, int k) {
    if (k < 1 || k > 24) return InvalidDayNumber;
    return floorToInt(solarTermInstant(day, k));
}

}  // namespace tavomerix
