#pragma once

#include "calendar/calendar_context.h"
#include "chinese/lunar_year.h"
#include "chinese/term_table.h"
#include "chinese/year_cache.h"

namespace tavomerix {

// The Chinese calendar of one context: the lunar years, the solar terms of each
// civil year and the Easter days, each computed on first use and kept for the object's
// lifetime. Every member is const and may be called from several threads at once: the
// caches are filled slot by slot under a mutex and read without a lock once filled (see
// YearCache). Views and pointers it hands out stay valid for its lifetime; everything
// else is returned by value. Another context (another zone, the other regime) is another
// object.
class LunarCalendar {
public:
    explicit LunarCalendar(const CalendarContext& context);

    LunarCalendar(const LunarCalendar&) = delete;
    LunarCalendar& operator=(const LunarCalendar&) = delete;

    // The instance shared by every caller whose context has the same effective context
    // (effectiveContext); made on first use, it lives until the process ends. Thread-safe.
    static const LunarCalendar& shared(const CalendarContext& context);

    // The effective context this calendar reckons in.
    const CalendarContext& context() const { return context_; }

    // A lunar year (its months' first days, leap month and 正月初一); LunarYear{} outside
    // FirstLunarYear..LastLunarYear.
    const LunarYear& lunarYear(int year) const { return years_.year(year); }

    // Julian Day number of 正月初一 of a lunar year; InvalidDayNumber out of range.
    int newYearDay(int year) const { return lunarYear(year).newYearDay(); }

    // Days in a lunar year, 353..385; 0 out of range.
    int yearLength(int year) const;

    // The leap month of a lunar year: 0 = none, 1..12 = the regular month it follows; 0 out
    // of range.
    int leapMonth(int year) const;

    // True when the lunar date exists: month 1..12 (with `leap`, the year's leap month
    // after it), day 1..29 or 1..30 by the month's size. longMonth is not consulted.
    bool isValidDate(const LunarDate& date) const;
    // The same for a MonthCode (1..12, or 13..24 for the leap month after month - 12).
    bool isValidDate(int year, int monthCode, int day) const;

    // Days of a month (MonthCode) of a lunar year, 29 or 30; 0 when it does not exist.
    int monthLength(int year, int monthCode) const;

    // Position 1..13 of a month (MonthCode) in its year, the leap month included; 0 when the
    // month does not exist in that year.
    int monthSequence(int year, int monthCode) const;

    // SizedMonthCode (MonthCode, plus 24 for a 30-day month) of the month at position
    // 1..13; 0 when the year has no such position.
    int monthAtSequence(int year, int sequence) const;

    // Builds the lunar years first..last (clamped) that are still missing, on two threads;
    // afterwards lunarYear serves them without building.
    void prefetch(int first, int last) const { years_.prefetch(first, last); }

    // The first solar term whose day is `day` or later (its LocalDayNumber instant and
    // TermNumber), read from the term table of the day's civil year: what
    // nextTermInstant(context, day, TermKind::Any) and nextTermNumber(context, day) give.
    // Days of civil years -9997..9998; {0, 0} outside.
    TermEvent nextTerm(int day) const { return terms_.nextTerm(day); }

    // Day of term k (1..24) on or after `day`, from the same tables: what
    // floor(solarTermInstant(context, day, k)) gives. InvalidDayNumber outside civil years
    // -9997..9998 or k outside 1..24.
    int termDay(int day, int k) const { return terms_.termDay(day, k); }

    // The term table of a civil year; nullptr outside -9997..9998.
    const TermYearTable* termTable(int year) const { return terms_.table(year); }

    // Day of astronomical Easter of a civil year (computeEasterDay); InvalidDayNumber for
    // an invalid year.
    int easterDay(int year) const;

private:
    CalendarContext context_;
    LunarYearCache years_;
    TermTableCache terms_;
    YearCache<int> easter_;
};

}  // namespace tavomerix
