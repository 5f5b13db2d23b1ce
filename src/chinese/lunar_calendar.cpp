#include "chinese/lunar_calendar.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "chinese/phase_days.h"

namespace tavomerix {

LunarCalendar::LunarCalendar(const CalendarContext& context)
    : context_(effectiveContext(context)),
      years_(context_),
      terms_(context_),
      easter_(MinCivilYear, MaxCivilYear) {}

const LunarCalendar& LunarCalendar::shared(const CalendarContext& context) {
    using Key = std::tuple<int, Regime, Engine>;
    static std::mutex mutex;
    static std::map<Key, std::unique_ptr<LunarCalendar>> calendars;
    const CalendarContext effective = effectiveContext(context);
    const Key key{effective.timeZoneHours, effective.regime, effective.engine};
    const std::lock_guard<std::mutex> lock(mutex);
    std::unique_ptr<LunarCalendar>& calendar = calendars[key];
    if (!calendar) calendar = std::make_unique<LunarCalendar>(effective);
    return *calendar;
}

int LunarCalendar::yearLength(int year) const {
    const std::string_view record = yearRecord(year);
    if (record.empty()) return 0;
    int days = 0;
    for (int i = 0; i < 12; ++i) days += monthDaysOfSize(record[i]);
    if (record[LeapDigitPosition] != '0') days += monthDaysOfSize(record[LeapSizePosition]);
    return days;
}

int LunarCalendar::leapMonth(int year) const {
    const std::string_view record = yearRecord(year);
    return record.empty() ? 0 : leapMonthOfRecord(record);
}

int LunarCalendar::monthLength(int year, int monthCode) const {
    const std::string_view record = yearRecord(year);
    if (record.empty()) return 0;
    if (monthCode >= 1 && monthCode <= 12) return monthDaysOfSize(record[monthCode - 1]);
    if (monthCode >= 13 && monthCode <= 24) {
        const int leap = leapMonthOfRecord(record);
        return leap > 0 && leap == monthCode - 12 ? monthDaysOfSize(record[LeapSizePosition]) : 0;
    }
    return 0;
}

bool LunarCalendar::isValidDate(int year, int monthCode, int day) const {
    return day >= 1 && day <= monthLength(year, monthCode);
}

bool LunarCalendar::isValidDate(const LunarDate& date) const {
    if (date.month < 1 || date.month > 12) return false;
    return isValidDate(date.year, date.monthCode(), date.day);
}

int LunarCalendar::monthSequence(int year, int monthCode) const {
    if (!isValidDate(year, monthCode, 1)) return 0;
    const int leap = leapMonth(year);
    if (leap == 0) return monthCode;
    if (monthCode <= 12) return leap < monthCode ? monthCode + 1 : monthCode;
    return leap + 1;
}

int LunarCalendar::monthAtSequence(int year, int sequence) const {
    const std::string_view record = yearRecord(year);
    if (record.empty()) return 0;
    const int leap = leapMonthOfRecord(record);
    const int months = leap == 0 ? 12 : 13;
    if (sequence < 1 || sequence > months) return 0;
    if (leap > 0 && sequence == leap + 1)
        return leap + 12 + (record[LeapSizePosition] == '1' ? 24 : 0);
    const int month = leap > 0 && sequence > leap + 1 ? sequence - 1 : sequence;
    return month + (record[month - 1] == '1' ? 24 : 0);
}

int LunarCalendar::easterDay(int year) const {
    const int* day = easter_.get(year, [this](int y) { return computeEasterDay(context_, y); });
    return day == nullptr ? InvalidDayNumber : *day;
}

}  // namespace tavomerix
