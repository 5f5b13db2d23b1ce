#pragma once

// The Tavomerix calendar core: civil dates and Julian Day numbers, the astronomy of solar
// terms and moon phases, the Chinese lunar calendar, and the day information built on them.
//
// A result that depends on the time zone or on how ancient dates are reckoned takes a
// CalendarContext, or is a member of the LunarCalendar made from one:
//
//     const tavomerix::LunarCalendar& calendar = tavomerix::LunarCalendar::shared({8});
//     const tavomerix::LunarDate lunar = tavomerix::solarToLunar(calendar, {2024, 2, 10});
//
// Nothing in the core keeps state a caller can change; a LunarCalendar may be used from
// several threads at once.

#include "astro/solar_terms.h"
#include "astro/time_scales.h"
#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"
#include "chinese/phase_days.h"
#include "chinese/sexagenary.h"
#include "chinese/year_events.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/date_text.h"
#include "dayinfo/day_facts.h"
#include "dayinfo/day_view.h"
#include "dayinfo/era_names.h"
#include "dayinfo/festivals.h"
#include "dayinfo/four_pillars.h"
#include "dayinfo/hijri.h"
#include "dayinfo/holidays.h"
#include "dayinfo/names.h"
#include "dayinfo/seasons.h"
