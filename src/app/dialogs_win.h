#pragma once

#include <windows.h>

namespace tavomerix {

// The modal options dialog; true when a setting changed (the main window refreshes).
bool openOptionsDialog(HWND owner);

// The modal commemoration-day dialog.
void openCommemorationDialog(HWND owner);

// The commemoration-day dialog while it is open (the main window closes it first on
// SC_CLOSE); nullptr otherwise.
HWND commemorationDialogWindow();

}  // namespace tavomerix
