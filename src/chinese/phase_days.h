#pragma once

#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"

namespace tavomerix {

// Day (Julian Day number) of the first new or full moon whose day is >= day: modern
// astronomy, or in the historical regime the mean calendars and reckoned new moons of the
// time. Days of civil years -9998..9999.
int nextPhaseDay(const CalendarContext& context, int day, MoonPhase phase);

// Day of the last new or full moon whose day is <= day.
int lastPhaseDay(const CalendarContext& context, int day, MoonPhase phase);

// The LocalDayNumber instant behind nextPhaseDay.
double nextPhaseInstant(const CalendarContext& context, int day, MoonPhase phase);

// Mean-calendar rule for years -103..618 and 645..665: true if the year has a leap month;
// false for other years.
bool meanYearHasLeap(int year);

// Mean-calendar day of 正月初一 for years -103..618 and 645..665; InvalidDayNumber for
// other years.
int meanNewYearDay(int year);

// Number of new (full) moons in civil year `year`; 0 when 1 January of the year is invalid.
int newMoonCount(const CalendarContext& context, int year);
int fullMoonCount(const CalendarContext& context, int year);

// Day of astronomical Easter of a civil year: the first Sunday after the first full moon on
// or after the day of 春分 (a full moon on a Sunday moves it a week on), in the context's
// zone and regime; InvalidDayNumber for an invalid year.
int computeEasterDay(const CalendarContext& context, int year);

}  // namespace tavomerix
