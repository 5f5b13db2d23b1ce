#pragma once

namespace tavomerix {

// One solar term as the searches hand it out.
struct TermEvent {
    double instant = 0;  // LocalDayNumber (time zone in force); its floor is the term's day
    int number = 0;      // TermNumber 1..24; 0 for no term
};

// The first term whose day is `day` or later, as nextTermInstant(day, AnyTerm) and
// nextTermNumber(day) give it, read from a table of the terms of the day's civil year
// that is built once per year, time zone and regime. Days of civil years -9997..9998;
// {0, 0} outside.
TermEvent cachedNextTerm(int day);

// Day (Julian Day number) of term k (1..24) on or after `day`, as
// floor(solarTermInstant(day, k)) gives it, read from the same yearly tables. Days of civil
// years -9997..9998 and k in 1..24; InvalidDayNumber otherwise.
int cachedTermDay(int day, int k);

// The same answer from a fresh search, floor(solarTermInstant(day, k)); the reference for
// the cached tables. InvalidDayNumber for k outside 1..24.
int directTermDay(int day, int k);

}  // namespace tavomerix
