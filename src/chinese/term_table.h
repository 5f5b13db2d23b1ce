#pragma once

#include <array>

#include "calendar/calendar_context.h"
#include "chinese/year_cache.h"

namespace tavomerix {

// One solar term as the searches hand it out.
struct TermEvent {
    double instant = 0;  // LocalDayNumber in the context's zone; its floor is the term's day
    int number = 0;      // TermNumber 1..24; 0 for no term
};

// The terms of one civil year: every term whose day lies in the year, then the first one
// after it.
struct TermYearTable {
    static constexpr int MaxTerms = 28;
    int count = 0;
    std::array<TermEvent, MaxTerms> terms{};
};

// The terms of a civil year (-9997..9998) from fresh searches; an empty table outside.
TermYearTable buildTermYearTable(const CalendarContext& context, int year);

// Day (Julian Day number) of term k (1..24) on or after `day` from a fresh search,
// floor(solarTermInstant(context, day, k)); the reference for the cached tables.
// InvalidDayNumber for k outside 1..24.
int directTermDay(const CalendarContext& context, int day, int k);

// The term tables of one context per civil year, each built on first use and kept for the
// object's lifetime; safe to use from several threads at once (see YearCache).
class TermTableCache {
public:
    explicit TermTableCache(const CalendarContext& context);

    // The first term whose day is `day` or later, as nextTermInstant(context, day,
    // TermKind::Any) and nextTermNumber(context, day) give it. Days of civil years
    // -9997..9998; {0, 0} outside.
    TermEvent nextTerm(int day) const;

    // Day of term k (1..24) on or after `day`, as directTermDay gives it. Days of civil
    // years -9997..9998 and k in 1..24; InvalidDayNumber otherwise.
    int termDay(int day, int k) const;

    // The table of a civil year; nullptr outside -9997..9998.
    const TermYearTable* table(int year) const;

private:
    bool nearEraEdge(int day) const;

    CalendarContext context_;
    YearCache<TermYearTable> tables_;
};

}  // namespace tavomerix
