#include "dayinfo/day_view.h"

#include "chinese/lunar_conversion.h"
#include "dayinfo/date_text.h"
#include "dayinfo/era_names.h"
#include "dayinfo/festivals.h"
#include "dayinfo/hijri.h"
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
    return dayView(calendar, dayFacts(calendar, date, options.commemorationDays), options);
}

DayView dayView(const LunarCalendar& calendar, const DayFacts& facts,
                const DayViewOptions& options) {
    if (!facts.valid()) return {};
    const CivilDate& date = facts.civil.date;
    const SexagenaryDay& ganzhi = facts.ganzhi(options.ganzhiYearStart);
    DayView view;
    view.civil = date;
    view.lunar = facts.lunar;
    view.lunarText = lunarYearItemText(view.lunar.year, options.eraNames) + " " +
                     lunarMonthText(view.lunar.sizedMonthCode()) + " " +
                     lunarDayName(view.lunar.day);
    view.dayLine = trimSpaces(std::string(weekdayNameOfDay(facts.civil.dayNumber)) + " " +
                              zodiacSignName(date) + "  " +
                              ganzhiTextOfNumbers(ganzhi.year, ganzhi.month, ganzhi.day));
    view.festivalLine =
        trimSpaces(options.hijriLine ? hijriLine(facts.hijri) : festivalLineOf(facts.festivals));
    view.seasonLine = trimSpaces(seasonLine(calendar, facts.civil, facts.nextTerm));
    return view;
}

}  // namespace tavomerix
