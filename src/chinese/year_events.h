#pragma once

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

}  // namespace tavomerix
