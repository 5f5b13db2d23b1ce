#pragma once

#include <array>
#include <optional>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/term_table.h"
#include "dayinfo/almanac_rules.h"

namespace tavomerix {

// Longitudes (degrees east of Greenwich) that true solar time accepts.
constexpr double MinLongitude = -180;
constexpr double MaxLongitude = 180;
constexpr int SecondsPerDay = 86400;

// The four pillars (四柱) of a moment. The year changes at the instant of 立春 and the
// month at the instant of each 节 (unlike the almanac's whole-day 节 month); the day and
// the hour follow the clock, of true solar time when a longitude is given, the day
// changing at midnight (ZiHour::Late) or at 23:00 (ZiHour::Early).
struct FourPillars {
    // Sexagenary numbers 1..60 of the year, month, day and hour pillars, and their 纳音
    // (1 = 海中金 .. 30 = 大海水, NaYinNames).
    std::array<int, 4> ganzhi{};
    std::array<int, 4> naYin{};
    TermEvent jie;  // the 节 in force: its instant (LocalDayNumber) and TermNumber
    int civilDay = InvalidDayNumber;  // the civil date and time of the moment in the zone
    int civilSecond = 0;              // seconds from its midnight, 0..86399
    bool trueSolarTime = false;       // a longitude was given
    double longitude = 0;             // degrees east
    int solarDay = InvalidDayNumber;  // the moment on the clock of true solar time (the civil
    int solarSecond = 0;              // clock without a longitude)
    int longitudeSeconds = 0;         // local mean time against the zone's time, whole seconds
    int equationSeconds = 0;          // the equation of time at the moment, whole seconds
    int correctionSeconds = 0;        // true solar time against civil time: the two together

    bool valid() const { return ganzhi[0] != 0; }
};

// The pillars of civil date `date` (years -8999..9000) at `secondOfDay` (0..86399) in the
// calendar's zone and regime, with true solar time at `longitude` (MinLongitude..
// MaxLongitude) when given. FourPillars{} for an input out of range.
FourPillars fourPillars(const LunarCalendar& calendar, const CivilDate& date, int secondOfDay,
                        ZiHour zi, std::optional<double> longitude);

}  // namespace tavomerix
