#include "dayinfo/hijri.h"

#include <cstdint>
#include <limits>

#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

constexpr int CycleYears = 30;
constexpr int CycleDays = 10631;
// Mean year and mean month in days, truncated as the tabular calendar defines them;
// with them the year starts fall on the leap pattern and the month starts on day
// offsets 0, 30, 59, .. 325 of the year.
constexpr double MeanYearDays = 354.36666666;
constexpr double MeanMonthDays = 29.53055555;
// Divisor of the first month estimate in hijriText; the correction step makes it exact.
constexpr double MonthEstimateDays = 29.59;
constexpr int MaxTextYear = 9999;

// Years of the 30-year cycle (year mod 30) with 355 days: 2, 5, 7, 10, 13, 16, 18, 21,
// 24, 26 and 29, one bit each.
constexpr std::uint32_t LeapYearsOfCycle = 1u << 2 | 1u << 5 | 1u << 7 | 1u << 10 | 1u << 13 |
                                           1u << 16 | 1u << 18 | 1u << 21 | 1u << 24 | 1u << 26 |
                                           1u << 29;

bool isHijriLeapYear(int year) { return (LeapYearsOfCycle >> (year % CycleYears) & 1u) != 0; }

int monthLength(int year, int month) {
    if (month == 12) return isHijriLeapYear(year) ? 30 : 29;
    return month % 2 == 1 ? 30 : 29;
}

// Truncation toward zero of a non-negative double below 2^31.
int fix(double x) { return static_cast<int>(x); }

}  // namespace

bool hijriIsValid(int year, int month, int day) {
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= monthLength(year, month);
}

int hijriToDayNumber(int year, int month, int day) {
    if (!hijriIsValid(year, month, day)) return InvalidDayNumber;
    const int c = truncDiv(year - 1, CycleYears);
    const int k = (year - 1) % CycleYears;  // 0..29
    const std::int64_t dayNumber = std::int64_t{CycleDays} * c + (HijriEpochDay - 1) +
                                   fix(MeanYearDays * k + 0.5) +
                                   fix(MeanMonthDays * (month - 1) + 0.5) + day;
    if (dayNumber > std::numeric_limits<int>::max()) return InvalidDayNumber;
    return static_cast<int>(dayNumber);
}

HijriDate hijriDate(int dayNumber) {
    // Beyond Hijri year 9999 the texts have no room for the year.
    static const int EndOfTextYears = hijriToDayNumber(MaxTextYear + 1, 1, 1);
    if (dayNumber < HijriEpochDay || dayNumber >= EndOfTextYears) return {};
    const int t = dayNumber - (HijriEpochDay - 1);  // >= 1
    const int q = truncDiv(t, CycleDays);
    const int r = t % CycleDays;
    int year = 0, month = 0, day = 0;
    if (r == 0) {
        // Last day of the 30th (common) year of cycle q.
        year = CycleYears * q, month = 12, day = 29;
    } else {
        year = truncDiv(r, 354) + CycleYears * q + 1;
        if (hijriToDayNumber(year, 1, 1) > dayNumber) --year;
        const int yearStart = hijriToDayNumber(year, 1, 1);
        month = fix((dayNumber - yearStart + 1) / MonthEstimateDays) + 1;
        if (hijriToDayNumber(year, month, 1) > dayNumber) --month;
        day = dayNumber - hijriToDayNumber(year, month, 1) + 1;
    }
    if (!hijriIsValid(year, month, day)) return {};
    return {year, month, day};
}

std::string hijriText(int dayNumber) {
    const HijriDate h = hijriDate(dayNumber);
    return h.valid() ? formatDateCode(h.year, h.month, h.day) : "";  // "AD" MM-DD-YYYY
}

std::string hijriLine(int dayNumber) { return hijriLine(hijriDate(dayNumber)); }

std::string hijriLine(const HijriDate& h) {
    if (!h.valid()) return "";
    return "回历" + std::to_string(h.year) + "年" + std::to_string(h.month) + "月" +
           std::to_string(h.day) + "日";
}

}  // namespace tavomerix
