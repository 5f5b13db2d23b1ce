#pragma once

#include "app/options_dialog.h"
#include "forms/form_win.h"

namespace tavomerix {

// Registers the main window's class, places and creates the widget, shows it and runs the
// message loop until the window is destroyed.
void showMainWindow();

// The main window while it exists, else nullptr (owner of the modal windows).
HWND mainWindowHandle();

// After "确定" in the options dialog: updates the command menu's first entry, refills the
// lunar-year selector when its items changed and shows the displayed day again.
void refreshAfterOptions(const OptionEffects& effects);

}  // namespace tavomerix
