#include <windows.h>
#include <commctrl.h>

#include "app/application.h"
#include "app/clock.h"
#include "app/main_window_win.h"
#include "forms/handles.h"

namespace tavomerix {

namespace {

constexpr wchar_t SingleInstanceMutex[] = L"Tavomerix3.0";
constexpr DWORD AllCommonControlClasses = 0x7FFF;  // every class up to the address control

// The widget's process: single instance, common controls, the application's state for
// today, then the main window until it is closed. Returns the exit code, 0 (also when
// another copy is already running).
int runWidget() {
    const MutexHandle instance(CreateMutexW(nullptr, FALSE, SingleInstanceMutex));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS) return 0;  // another copy runs

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = AllCommonControlClasses;
    if (!InitCommonControlsEx(&controls)) InitCommonControls();

    Application app = startApplication(readLocalDate());
    showMainWindow(app);
    return 0;  // the mutex is released as the process ends
}

}  // namespace

}  // namespace tavomerix

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tavomerix::runWidget(); }
