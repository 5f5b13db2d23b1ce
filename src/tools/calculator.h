#pragma once

#include <string>
#include <string_view>

#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"

namespace tavomerix {

// The four modes of the calculator window.
enum class CalculatorMode { JulianDay = 1, Interval = 2, Ganzhi = 3, Convert = 4 };

// One date input as the window holds it: the edit text (month-day-year), the "公元前"
// box and the civil/lunar choice.
struct CalculatorInput {
    std::string text;
    bool bc = false;
    bool lunar = false;
};

// Window title, action button text and result label of a mode (the label of mode 4
// follows the input's calendar).
struct CalculatorTexts {
    std::string_view title;
    std::string_view action;
    std::string_view resultLabel;
};
CalculatorTexts calculatorTexts(CalculatorMode mode, bool lunarInput);

// Julian Day number of one date input, or InvalidDayNumber: the text is normalised, the
// year must lie in [minYear, 5000], a civil date must exist and a lunar date (month =
// MonthCode) must exist in its lunar year of the calendar.
int calculatorDayNumber(const LunarCalendar& calendar, const CalculatorInput& input, int minYear);

// What a calculation needs besides its inputs: the calendar, the earliest year of the
// tools and where sexagenary years begin.
struct CalculatorSettings {
    const LunarCalendar& calendar;
    int minYear;
    GanzhiYearStart ganzhiYearStart;
};

// The result text of the action button: "" for every failure. `second` is read only in
// the interval mode.
std::string calculatorResult(const CalculatorSettings& settings, CalculatorMode mode,
                             const CalculatorInput& first, const CalculatorInput& second);

// The edit text that opens the window for a civil date: MM-DD-YYYY with a positive
// year, and whether "公元前" is ticked.
CalculatorInput calculatorStartInput(int year, int month, int day);

}  // namespace tavomerix
