#include "chinese/lunar_conversion.h"

#include <string_view>

namespace tavomerix {
namespace {

bool convertible(int year) { return year >= FirstConvertibleYear && year <= LastConvertibleYear; }

// Lunar date of day `index` (1..length) of a year, walking its months in order.
LunarDate dateAtIndex(int year, std::string_view record, int index) {
    const int leap = leapMonthOfRecord(record);
    int before = 0;  // days of the months already passed
    for (int i = 1; i <= 12; ++i) {
        const int days = monthDaysOfSize(record[i - 1]);
        if (index <= before + days) return {year, i, index - before, false, days == 30};
        before += days;
        if (leap == i) {
            const int leapDays = monthDaysOfSize(record[LeapSizePosition]);
            if (index <= before + leapDays) return {year, i, index - before, true, leapDays == 30};
            before += leapDays;
        }
    }
    return {};
}

}  // namespace

int lunarDayIndex(const LunarCalendar& calendar, const LunarDate& date) {
    if (!calendar.isValidDate(date)) return 0;
    const std::string_view record = calendar.yearRecord(date.year);
    const int leap = leapMonthOfRecord(record);
    int index = date.day;
    for (int i = 1; i <= date.month - (date.leap ? 0 : 1); ++i) {
        index += monthDaysOfSize(record[i - 1]);  // the leap month's own number included
    }
    if (!date.leap && leap > 0 && leap < date.month) {
        index += monthDaysOfSize(record[LeapSizePosition]);
    }
    return index;
}

LunarDate lunarDateFromDayIndex(const LunarCalendar& calendar, int year, int index) {
    const std::string_view record = calendar.yearRecord(year);
    if (record.empty() || index <= 0 || index > calendar.yearLength(year)) return {};
    return dateAtIndex(year, record, index);
}

LunarDate lunarDateOfDay(const LunarCalendar& calendar, const CivilDay& day) {
    const CivilDate& civil = day.date;
    if (day.dayNumber == InvalidDayNumber || !convertible(civil.year)) return {};
    const std::string_view record = calendar.yearRecord(civil.year);
    const int newYearMonthDay = newYearMonthDayOfRecord(record);
    if (100 * civil.month + civil.day >= newYearMonthDay) {
        // The lunar year of the civil year: its record is at hand, and a day index past
        // the year's length finds no month.
        const int index = day.dayNumber - calendar.newYearDay(civil.year) + 1;
        return index <= 0 ? LunarDate{} : dateAtIndex(civil.year, record, index);
    }
    const int lunarYear = civil.year - 1;
    return lunarDateFromDayIndex(calendar, lunarYear,
                                 day.dayNumber - calendar.newYearDay(lunarYear) + 1);
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

std::string lunarDateCode(const LunarDate& date) {
    return date.valid() ? formatDateCode(date.year, date.sizedMonthCode(), date.day) : "";
}

std::string lunarMonthCodeText(const LunarDate& date) {
    return date.valid() ? formatDateCode(date.year, date.monthCode(), date.day) : "";
}

}  // namespace tavomerix
