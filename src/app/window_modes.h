#pragma once

#include <optional>
#include <vector>

#include "app/app_settings.h"
#include "calendar/julian_day.h"

namespace tavomerix {

// One change to the widget's window that a mode switch asks of the view, in order.
enum class WindowAction {
    TopmostOn,   // SetWindowPos HWND_TOPMOST
    TopmostOff,  // SetWindowPos HWND_NOTOPMOST
    EmbedOn,     // child of the desktop's icon view
    EmbedOff,    // top-level again
};

// A mode switch: the new mode and the window changes that lead to it.
struct ModeChange {
    WindowMode next = WindowMode::Topmost;
    std::vector<WindowAction> actions;
};

// "最前显示": Topmost -> Normal; Normal -> Topmost; Embedded -> Topmost (top-level again).
ModeChange toggleTopmost(WindowMode mode);

// "嵌入桌面": Topmost -> Embedded (not topmost); Embedded -> Normal; Normal -> Embedded.
ModeChange toggleEmbedded(WindowMode mode);

// "禁止移动": positionLocked 0 <-> 1.
void toggleLock(AppSettings& settings);

// Transparency step k (0..9, others ignored): stores RFORMTransFlag = k and returns the
// transparency amount 25 k for the layered window (alpha 255 - 25 k); nullopt when ignored.
std::optional<int> chooseTransparency(AppSettings& settings, int step);

// Re-reads today: selectedSolarDate = today, the lunar date follows. False, with nothing
// changed, when today does not convert (the year range is not recomputed).
bool rereadSystemDate(AppSettings& settings, const CivilDate& today);

// The civil date to set as the system date: the displayed day when its year is within
// 1980..2099, else nullopt (nothing is done).
std::optional<CivilDate> systemDateToSet(const AppSettings& settings);

}  // namespace tavomerix
