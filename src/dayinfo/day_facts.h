#pragma once

#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/festivals.h"
#include "dayinfo/hijri.h"
#include "dayinfo/holidays.h"

namespace tavomerix {

// The solar term in effect on a day: the latest term whose day is that day or earlier.
struct TermInEffect {
    int number = 0;                    // TermNumber 1..24; 0 when unknown
    int dayNumber = InvalidDayNumber;  // Julian Day number of the term's day
};

// The term in effect on day n from the calendar's term tables, given the first term on or
// after n (calendar.nextTerm(n)); its day lies at most MaxDaysSinceTerm days before n.
// TermInEffect{} when the tables have none.
TermInEffect termInEffect(const LunarCalendar& calendar, int n, const TermEvent& next);

// Everything the views show of one civil day, computed once from the calendar's caches.
struct DayFacts {
    CivilDay civil;                       // the date and its Julian Day number
    LunarDate lunar;                      // with the leap and long-month flags
    SexagenaryDay ganzhiFromNewYear;      // year and month from 正月初一
    SexagenaryDay ganzhiFromLichun;       // year and month from 立春
    std::vector<FestivalName> festivals;  // in the festival line's order
    TermInEffect term;                    // the term in effect
    TermEvent nextTerm;                   // the first term on this day or later
    HijriDate hijri;                      // HijriDate{} before the Hijri epoch
    HolidayStatus holiday;                // in the arrangements given; HolidayStatus{} without

    // False for DayFacts{}: no such day in the years of the day view.
    bool valid() const { return lunar.valid(); }
    // The sexagenary numbers with years and months from `start`.
    const SexagenaryDay& ganzhi(GanzhiYearStart start) const {
        return start == GanzhiYearStart::Lichun ? ganzhiFromLichun : ganzhiFromNewYear;
    }
    // TermNumber of the term falling on this day; 0 when none does.
    int termOnDay() const { return term.dayNumber == civil.dayNumber ? term.number : 0; }
};

// The facts of a civil day in the calendar's zone and regime, with the user's
// commemoration days among the festivals (none when `days` is null). DayFacts{} unless
// the date is valid, in years -8999..9000, and converts to a lunar date. The holiday
// status is looked up only when `holidays` is given.
DayFacts dayFacts(const LunarCalendar& calendar, const CivilDay& day, const CommemorationDays* days,
                  const HolidayArrangements* holidays = nullptr);
DayFacts dayFacts(const LunarCalendar& calendar, const CivilDate& date,
                  const CommemorationDays* days, const HolidayArrangements* holidays = nullptr);

}  // namespace tavomerix
