#pragma once

#include <windows.h>

namespace tavomerix {

// Modal tool windows over the main window; each returns when its window closes.
// Calculator modes 1..4, year-table modes 1..3, search modes 1 (months) and 2 (days).
void openCalculator(HWND owner, int mode);
void openYearTables(HWND owner, int mode);
void openSearch(HWND owner, int mode);

}  // namespace tavomerix
