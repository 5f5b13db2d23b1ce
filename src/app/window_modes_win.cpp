#include "app/window_modes_win.h"

#include "app/main_window.h"

namespace tavomerix {

void setTopmost(HWND window, bool on) {
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void setEmbedded(HWND window, bool on) {
    HWND view = nullptr;
    if (on) {
        const HWND desktop = FindWindowW(L"Progman", L"Program Manager");
        const HWND shell = desktop == nullptr
                               ? nullptr
                               : FindWindowExW(desktop, nullptr, L"SHELLDLL_DefView", L"");
        view = shell == nullptr ? nullptr : FindWindowExW(shell, nullptr, L"SysListView32", L"");
    }
    SetParent(window, view);
}

void setTransparency(HWND window, int transparency) {
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(layeredAlpha(transparency)), LWA_ALPHA);
}

void applyWindowAction(HWND window, WindowAction action) {
    switch (action) {
        case WindowAction::TopmostOn:
        case WindowAction::TopmostOff:
            setTopmost(window, action == WindowAction::TopmostOn);
            break;
        case WindowAction::EmbedOn:
        case WindowAction::EmbedOff:
            setEmbedded(window, action == WindowAction::EmbedOn);
            break;
    }
}

}  // namespace tavomerix
