#pragma once

namespace tavomerix {

// Day (Julian Day number) of the first new (phase 0) or full (phase 1) moon whose day is
// >= day. Modern astronomy, or the historical day tables when modernAstronomy() is false.
int nextPhaseDay(int day, int phase);

// Day of the last new (full) moon whose day is <= day.
int lastPhaseDay(int day, int phase);

// The LocalDayNumber instant behind nextPhaseDay.
double nextPhaseInstant(int day, int phase);

// Mean-calendar rule for years -103..618 and 645..665: 1 if the year has a leap month;
// 0 for other years.
int meanYearHasLeap(int year);

// Mean-calendar day of 正月初一 for years -103..618 and 645..665; InvalidDayNumber for
// other years.
int meanNewYearDay(int year);

// Number of new (full) moons in civil year Y; 0 when 1 January of Y is invalid.
int newMoonCount(int year);
int fullMoonCount(int year);

}  // namespace tavomerix
