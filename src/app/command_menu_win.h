#pragma once

#include <windows.h>

#include "app/app_settings.h"

namespace tavomerix {

// Creates the command menu with its two submenus; the commemoration entry and its
// separator only while the registry is in use. The caller destroys it (DestroyMenu).
HMENU buildCommandMenu(bool registryEnabled);

// Inserts (present) or removes the commemoration entry and its separator at the top.
void setCommemorationEntry(HMENU menu, bool present);

// Sets every check mark of the menu from the window state.
void updateMenuChecks(HMENU menu, const AppSettings& settings);

// Opens the menu at the cursor for the owner window, which receives the WM_COMMAND.
void openCommandMenu(HMENU menu, HWND owner);

}  // namespace tavomerix
