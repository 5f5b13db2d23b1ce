#include "tools/calculator.h"

#include <cstdlib>
#include <string>

#include "app/app_settings.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"
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

// The civil date of a civil or lunar input, or ok = false.
TypedFields civilFields(const CalculatorInput& input, int minYear) {
    const TypedFields f = typedFields(input, minYear);
    if (!f.ok) return {};
    if (!input.lunar) return isValidDate(f.year, f.month, f.day) ? f : TypedFields{};
    if (!isValidLunarDate(f.year, f.month, f.day)) return {};
    const DateCodeFields civil = parseDateCode(lunarToSolar(f.year, f.month, f.day));
    if (!civil.ok) return {};
    return {true, civil.year, civil.month, civil.day};
}

}  // namespace

CalculatorTexts calculatorTexts(CalculatorMode mode, bool lunarInput) {
    switch (mode) {
        case CalculatorMode::JulianDay: return {"计算儒略日", "计算", "儒略日数"};
        case CalculatorMode::Interval: return {"计算日间距", "计算", "间隔日数"};
        case CalculatorMode::Ganzhi: return {"计算干支历", "计算", "干支历"};
        case CalculatorMode::Convert:
            return {"公农历转换", "转换", lunarInput ? "公历日期" : "农历日期"};
    }
    return {};
}

int calculatorDayNumber(const CalculatorInput& input, int minYear) {
    const TypedFields f = civilFields(input, minYear);
    return f.ok ? julianDayNumber(f.year, f.month, f.day) : InvalidDayNumber;
}

std::string calculatorResult(CalculatorMode mode, const CalculatorInput& first,
                             const CalculatorInput& second, int minYear) {
    switch (mode) {
        case CalculatorMode::JulianDay: {
            const int jdn = calculatorDayNumber(first, minYear);
            return jdn == InvalidDayNumber ? "" : std::to_string(jdn);
        }
        case CalculatorMode::Interval: {
            const int a = calculatorDayNumber(first, minYear);
            const int b = calculatorDayNumber(second, minYear);
            if (a == InvalidDayNumber || b == InvalidDayNumber) return "";
            return std::to_string(std::abs(b - a));
        }
        case CalculatorMode::Ganzhi: {
            const TypedFields f = civilFields(first, minYear);
            if (!f.ok) return "";
            return ganzhiText(f.year, f.month, f.day, appSettings().GanZhiFromLichunFlag);
        }
        case CalculatorMode::Convert: {
            const TypedFields f = typedFields(first, minYear);
            if (!f.ok) return "";
            if (first.lunar) {
                return isValidLunarDate(f.year, f.month, f.day) ? lunarToSolar(f.year, f.month, f.day)
                                                                 : "";
            }
            if (!isValidDate(f.year, f.month, f.day)) return "";
            return withMonthCode(solarToLunar(f.year, f.month, f.day));
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
