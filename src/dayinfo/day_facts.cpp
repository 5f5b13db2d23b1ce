#include "dayinfo/day_facts.h"

#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/almanac.h"
#include "dayinfo/names.h"

namespace tavomerix {

TermInEffect termInEffect(const LunarCalendar& calendar, int n, const TermEvent& next) {
    if (next.number < 1 || next.number > 24) return {};
    if (floorToInt(next.instant) == n) return {next.number, n};
    // The term before the next one; its day lies within the last MaxDaysSinceTerm days, so
    // the first such term on or after that start is the latest one.
    const int number = (next.number + 22) % 24 + 1;
    const int day = calendar.termDay(n - MaxDaysSinceTerm, number);
    if (day == InvalidDayNumber || day > n) return {};
    return {number, day};
}

DayFacts dayFacts(const LunarCalendar& calendar, const CivilDate& date,
                  const CommemorationDays* days, const HolidayArrangements* holidays) {
    return dayFacts(calendar, civilDay(date), days, holidays);
}

DayFacts dayFacts(const LunarCalendar& calendar, const CivilDay& day, const CommemorationDays* days,
                  const HolidayArrangements* holidays) {
    if (day.dayNumber == InvalidDayNumber || !isDayInfoDate(day.date)) return {};
    DayFacts facts;
    facts.lunar = lunarDateOfDay(calendar, day);
    if (!facts.lunar.valid()) return {};
    facts.civil = day;
    facts.ganzhiFromNewYear =
        sexagenaryDay(calendar, day, facts.lunar, GanzhiYearStart::LunarNewYear);
    facts.ganzhiFromLichun = sexagenaryDay(calendar, day, facts.lunar, GanzhiYearStart::Lichun);
    facts.festivals = festivalNames(calendar, day, facts.lunar, days);
    facts.nextTerm = calendar.nextTerm(day.dayNumber);
    facts.term = termInEffect(calendar, day.dayNumber, facts.nextTerm);
    facts.hijri = hijriDate(day.dayNumber);
    if (holidays != nullptr) facts.holiday = holidayStatus(*holidays, day.dayNumber);
    return facts;
}

}  // namespace tavomerix
