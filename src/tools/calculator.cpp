#include "tools/calculator.h"

#include <cstdlib>
#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "dayinfo/date_text.h"

namespace tavomerix {

namespace {

constexpr int MaxToolYear = 5000;

struct TypedFields {
    bool ok = false;
    int year = 0, month = 0, day = 0;
};

// The fields of an input after normalisation and the year-range check.
TypedFields typedFields(const CalculatorInput& input, int minYear) {
    const std::string text = normaliseDateText(input.text);
    if (text.empty()) return {};
    const int month = std::atoi(text.substr(0, 2).c_str());
    const int day = std::atoi(text.substr(3, 2).c_str());
    int year = std::atoi(text.substr(6, 4).c_str());
    if (input.bc) year = 1 - year;
    if (year < minYear || year > MaxToolYear) return {};
    return {true, year, month, day};
}

// The civil date of a civil or lunar input; CivilDate{} (month 0) when there is none.
CivilDate civilDateOf(const LunarCalendar& calendar, const CalculatorInput& input, int minYear) {
    const TypedFields f = typedFields(input, minYear);
    if (!f.ok) return {};
    if (!input.lunar)
        return isValidDate(f.year, f.month, f.day) ? CivilDate{f.year, f.month, f.day}
                                                   : CivilDate{};
    return lunarToSolar(calendar, lunarDateOfMonthCode(f.year, f.month, f.day));
}

}  // namespace

CalculatorTexts calculatorTexts(CalculatorMode mode, bool lunarInput) {
    switch (mode) {
        case CalculatorMode::JulianDay:
            return {"计算儒略日", "计算", "儒略日数"};
        case CalculatorMode::Interval:
            return {"计算日间距", "计算", "间隔日数"};
        case CalculatorMode::Ganzhi:
            return {"计算干支历", "计算", "干支历"};
        case CalculatorMode::Convert:
            return {"公农历转换", "转换", lunarInput ? "公历日期" : "农历日期"};
    }
    return {};
}

int calculatorDayNumber(const LunarCalendar& calendar, const CalculatorInput& input, int minYear) {
    const CivilDate date = civilDateOf(calendar, input, minYear);
    return date.month == 0 ? InvalidDayNumber : julianDayNumber(date);
}

std::string calculatorResult(const CalculatorSettings& settings, CalculatorMode mode,
                             const CalculatorInput& first, const CalculatorInput& second) {
    const LunarCalendar& calendar = settings.calendar;
    switch (mode) {
        case CalculatorMode::JulianDay: {
            const int jdn = calculatorDayNumber(calendar, first, settings.minYear);
            return jdn == InvalidDayNumber ? "" : std::to_string(jdn);
        }
        case CalculatorMode::Interval: {
            const int a = calculatorDayNumber(calendar, first, settings.minYear);
            const int b = calculatorDayNumber(calendar, second, settings.minYear);
            if (a == InvalidDayNumber || b == InvalidDayNumber) return "";
            return std::to_string(std::abs(b - a));
        }
        case CalculatorMode::Ganzhi: {
            const CivilDate date = civilDateOf(calendar, first, settings.minYear);
            if (date.month == 0) return "";
            return ganzhiText(calendar, date, settings.ganzhiYearStart);
        }
        case CalculatorMode::Convert: {
            const TypedFields f = typedFields(first, settings.minYear);
            if (!f.ok) return "";
            if (first.lunar) {
                return formatDateCode(
                    lunarToSolar(calendar, lunarDateOfMonthCode(f.year, f.month, f.day)));
            }
            if (!isValidDate(f.year, f.month, f.day)) return "";
            return lunarMonthCodeText(solarToLunar(calendar, {f.year, f.month, f.day}));
        }
    }
    return "";
}

CalculatorInput calculatorStartInput(int year, int month, int day) {
    const std::string code = formatDateCode(year, month, day);
    if (code.empty()) return {};
    return {code.substr(2), year <= 0, false};
}

}  // namespace tavomerix
