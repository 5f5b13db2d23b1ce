#pragma once

#include <optional>
#include <vector>

#include "astro/solar_terms.h"
#include "chinese/lunar_calendar.h"
#include "chinese/term_table.h"

namespace tavomerix {

// The solar terms whose day lies in a civil year (-9998..9999), in time order: 23 to 25
// instants (LocalDayNumbers in the calendar's zone and regime) with their TermNumbers.
// Each is searched from ten days after the day of the one before, so that in the
// historical regime a term at the change of two reckonings takes the reckoning of the
// days after the term before it. Empty for an invalid year.
std::vector<TermEvent> termsOfYear(const LunarCalendar& calendar, int year);

// A new or full moon.
struct PhaseEvent {
    double instant = 0;  // LocalDayNumber in the calendar's zone; its floor is the day
    MoonPhase phase = MoonPhase::New;
};

// The new and full moons whose day lies in a civil year (-9998..9999), in time order,
// each searched from ten days after the day of the one of its kind before. Empty for an
// invalid year.
std::vector<PhaseEvent> moonPhasesOfYear(const LunarCalendar& calendar, int year);

// A new moon this close to a local midnight, in seconds, may put a month's first day one
// day apart in tables reckoned with another ephemeris or rounding.
constexpr double NearMidnightSeconds = 60;

// A month's new moon that falls within NearMidnightSeconds of a local midnight.
struct NearMidnightNewMoon {
    double instant = 0;  // LocalDayNumber in the calendar's zone
    int seconds = 0;     // whole seconds from that midnight, negative before it
};

// The new moon on `firstDay` (a lunar month's first day) when it falls that close to the
// day's start or end; nullopt otherwise, and for a new moon the historical reckoning sets
// on a day's edge to follow the records (isMovedNewMoon).
std::optional<NearMidnightNewMoon> newMoonNearMidnight(const LunarCalendar& calendar, int firstDay);

}  // namespace tavomerix
