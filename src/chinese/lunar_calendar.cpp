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

int LunarCalendar::yearLength(int year) const { return lunarYear(year).length(); }

int LunarCalendar::leapMonth(int year) const { return lunarYear(year).leapMonth; }

int LunarCalendar::monthLength(int year, int monthCode) const {
    return lunarYear(year).monthDays(monthCode);
}

bool LunarCalendar::isValidDate(int year, int monthCode, int day) const {
    return day >= 1 && day <= monthLength(year, monthCode);
}

bool LunarCalendar::isValidDate(const LunarDate& date) const {
    if (date.month < 1 || date.month > 12) return false;
    return isValidDate(date.year, date.monthCode(), date.day);
}

int LunarCalendar::monthSequence(int year, int monthCode) const {
    return lunarYear(year).sequenceOf(monthCode);
}

int LunarCalendar::monthAtSequence(int year, int sequence) const {
    const LunarYear& lunar = lunarYear(year);
    const int monthCode = lunar.monthCodeAt(sequence);
    if (monthCode == 0) return 0;
    return monthCode + (lunar.monthDaysAt(sequence) == 30 ? 24 : 0);
}

int LunarCalendar::easterDay(int year) const {
    const int* day = easter_.get(year, [this](int y) { return computeEasterDay(context_, y); });
    return day == nullptr ? InvalidDayNumber : *day;
}

}  // namespace tavomerix
