#include <windows.h>
#include <commctrl.h>

#include "app/app_settings.h"
#include "app/application.h"
#include "app/clock.h"
#include "app/main_window_win.h"
#include "app/settings_store.h"
#include "forms/handles.h"

namespace tavomerix {

namespace {

constexpr wchar_t SingleInstanceMutex[] = L"Tavomerix3.0";
constexpr DWORD AllCommonControlClasses = 0x7FFF;  // every class up to the address control

}  // namespace

int startApplication() {
    const MutexHandle instance(CreateMutexW(nullptr, FALSE, SingleInstanceMutex));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS) return 0;  // another copy runs

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = AllCommonControlClasses;
    if (!InitCommonControlsEx(&controls)) InitCommonControls();

    AppSettings& settings = appSettings();
    loadSettings(settings);
    prepareStartDates(settings, readLocalDate());
    showMainWindow();
    return 0;  // the mutex is released as the process ends
}

}  // namespace tavomerix

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tavomerix::startApplication(); }
