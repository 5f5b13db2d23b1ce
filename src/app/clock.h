#pragma once

#include "calendar/julian_day.h"

namespace tavomerix {

// Today's local civil date from the system clock (clock_win.cpp on Windows, the C
// library's local time elsewhere).
CivilDate readLocalDate();

// Sets the system's local date, keeping the time of day. False when the system refuses
// (no privilege) or the date is not supported.
bool setLocalDate(const CivilDate& date);

}  // namespace tavomerix
