#pragma once

#include <vector>

#include "app/app_settings.h"
#include "app/commemoration_dialog.h"
#include "calendar/julian_day.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/day_view.h"

namespace tavomerix {

// The widget's state for one run, made by the entry point and handed to the windows that
// need it: the settings record and the commemoration days as the registry holds them.
struct Application {
    AppSettings settings;
    // Both commemoration-day keys as read at start and after each change the user makes;
    // empty while the registry is not in use (nothing is read then).
    CommemorationDays commemorationDays;
};

// The state at start: the settings loaded from the registry, the start-up dates for today
// and the commemoration days.
Application startApplication(const CivilDate& today);

// Reads both commemoration-day keys again while the registry is in use; empties the days
// otherwise.
void rereadCommemorationDays(Application& app);

// "保存" of the commemoration dialog: replaces the stored days by the items (see
// saveCommemorationList) and reads them back; nothing while the registry is not in use.
void saveCommemorationDays(Application& app, const std::vector<CommemorationItem>& items);

// The day view of the displayed civil day (selectedSolarDate) under the settings, with the
// commemoration days while the registry is in use.
DayView displayedDayView(const Application& app);

}  // namespace tavomerix
