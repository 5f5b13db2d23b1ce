#include "chinese/phase_days.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "astro/historical_reckoning.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {

namespace {

// A mean-lunation calendar: its cycle of N years holding K months of L days each, counted
// from a year epoch Ey (a fractional year) and a day epoch Ed.
struct MeanCalendar {
    int firstYear, lastYear;     // civil years whose leap and new year it rules
    double epochYear;            // Ey
    double yearEpochDay;         // Ed of the year rules, day number
    double conjunctionEpochDay;  // Ed of the mean conjunctions, day number
    int cycleYears;              // N
    int cycleMonths;             // K
    double meanMonthDays;        // L
};

// Mean month of 开皇; its year rules count from one mean month before its conjunctions.
constexpr double KaihuangMonth = 5372209.0 / 181920;

// clang-format off
constexpr MeanCalendar MeanCalendars[] = {
    {-103, 84,  -103 - 1.0 / 6,     TaichuEpochDay,  TaichuEpochDay,  19,  235,  2392.0 / 81},
    {85,   237, -160 - 1.0 / 6,     SifenEpochDay,   SifenEpochDay,   19,  235,  27759.0 / 940},
    {238,  444, -3808 - 1.0 / 6,    JingchuEpochDay, JingchuEpochDay, 19,  235,  134630.0 / 4559},
    {445,  509, 212,                YuanjiaEpochDay, YuanjiaEpochDay, 19,  235,  22207.0 / 752},
    {510,  589, -51476 - 1.0 / 6,   DamingEpochDay,  DamingEpochDay,  391, 4836, 116321.0 / 3939},
    {590,  596, -4128416 - 1.0 / 6 - 1.0 / 12,
                                    KaihuangEpochDay - KaihuangMonth,
                                                    KaihuangEpochDay, 429, 5306, KaihuangMonth},
    {597,  618, -1427036 - 1.0 / 6, DayeEpochDay,    DayeEpochDay,    410, 5071, 33783.0 / 1144},
    {645,  665, -163722 - 1.0 / 6,  WuyinEpochDay,   WuyinEpochDay,   676, 8361, 384075.0 / 13006},
};
// clang-format on

// Days whose phase search uses a mean calendar, or the reckoned new moon with a day-shift
// threshold (a 32-bit value, as the calendars of the time fixed it to four digits).
struct PhaseRange {
    int firstDay, lastDay;  // search days, inclusive
    int calendar;           // index into MeanCalendars; -1 for the reckoned new moon
    float threshold;        // reckoned new moon: fraction of a day; 0 = none
};

// clang-format off
constexpr PhaseRange NewMoonRanges[] = {
    {1683462, 1752119, 0,  0},        // 太初
    {1752120, 1807755, 1,  0},        // 四分
    {1807756, 1883589, 2,  0},        // 景初
    {1883590, 1907331, 3,  0},        // 元嘉
    {1907332, 1936566, 4,  0},        // 大明
    {1936567, 1939106, 5,  0},        // 开皇
    {1939107, 1947138, 6,  0},        // 大业
    {1956825, 1963941, 7,  0},        // 戊寅
    {2021291, 2073176, -1, 0.7908f},  // 821-12-29 .. 964-01-18
    {2073177, 2135986, -1, 0.8216f},
    {2135987, 2185303, -1, 0.7980f},
    {2185304, 2188936, -1, 0.7460f},  // .. 1280-12-24
};
// clang-format on

constexpr int FirstMeanNewMoonDay = NewMoonRanges[0].firstDay;

// clang-format off
constexpr PhaseRange FullMoonRanges[] = {
    {1683476, 1752134, 0, 0}, {1752135, 1807769, 1, 0}, {1807770, 1883603, 2, 0},
    {1883604, 1907346, 3, 0}, {1907347, 1936581, 4, 0}, {1936582, 1939121, 5, 0},
    {1939122, 1947153, 6, 0}, {1956841, 1963956, 7, 0},
};
// clang-format on

template <size_t Size>
const PhaseRange* rangeOf(const PhaseRange (&ranges)[Size], int day) {
    for (const PhaseRange& r : ranges) {
        if (day >= r.firstDay && day <= r.lastDay) return &r;
    }
    return nullptr;
}

template <size_t Size>
bool isFirstDayOfRange(const PhaseRange (&ranges)[Size], int day) {
    for (const PhaseRange& r : ranges) {
        if (day == r.firstDay) return true;
    }
    return false;
}

// Search days moved where one source hands over to the next, so that a month is neither
// lost nor counted twice at the seam. The day before the first mean range searches as
// that range's first day does: the reckoned new moon of the day before is already past,
// and the next month is the mean one.
int nudgedNewMoonDay(int day) {
    if (day == FirstMeanNewMoonDay - 1 || isFirstDayOfRange(NewMoonRanges, day)) {
        return std::max(day, FirstMeanNewMoonDay) + 1;
    }
    if (day == 1947139 || day == 1963942) return day + 1;
    return day;
}

int nudgedFullMoonDay(int day) {
    if (isFirstDayOfRange(FullMoonRanges, day)) return day + 1;
    if (day == 1947154 || day == 1963957) return day + 1;
    return day;
}

// First mean phase of the series epoch + i*month whose day is >= day.
double meanPhase(int day, double epoch, double monthDays) {
    const double g = std::floor((day - epoch) / monthDays);
    const double h = epoch + monthDays * g;
    if (std::floor(h) == day) return h;
    return epoch + monthDays * (g + 1);
}

const MeanCalendar* meanCalendarOfYear(int year) {
    for (const MeanCalendar& c : MeanCalendars) {
        if (year >= c.firstYear && year <= c.lastYear) return &c;
    }
    return nullptr;
}

double reckonedNewMoonInstant(const CalendarContext& context, int day) {
    day = nudgedNewMoonDay(day);
    const PhaseRange* range = rangeOf(NewMoonRanges, day);
    if (range == nullptr) return nextNewMoonReckoned(context, day, 0);
    if (range->calendar < 0) return nextNewMoonReckoned(context, day, range->threshold);
    const MeanCalendar& c = MeanCalendars[range->calendar];
    return meanPhase(day, c.conjunctionEpochDay, c.meanMonthDays);
}

double reckonedFullMoonInstant(const CalendarContext& context, int day) {
    day = nudgedFullMoonDay(day);
    const PhaseRange* range = rangeOf(FullMoonRanges, day);
    if (range == nullptr) return nextMoonPhase(context, day, MoonPhase::Full);
    const MeanCalendar& c = MeanCalendars[range->calendar];
    return meanPhase(day, c.conjunctionEpochDay + c.meanMonthDays / 2, c.meanMonthDays);
}

int phaseCount(const CalendarContext& context, int year, MoonPhase phase) {
    if (!isValidDate(year, 1, 1)) return 0;
    const double first = nextPhaseInstant(context, julianDayNumber(year, 1, 1), phase);
    const double following = nextPhaseInstant(context, julianDayNumber(year, 12, 31) + 1, phase);
    return floorToInt((following - first) / 29);
}

}  // namespace

