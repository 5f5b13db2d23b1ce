#include "app/application.h"

#include "app/commemoration_store.h"
#include "app/settings_store.h"

namespace tavomerix {

Application startApplication(const CivilDate& today) {
    Application app;
    loadSettings(app.settings);
    prepareStartDates(app.settings, today);
    rereadCommemorationDays(app);
    return app;
}

void rereadCommemorationDays(Application& app) {
    app.commemorationDays =
        app.settings.stored.registryEnabled == 1 ? readCommemorationDays() : CommemorationDays{};
}

void saveCommemorationDays(Application& app, const std::vector<CommemorationItem>& items) {
    if (app.settings.stored.registryEnabled != 1) return;
    saveCommemorationList(items);
    rereadCommemorationDays(app);
}

DayView displayedDayView(const Application& app) {
    const SolarSelection& civil = app.settings.window.selectedSolarDate;
    return dayView(calendarOf(app.settings), {civil.year, civil.month, civil.day},
                   dayViewOptions(app.settings.stored, &app.commemorationDays));
}

}  // namespace tavomerix
