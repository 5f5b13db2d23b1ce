#include "chinese/lunar_conversion.h"

#include <string_view>

namespace tavomerix {
namespace {

bool convertible(int year) { return year >= FirstConvertibleYear && year <= LastConvertibleYear; }

}  // namespace

int lunarDayIndex(const LunarCalendar& calendar, const LunarDate& date) {
    if (!calendar.isValidDate(date)) return 0;
    const LunarYear& year = calendar.lunarYear(date.year);
    return year.monthStarts[year.sequenceOf(date.monthCode()) - 1] - year.monthStarts[0] + date.day;
}

LunarDate lunarDateFromDayIndex(const LunarCalendar& calendar, int year, int index) {
    const LunarYear& lunar = calendar.lunarYear(year);
    if (index <= 0 || index > lunar.length()) return {};
    return lunar.dateOfDay(lunar.newYearDay() + index - 1);
}

LunarDate lunarDateOfDay(const LunarCalendar& calendar, const CivilDay& day) {
    if (day.dayNumber == InvalidDayNumber || !convertible(day.date.year)) return {};
    // 正月初一 falls in the civil year of its lunar year: days before it belong to the
    // lunar year before.
    const LunarYear& own = calendar.lunarYear(day.date.year);
    if (day.dayNumber >= own.newYearDay()) return own.dateOfDay(day.dayNumber);
    return calendar.lunarYear(day.date.year - 1).dateOfDay(day.dayNumber);
}

LunarDate lunarDateOfDay(const LunarCalendar& calendar, int dayNumber) {
    return lunarDateOfDay(calendar, civilDayOfNumber(dayNumber));
}

LunarDate solarToLunar(const LunarCalendar& calendar, const CivilDate& date) {
    if (!convertible(date.year)) return {};
    return lunarDateOfDay(calendar, civilDay(date));
}

int lunarToDayNumber(const LunarCalendar& calendar, const LunarDate& date) {
    if (!convertible(date.year)) return InvalidDayNumber;
    const int index = lunarDayIndex(calendar, date);
    if (index == 0) return InvalidDayNumber;
    return calendar.newYearDay(date.year) + index - 1;
}

CivilDate lunarToSolar(const LunarCalendar& calendar, const LunarDate& date) {
    const int day = lunarToDayNumber(calendar, date);
    return day == InvalidDayNumber ? CivilDate{} : civilDateFromDayNumber(day);
}

LunarMonthSpan lunarMonthSpan(const LunarCalendar& calendar, int year, int sizedMonthCode) {
    const int code = monthCodeOf(sizedMonthCode);
    return {
        year, sizedMonthCode, lunarToSolar(calendar, lunarDateOfMonthCode(year, code, 1)),
        lunarToSolar(calendar, lunarDateOfMonthCode(year, code, sizedMonthCode > 24 ? 30 : 29))};
}

std::vector<LunarMonthSpan> lunarMonthSpans(const LunarCalendar& calendar, int year) {
    std::vector<LunarMonthSpan> months;
    for (int sequence = 1; sequence <= 13; ++sequence) {
        const int sized = calendar.monthAtSequence(year, sequence);
        if (sized == 0) break;
        months.push_back(lunarMonthSpan(calendar, year, sized));
    }
    return months;
}

LunarMonthSpan leapMonthSpan(const LunarCalendar& calendar, int year) {
    const int leap = calendar.leapMonth(year);
    if (leap == 0) return {year, 0, {}, {}};
    return lunarMonthSpan(calendar, year,
                          calendar.monthAtSequence(year, calendar.monthSequence(year, leap + 12)));
}

std::string lunarDateCode(const LunarDate& date) {
    return date.valid() ? formatDateCode(date.year, date.sizedMonthCode(), date.day) : "";
}

std::string lunarMonthCodeText(const LunarDate& date) {
    return date.valid() ? formatDateCode(date.year, date.monthCode(), date.day) : "";
}

}  // namespace tavomerix
