#pragma once

#include <windows.h>

#include <optional>

#include "app/application.h"
#include "app/options_dialog.h"

namespace tavomerix {

// The modal options dialog over the widget's settings; when it is closed with "确定" the
// choices are applied (applyOptions) and what the main window refreshes is returned.
std::optional<OptionEffects> openOptionsDialog(HWND owner, AppSettings& settings);

// The modal commemoration-day dialog; "保存" stores the list and the application reads the
// days again.
void openCommemorationDialog(HWND owner, Application& app);

// The commemoration-day dialog while it is open (the main window closes it first on
// SC_CLOSE); nullptr otherwise.
HWND commemorationDialogWindow();

}  // namespace tavomerix
