#pragma once

namespace tavomerix {

// The widget's process: single instance, common controls, settings, today and the year
// range, then the main window until it is closed. Returns the exit code, 0 (also when
// another copy is already running).
int startApplication();

}  // namespace tavomerix
