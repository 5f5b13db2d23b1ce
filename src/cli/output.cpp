#include "cli/output.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "dayinfo/characters.h"
#include "dayinfo/day_view.h"
#include "dayinfo/names.h"

namespace tavomerix {

std::string isoInstant(double localInstant, int timeZoneHours, bool withOffset) {
    const double day = std::floor(localInstant);
    if (!(day >= MinDayNumber && day <= MaxDayNumber)) return "";
    // The time of day as the tables show it (truncated to the second).
    const TimeOfDay t = timeOfDay(localInstant);
    std::string text = isoDate(civilDateFromDayNumber(static_cast<int>(day))) +
                       (withOffset ? "T" : " ") + twoDigits(t.hours) + ":" + twoDigits(t.minutes) +
                       ":" + twoDigits(t.seconds);
    if (withOffset) {
        text += (timeZoneHours < 0 ? "-" : "+") + twoDigits(std::abs(timeZoneHours)) + ":00";
    }
    return text;
}

std::string lunarMonthCompactText(int year, int monthCode) {
    if (monthCode < 1 || monthCode > 24) return "";
    const int month = (monthCode - 1) % 12 + 1;
    return isoYear(year) + "-" + (monthCode > 12 ? "闰" : "") + twoDigits(month);
}

std::string lunarCompactText(const LunarDate& date) {
    if (!date.valid()) return "";
    return lunarMonthCompactText(date.year, date.monthCode()) + "-" + twoDigits(date.day);
}

std::string lunarWordsText(const LunarDate& date) {
    if (!date.valid()) return "";
    return lunarYearItemText(date.year, false) + " " + lunarMonthText(date.sizedMonthCode()) + " " +
           lunarDayName(date.day);
}

}  // namespace tavomerix
