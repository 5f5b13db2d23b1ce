#include "chinese/lunar_conversion.h"

#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_year.h"

namespace tavomerix {
namespace {

bool convertible(int year) { return year >= FirstConvertibleYear && year <= LastConvertibleYear; }

// Lunar DateCode of day `index` (1..length) of a year, walking its months in order.
std::string dateAtIndex(int year, std::string_view record, int index) {
    const int leap = leapMonthOfRecord(record);
    int before = 0;  // days of the months already passed
    for (int i = 1; i <= 12; ++i) {
        const int days = monthDaysOfSize(record[i - 1]);
        if (index <= before + days)
            return formatDateCode(year, i + (days == 30 ? 24 : 0), index - before);
        before += days;
        if (leap == i) {
            const int leapDays = monthDaysOfSize(record[LeapSizePosition]);
            if (index <= before + leapDays) {
                return formatDateCode(year, i + (leapDays == 30 ? 36 : 12), index - before);
            }
            before += leapDays;
        }
    }
    return "";
}

}  // namespace

int lunarDayIndex(int year, int month, int day) {
    if (isValidLunarDate(year, month, day) == 0) return 0;
    const std::string_view record = lunarYearRecord(year);
    const int leap = leapMonthOfRecord(record);
    const int regularBefore =
        month <= 12 ? month - 1 : month - 12;  // the leap month's own number included
    int index = day;
    for (int i = 1; i <= regularBefore; ++i) index += monthDaysOfSize(record[i - 1]);
    if (month <= 12 && leap > 0 && leap < month) index += monthDaysOfSize(record[LeapSizePosition]);
    return index;
}

std::string lunarDateFromDayIndex(int year, int index) {
    const std::string_view record = lunarYearRecord(year);
    if (record.empty() || index <= 0 || index > lunarYearLength(year)) return "";
    return dateAtIndex(year, record, index);
}

std::string solarToLunar(int year, int month, int day) {
    if (!convertible(year)) return "";
    const int jdn = julianDayNumber(year, month, day);
    if (jdn == InvalidDayNumber) return "";
    const std::string_view record = lunarYearRecord(year);
    const int newYearMonthDay = newYearMonthDayOfRecord(record);
    const int lunarYear = 100 * month + day < newYearMonthDay ? year - 1 : year;
    return lunarDateFromDayIndex(lunarYear, jdn - lunarNewYearDay(lunarYear) + 1);
}

std::string lunarToSolar(int year, int month, int day) {
    if (!convertible(year)) return "";
    const int index = lunarDayIndex(year, month, day);
    if (index == 0) return "";
    return dateFromJulianDayNumber(lunarNewYearDay(year) + index - 1);
}

std::string withMonthCode(std::string_view lunarDateCode) {
    const DateCodeFields fields = parseDateCode(lunarDateCode);
    if (!fields.ok) return "";
    std::string text(lunarDateCode);
    const int code = monthCodeOf(fields.month);
    text[2] = static_cast<char>('0' + code / 10);
    text[3] = static_cast<char>('0' + code % 10);
    return text;
}

}  // namespace tavomerix
