// Compiles: the top of the core sees every core layer (the check of the checks).
#include "calendar/julian_day.h"
#include "dayinfo/day_view.h"
