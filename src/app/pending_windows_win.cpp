// Temporary stand-ins for the tool windows and the commemoration-day dialog; removed when
// their own sources are merged.
#include "app/dialogs_win.h"
#include "tools/tool_windows_win.h"

namespace tavomerix {
void openCalculator(HWND, int) {}
void openYearTables(HWND, int) {}
void openSearch(HWND, int) {}
void openCommemorationDialog(HWND) {}
HWND commemorationDialogWindow() { return nullptr; }
}  // namespace tavomerix
