// End-to-end checks of the tool windows and dialogs.
#include <windows.h>

#include <string>

#include "e2e_support_win.h"

namespace e2e {

void toolWindowScenarios(const std::wstring&) {}

}  // namespace e2e
