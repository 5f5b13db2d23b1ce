#pragma once

#include <windows.h>

#include "calendar/julian_day.h"
#include "tools/calculator.h"
#include "tools/search.h"
#include "tools/search_window.h"
#include "tools/year_tables.h"

namespace tavomerix {

// Modal tool windows over the main window; each returns when its window closes. minYear is
// the earliest year they accept; the calculator opens on the displayed civil date.
void openCalculator(HWND owner, CalculatorMode mode, const CalculatorSettings& settings,
                    const CivilDate& shown);
void openYearTables(HWND owner, YearTableMode mode, const LunarCalendar& calendar, int minYear);
void openSearch(HWND owner, SearchWindowMode mode, const SearchSettings& settings, int minYear);

}  // namespace tavomerix
