#pragma once

#include "forms/form_win.h"

namespace tavomerix {

// Registers the main window's class, places and creates the widget, shows it and runs the
// message loop until the window is destroyed.
void showMainWindow();

// The main window while it exists, else nullptr (owner of the modal windows).
HWND mainWindowHandle();

}  // namespace tavomerix
