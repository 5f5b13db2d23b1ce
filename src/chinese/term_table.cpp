#include "chinese/term_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

// The public searches treat a few days at both ends of the era table specially (they
// substitute neighbouring days or mix reckoned and modern instants), so days this close
// to either end are always answered by a fresh search in the historical regime.
constexpr int EraEdgeMarginDays = 40;

bool isTableYear(int year) { return year > MinCivilYear && year < MaxCivilYear; }

int yearOfDay(int day) { return civilDateFromDayNumber(day).year; }

}  // namespace

TermYearTable buildTermYearTable(const CalendarContext& context, int year) {
    TermYearTable table;
    if (!isTableYear(year)) return table;
    // Each term from the search started on the day after the previous term.
    const int lastDay = julianDayNumber(year, 12, 31);
    int day = julianDayNumber(year, 1, 1);
    int number = nextTermNumber(context, day);
    while (table.count < TermYearTable::MaxTerms) {
        const double instant = nextTermInstant(context, day, TermKind::Any);
        table.terms[table.count++] = {instant, number};
        const int termDay = floorToInt(instant);
        if (termDay > lastDay) break;
        day = std::max(day, termDay) + 1;
        number = number % 24 + 1;
    }
    return table;
}

int directTermDay(const CalendarContext& context, int day, int k) {
    if (k < 1 || k > 24) return InvalidDayNumber;
    return floorToInt(solarTermInstant(context, day, k));
}

TermTableCache::TermTableCache(const CalendarContext& context)
    : context_(context), tables_(MinCivilYear + 1, MaxCivilYear - 1) {}

bool TermTableCache::nearEraEdge(int day) const {
    if (context_.modernAstronomy()) return false;
    return std::abs(day - FirstHistoricalTermDay) <= EraEdgeMarginDays ||
           std::abs(day - LastHistoricalTermDay) <= EraEdgeMarginDays;
}

const TermYearTable* TermTableCache::table(int year) const {
    return tables_.get(year, [this](int y) { return buildTermYearTable(context_, y); });
}

TermEvent TermTableCache::nextTerm(int day) const {
    if (day < MinDayNumber || day > MaxDayNumber) return {};
    const auto direct = [&] {
        return TermEvent{nextTermInstant(context_, day, TermKind::Any),
                         nextTermNumber(context_, day)};
    };
    if (nearEraEdge(day)) return direct();
    const TermYearTable* t = table(yearOfDay(day));
    if (t == nullptr) return {};
    for (int i = 0; i < t->count; ++i) {
        const TermEvent& term = t->terms[i];
        if (floorToInt(term.instant) < day) continue;
        if (nearEraEdge(floorToInt(term.instant))) break;
        return term;
    }
    return direct();
}

int TermTableCache::termDay(int day, int k) const {
    if (day < MinDayNumber || day > MaxDayNumber || k < 1 || k > 24) return InvalidDayNumber;
    if (nearEraEdge(day)) return directTermDay(context_, day, k);
    const int year = yearOfDay(day);
    for (int y = year; y <= year + 1; ++y) {
        const TermYearTable* t = table(y);
        if (t == nullptr) return InvalidDayNumber;
        for (int i = 0; i < t->count; ++i) {
            const TermEvent& term = t->terms[i];
            const int termDay = floorToInt(term.instant);
            if (termDay < day || term.number != k) continue;
            return nearEraEdge(termDay) ? directTermDay(context_, day, k) : termDay;
        }
    }
    return directTermDay(context_, day, k);
}

}  // namespace tavomerix
