#pragma once

namespace tavomerix {

// Switches the Windows console to UTF-8 output so that Chinese text shows as written.
// Only the Windows build defines it (console_win.cpp).
void useUtf8Console();

}  // namespace tavomerix
