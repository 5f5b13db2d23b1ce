#include "dayinfo/next_term.h"

#include <cmath>
#include <string_view>

#include "astro/solar_terms.h"
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
    const std::string dateTime = dateTimeFromDayNumber(instant);  // "AD12-21-2000 21:37:28"
    const DateCodeFields term = parseDateCode(dateTime);
    if (!term.ok || name.empty()) return "";
    const std::string_view timeOfDay = std::string_view(dateTime).substr(13);
    const double termDay = std::floor(instant);
    if (termDay == n) return "今日" + std::string(name) + " " + std::string(timeOfDay);
    if (termDay == n + 1) return "明日" + std::string(name) + " " + std::string(timeOfDay);
    if (termDay < n) return "";
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