double nextPhaseInstant(const CalendarContext& context, int day, MoonPhase phase) {
    if (context.modernAstronomy()) return nextMoonPhase(context, day, phase);
    return phase == MoonPhase::New ? reckonedNewMoonInstant(context, day)
                                   : reckonedFullMoonInstant(context, day);
}

int nextPhaseDay(const CalendarContext& context, int day, MoonPhase phase) {
    return floorToInt(nextPhaseInstant(context, day, phase));
}

int lastPhaseDay(const CalendarContext& context, int day, MoonPhase phase) {
    const int x = nextPhaseDay(context, day - 10, phase);
    if (x <= day) return x;
    return nextPhaseDay(context, x - 40, phase);
}

bool meanYearHasLeap(int year) {
    const MeanCalendar* c = meanCalendarOfYear(year);
    if (c == nullptr) return false;
    const double n = c->cycleYears;
    const double x = c->cycleMonths * (year - c->epochYear);  // months since the epoch
    const int r = floorToInt(x - n * std::floor(x / n));      // [0, N)
    return r >= c->cycleYears - c->cycleMonths % c->cycleYears;
}

int meanNewYearDay(int year) {
    const MeanCalendar* c = meanCalendarOfYear(year);
    if (c == nullptr) return InvalidDayNumber;
    const double months = std::floor(c->cycleMonths * (year - c->epochYear) / c->cycleYears);
    return floorToInt(c->yearEpochDay + c->meanMonthDays * months);
}

int newMoonCount(const CalendarContext& context, int year) {
    return phaseCount(context, year, MoonPhase::New);
}

int fullMoonCount(const CalendarContext& context, int year) {
    return phaseCount(context, year, MoonPhase::Full);
}

int computeEasterDay(const CalendarContext& context, int year) {
    if (!isValidDate(year, 1, 1)) return InvalidDayNumber;
    const int equinox =
        floorToInt(solarTermInstant(context, julianDayNumber(year, 1, 1), VernalEquinox));
    const int fullMoon = nextPhaseDay(context, equinox, MoonPhase::Full);
    const int weekday = weekdayOfDayNumber(fullMoon);
    return weekday == Sunday ? fullMoon + 7 : fullMoon + Sunday - weekday;
}

}  // namespace tavomerix
