// Must not compile: the astronomy layer sees only the calendar and itself.
#include "chinese/lunar_calendar.h"
