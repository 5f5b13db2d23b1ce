#pragma once

#include <windows.h>

namespace tavomerix {

// The modal options dialog; true when it was closed with "确定" (the settings are then
// applied and the main window refreshed).
bool openOptionsDialog(HWND owner);

// The modal commemoration-day dialog.
void openCommemorationDialog(HWND owner);

// The commemoration-day dialog while it is open (the main window closes it first on
// SC_CLOSE); nullptr otherwise.
HWND commemorationDialogWindow();

}  // namespace tavomerix
