#pragma once

#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {

// The nine nines after the winter solstice: "一九第1天" on the solstice day (day 1) ..
// "九九第9天" on day 81; "" on other days, and unless the date is valid and in years
// -8999..9000. Terms come from the calendar's yearly term tables.
std::string ninesText(const LunarCalendar& calendar, const CivilDate& date);

// The three dog-day periods after the summer solstice: "初伏第n天" (10 days from the third
// 庚 day counted from the solstice), "中伏第n天" (10 or 20 days, up to the first 庚 day on or
// after 立秋), "末伏第n天" (10 days); "" on other days, and unless the date is valid and in
// years -8999..9000.
std::string dogDaysText(const LunarCalendar& calendar, const CivilDate& date);

// "入梅" on the first 丙 day on or after 芒种, "出梅" on the first 未 day on or after 小暑; ""
// on every other day, and unless the date is valid and in years -8999..9000.
std::string plumRainText(const LunarCalendar& calendar, const CivilDate& date);

// The next-solar-term line (as nextTermText) read from the yearly term tables: the same
// text without a fresh astronomical search per day. "" as nextTermText.
std::string cachedNextTermText(const LunarCalendar& calendar, const CivilDate& date);

// The season line of the main window: the next-term line, then a space and the nines text,
// or the dog-day and plum-rain texts when there is no nines text; trimmed, "" unless the
// date is valid and in years -8999..9000. Terms come from the yearly term tables.
std::string seasonLine(const LunarCalendar& calendar, const CivilDate& date);
std::string seasonLine(const LunarCalendar& calendar, const CivilDay& day);
// The same for a civil day whose first term on or after it (calendar.nextTerm) is known.
std::string seasonLine(const LunarCalendar& calendar, const CivilDay& day,
                       const TermEvent& nextTerm);

// The season line computed from fresh term searches for this day alone (nextTermText and
// solarTermInstant); the reference that seasonLine must equal.
std::string seasonLineDirect(const CalendarContext& context, const CivilDate& date);

}  // namespace tavomerix
