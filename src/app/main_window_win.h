#pragma once

#include "app/application.h"
#include "forms/form_win.h"

namespace tavomerix {

// Registers the main window's class, places and creates the widget over the application's
// state, shows it and runs the message loop until the window is destroyed.
void showMainWindow(Application& app);

}  // namespace tavomerix
