#include "dayinfo/next_term.h"

#include <string_view>

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "dayinfo/names.h"

namespace tavomerix {

std::string nextTermText(const CalendarContext& context, const CivilDate& date) {
    if (!isDayInfoDate(date)) return "";
    const int n = julianDayNumber(date);
    return nextTermTextOf(date.year, n, nextTermInstant(context, n, TermKind::Any),
                          nextTermNumber(context, n));
}

std::string nextTermTextOf(int year, int n, double instant, int termNumber) {
    const std::string_view name = solarTermName(termNumber);
    if (name.empty() || !(instant >= MinDayNumber && instant < MaxDayNumber + 1.0)) return "";
    const int termDay = floorToInt(instant);
    if (termDay == n || termDay == n + 1) {
        return (termDay == n ? "今日" : "明日") + std::string(name) + " " +
               clockText(timeOfDay(instant));
    }
    if (termDay < n) return "";
    const CivilDate term = civilDateFromDayNumber(termDay);
    std::string text;
    if (term.year != year) {
        text =
            term.year >= 1 ? std::to_string(term.year) : "公元前" + std::to_string(1 - term.year);
        text += "年";
    }
    text += std::to_string(term.month) + "月" + std::to_string(term.day) + "日";
    text += name;
    return text;
}

}  // namespace tavomerix
