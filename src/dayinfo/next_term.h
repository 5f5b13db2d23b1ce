#pragma once

#include <string>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"

namespace tavomerix {

// The next-solar-term line of a civil date, from the first term falling on that day or
// later (a fresh search in the context's zone and regime): "今日冬至 21:37:28" on the term's day,
// "明日冬至 21:37:28" on the day before, otherwise its date and name: "12月21日冬至" in the
// same year, "2025年1月5日小寒" in a later AD year, "公元前99年1月5日小寒" in a BC year.
// "" unless the date is valid and in years -8999..9000.
std::string nextTermText(const CalendarContext& context, const CivilDate& date);

// The same line for day n (Julian Day number) of civil year `year` from an already known
// first term on or after n: its LocalDayNumber instant and TermNumber; "" when the term
// lies before n or cannot be written.
std::string nextTermTextOf(int year, int n, double instant, int termNumber);

}  // namespace tavomerix
