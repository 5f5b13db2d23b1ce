#pragma once

#include <cmath>
#include <span>

#include "astro/solar_terms.h"

namespace tavomerix {

// Days served by the historical era table of terms (-104-12-26 .. 1886-12-22).
constexpr int FirstHistoricalTermDay = 1683432;
constexpr int LastHistoricalTermDay = 2410263;

// Day epochs (Julian Day numbers) of the official mean calendars of 104 BC .. AD 665: the
// mean 冬至 and mean conjunction from which each counts its terms and its months.
constexpr int TaichuEpochDay = 1683431;        // 太初
constexpr int SifenEpochDay = 1662611;         // 四分
constexpr int JingchuEpochDay = 330191;        // 景初
constexpr int YuanjiaEpochDay = 1798541;       // 元嘉
constexpr int DamingEpochDay = -17080189;      // 大明
constexpr int KaihuangEpochDay = -1506155749;  // 开皇
constexpr int DayeEpochDay = -519493909;       // 大业
constexpr int WuyinEpochDay = -58077529;       // 戊寅

// True-Sun models of 1645..1886.
enum class TrueSunModel { A, B, C };

// One row of the era table of terms: the days it serves and how it reckons them.
struct TermEra {
    int firstDay;           // first Julian Day number served
    int lastDay;            // last Julian Day number served
    bool trueSun;           // false: mean terms; true: the true-Sun model below
    double yearLengthDays;  // mean terms: tropical year in days
    double epoch;           // mean terms: a mean 冬至, LocalDayNumber
    TrueSunModel model;     // true Sun: which model
};

// The 39 consecutive rows of the era table, ascending, covering FirstHistoricalTermDay ..
// LastHistoricalTermDay.
std::span<const TermEra> termEras();

// Single-day correction of a term instant (LocalDayNumber): a listed day moves by its
// entry; other instants come back unchanged.
double applyTermDayCorrection(double t);

// Mean term of the kind at or after `day`, with epoch E (a mean 冬至, LocalDayNumber) and
// year length Y in days.
double meanTermAtOrAfter(int day, TermKind kind, double epoch, double yearLength);
// TermNumber of the first mean term on or after `day`.
int meanTermNumber(int day, double epoch, double yearLength);

// Solar longitude of a true-Sun model, degrees in [0, 360), at LocalDayNumber t.
double historicalSolarLongitude(TrueSunModel model, double t);
// First term of the kind at or after the midnight beginning `day` (linear interpolation
// between midnights).
double historicalTermAtOrAfter(TrueSunModel model, int day, TermKind kind);

// The daily scan behind historicalTermAtOrAfter: longitudeAt(d) gives the longitude in
// degrees [0, 360) at the midnight beginning day d. Returns the first crossing of a
// multiple of stepDegrees (15 or 30) at or after `day`, interpolated linearly between
// midnights; `day` itself when its longitude is an exact multiple; an extrapolation from
// day + 20 when no crossing lies within 21 days.
template <class LongitudeAt>
double interpolatedTermAtOrAfter(LongitudeAt longitudeAt, int day, double stepDegrees) {
    const double first = longitudeAt(day);
    if (std::fmod(first, stepDegrees) == 0) return day;
    const double target = stepDegrees * (std::floor(first / stepDegrees) + 1);
    const bool wraps = target >= 360;
    double here = first;
    for (int d = day;; ++d) {
        const double next = longitudeAt(d + 1);
        const bool crossesToday =
            wraps ? here == 0 || next < 2 : !(here > target || next <= target);
        if (crossesToday && here == (wraps ? 0 : target)) return d;
        if (crossesToday || d == day + 20) {
            return d + (target - here) / ((wraps ? next + 360 : next) - here);
        }
        here = next;
    }
}

// TermNumber of the first term on or after `day` under the model.
int historicalTermNumber(TrueSunModel model, int day);

// Era-table dispatch for FirstHistoricalTermDay <= day <= LastHistoricalTermDay (the
// first four days of a row behave as its fifth): instant (LocalDayNumber) of the first
// term of the kind on `day` or later, and its TermNumber. 0 outside that range.
double eraTermInstant(int day, TermKind kind);
int eraTermNumber(int day);

// A reckoned new-moon instant t (LocalDayNumber) after the day rules: unless its day is
// kept, a fraction above `threshold` (when > 0) moves it to the next midnight, else a
// listed day moves by its shift. Other instants come back unchanged.
double adjustReckonedNewMoon(double t, double threshold);

// Whether a reckoned new-moon instant is one the day rules moved, to a midnight or to the
// last second of a day: its time is the day the records give, not a conjunction's.
bool isMovedNewMoon(double t);

// First historical new moon on `day` or later (LocalDayNumber in the context's zone), with
// day-shift threshold `threshold` (fraction of a day; <= 0 means none) and the correction
// lists applied. The true conjunctions come from the context's engine.
double nextNewMoonReckoned(const CalendarContext& context, int day, double threshold);

}  // namespace tavomerix
