#include "dayinfo/day_view.h"

#include "chinese/lunar_conversion.h"
#include "dayinfo/date_text.h"
#include "dayinfo/era_names.h"
#include "dayinfo/festivals.h"
#include "dayinfo/names.h"
#include "dayinfo/seasons.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {

std::string lunarYearItemText(int lunarYear, bool eraNames) {
    const std::string year = eraNames ? eraYearText(lunarYear) : chineseYearText(lunarYear);
    return year.empty() ? "" : trimSpaces(year + "年");
}

DayView dayView(const LunarCalendar& calendar, const CivilDate& date,
                const DayViewOptions& options) {
    if (!isDayInfoDate(date)) return {};
    const CivilDay day = civilDay(date);  // the one conversion to a day number
    DayView view;
    view.lunar = lunarDateOfDay(calendar, day);
    if (!view.lunar.valid()) return {};
    view.civil = date;
    view.civilCode = formatDateCode(date.year, date.month, date.day);
    view.lunarCode = lunarDateCode(view.lunar);
    view.lunarText = lunarYearItemText(view.lunar.year, options.eraNames) + " " +
                     lunarMonthText(view.lunar.sizedMonthCode()) + " " +
                     lunarDayName(view.lunar.day);
    view.dayLine =
        trimSpaces(std::string(weekdayNameOfDay(day.dayNumber)) + " " + zodiacSignName(date) +
                   "  " + ganzhiText(calendar, day, options.ganzhiYearStart));
    view.festivalLine = trimSpaces(
        festivalLine(calendar, day, view.lunar, {options.hijriLine, options.commemorationDays}));
    view.seasonLine = trimSpaces(seasonLine(calendar, day));
    return view;
}

}  // namespace tavomerix
