#include "app/application.h"

#include <gtest/gtest.h>

#include <string>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "app/settings_store.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

class ApplicationTest : public FreshRegistry {
protected:
    static bool shows(const Application& app, const std::string& name) {
        return displayedDayView(app).festivalLine.find(name) != std::string::npos;
    }
};

// The days are read at start only with the permission mark; another version's days are
// neither shown nor touched.
TEST_F(ApplicationTest, StartReadsTheDaysOnlyWithThePermission) {
    const struct {
        const char* version;  // nullptr: no Version value
        bool shown;
    } Cases[] = {{"3.3", true}, {nullptr, false}, {"3.2", false}};
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.version == nullptr ? "(none)" : c.version);
        resetMemoryRegistry();
        if (c.version != nullptr) writeRegistryText(SettingsKey, "Version", c.version);
        writeRegistryText(SolarCommemorationKey, "06-02", "2001纪念");
        const Application app = startApplication({2024, 6, 2});
        EXPECT_EQ(c.shown, !app.commemorationDays.empty());
        EXPECT_EQ(c.shown, shows(app, "纪念"));
        EXPECT_EQ("2001纪念", readRegistryText(SolarCommemorationKey, "06-02"));
    }
}

// Showing a day does not read the registry: a value written behind the widget's back
// appears only once the days are read again, and revoking the permission empties them.
TEST_F(ApplicationTest, TheDaysAreReadAgainOnlyWhenAsked) {
    writeRegistryText(SettingsKey, "Version", "3.3");
    Application app = startApplication({2024, 6, 2});
    writeRegistryText(SolarCommemorationKey, "06-02", "2001纪念");
    EXPECT_FALSE(shows(app, "纪念"));
    rereadCommemorationDays(app);
    EXPECT_TRUE(shows(app, "纪念"));
    app.settings.stored.registryEnabled = 0;
    rereadCommemorationDays(app);
    EXPECT_TRUE(app.commemorationDays.empty());
}

TEST_F(ApplicationTest, SavingStoresAndShowsTheListOnlyWithThePermission) {
    const std::vector<CommemorationItem> items = {
        {CommemorationKind::Solar, 6, 2, 2001, "  纪念  "},
    };
    for (const int enabled : {1, 0}) {
        SCOPED_TRACE(enabled);
        resetMemoryRegistry();
        Application app = startApplication({2024, 6, 2});
        app.settings.stored.registryEnabled = enabled;
        saveCommemorationDays(app, items);
        EXPECT_EQ(enabled == 1 ? "2001纪念" : "", readRegistryText(SolarCommemorationKey, "06-02"));
        EXPECT_EQ(enabled == 1, shows(app, "纪念"));
    }
}

}  // namespace
}  // namespace tavomerix
