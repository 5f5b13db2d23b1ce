#include "dayinfo/day_view.h"

#include "app/app_settings.h"
#include "calendar/julian_day.h"
#include "chinese/era_names.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "dayinfo/date_text.h"
#include "dayinfo/festivals.h"
#include "dayinfo/names.h"
#include "dayinfo/seasons.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {

std::string lunarYearItemText(int lunarYear) {
    const std::string year = appSettings().LunarYearShowDynastyFlag == 1
                                 ? eraYearText(lunarYear)
                                 : chineseYearText(lunarYear);
    return year.empty() ? "" : trimSpaces(year + "年");
}

DayView dayView(int year, int month, int day) {
    if (!isDayInfoDate(year, month, day)) return {};
    DayView view;
    view.lunarCode = solarToLunar(year, month, day);
    const DateCodeFields lunar = parseDateCode(view.lunarCode);
    if (!lunar.ok) return {};
    view.civilCode = formatDateCode(year, month, day);
    view.lunarText = lunarYearItemText(lunar.year) + " " + lunarMonthText(lunar.month) + " " +
                     lunarDayName(lunar.day);
    view.dayLine =
        trimSpaces(weekdayName(year, month, day) + " " + zodiacSignName(year, month, day) + "  " +
                   ganzhiText(year, month, day, appSettings().GanZhiFromLichunFlag));
    view.festivalLine = trimSpaces(festivalLine(year, month, day));
    view.seasonLine = trimSpaces(seasonLine(year, month, day));
    return view;
}

}  // namespace tavomerix
