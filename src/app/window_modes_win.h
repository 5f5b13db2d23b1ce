#pragma once

#include <windows.h>

#include "app/window_modes.h"

namespace tavomerix {

// Makes the window topmost (on) or not, leaving position and size and showing it.
void setTopmost(HWND window, bool on);

// on: makes the window a child of the desktop's icon view (Progman "Program Manager" >
// SHELLDLL_DefView > SysListView32); a view that is not found leaves it top-level. off:
// top-level again.
void setEmbedded(HWND window, bool on);

// Layered window with alpha 255 - t (t clamped to 0..255); the layered style stays at 0.
void setTransparency(HWND window, int transparency);

// Carries out one step of a mode change.
void applyWindowAction(HWND window, WindowAction action);

}  // namespace tavomerix
