#include "app/options_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "app/settings_store.h"

namespace tavomerix {
namespace {

// Runs on a settings record of the default year range with an empty in-memory registry.
class OptionsDialog : public testing::Test {
protected:
    void SetUp() override {
        resetMemoryRegistry();
        s.window.minYear = -100;
        s.window.maxYear = 4100;
        updateLunarBounds(s);
    }
    void TearDown() override { resetMemoryRegistry(); }

    AppSettings s;
};

TEST(OptionControls, FiveCheckBoxesAndTwoButtons) {
    const std::span<const ControlSpec> controls = optionControls();
    ASSERT_EQ(7u, controls.size());
    const struct {
        int id;
        ControlKind kind;
        int x, y, width;
        const char* caption;
    } Cases[] = {
        {3625, ControlKind::CheckBox, 12, 12, 105, "允许使用注册表"},
        {3626, ControlKind::CheckBox, 12, 34, 140, "干支纪年以立春为起点"},
        {3627, ControlKind::CheckBox, 12, 56, 128, "主界面显示年号纪年"},
        {3628, ControlKind::CheckBox, 12, 78, 128, "主界面显示回历信息"},
        {3629, ControlKind::CheckBox, 12, 100, 260, "以现代天文算法计算古代农历、节气、朔望日"},
        {3630, ControlKind::PushButton, 60, 124, 56, "确定"},
        {3631, ControlKind::PushButton, 164, 124, 56, "取消"},
    };
    for (size_t i = 0; i < std::size(Cases); ++i) {
        const auto& c = Cases[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(c.id, controls[i].id);
        EXPECT_EQ(c.kind, controls[i].kind);
        EXPECT_EQ(c.x, controls[i].x);
        EXPECT_EQ(c.y, controls[i].y);
        EXPECT_EQ(c.width, controls[i].width);
        EXPECT_EQ(c.caption, std::string(controls[i].caption));
        EXPECT_EQ("宋体,-12,0,0,0,400,0,0,0,1,0,0,0,0", std::string(controls[i].fontSpec));
    }
}

TEST_F(OptionsDialog, UnchangedChoicesChangeNothing) {
    s.stored.GanZhiFromLichunFlag = 1;
    const OptionChoices now = currentOptions(s);
    EXPECT_EQ((OptionChoices{0, 1, 0, 0, 0}), now);
    EXPECT_EQ(OptionEffects{}, applyOptions(s, now));
    EXPECT_EQ("", readRegistryText(SettingsKey, "Version"));
}

TEST_F(OptionsDialog, AllowingTheRegistryWritesThePermissionAtOnce) {
    const OptionEffects effects = applyOptions(s, {1, 0, 0, 0, 0});
    EXPECT_EQ(1, effects.commemorationEntry);
    EXPECT_EQ(1, s.stored.registryEnabled);
    EXPECT_EQ("3.3", readRegistryText(SettingsKey, "Version"));
}

// Allowing the registry over another version's mark is the user's choice: the key is ours
// from then on, and the close saves instead of leaving it alone.
TEST_F(OptionsDialog, AllowingTheRegistryTakesOverAnotherVersionsKey) {
    writeRegistryText(SettingsKey, "Version", "3.2");
    loadSettings(s);
    ASSERT_EQ(1, s.stored.otherVersionData);
    applyOptions(s, {1, 0, 0, 0, 0});
    EXPECT_EQ(0, s.stored.otherVersionData);
    EXPECT_EQ("3.3", readRegistryText(SettingsKey, "Version"));
    saveOrWipeSettings(s, 5, 6);
    EXPECT_EQ("5", readRegistryText(SettingsKey, "rFormLeft"));
}

TEST_F(OptionsDialog, RevokingTheRegistryDeletesTheCommemorationDaysAtOnce) {
    s.stored.registryEnabled = 1;
    writeRegistryText(SettingsKey, "Version", "3.3");
    writeRegistryText(LunarCommemorationKey, "0101", "生日");
    writeRegistryText(SolarCommemorationKey, "0501", "纪念");
    const OptionEffects effects = applyOptions(s, {0, 0, 0, 0, 0});
    EXPECT_EQ(-1, effects.commemorationEntry);
    EXPECT_EQ(0, s.stored.registryEnabled);
    EXPECT_EQ("", readRegistryText(LunarCommemorationKey, "0101"));
    EXPECT_EQ("", readRegistryText(SolarCommemorationKey, "0501"));
    EXPECT_EQ("", readRegistryText(SettingsKey, "Version"));
}

TEST_F(OptionsDialog, FlagsAndWhatTheyRefresh) {
    const struct {
        const char* name;
        OptionChoices choices;
        OptionEffects effects;
    } Cases[] = {
        {"立春", {0, 1, 0, 0, 0}, {0, false}},
        {"era names", {0, 0, 1, 0, 0}, {0, true}},
        {"Hijri line", {0, 0, 0, 1, 0}, {0, false}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        s.stored.GanZhiFromLichunFlag = s.stored.LunarYearShowDynastyFlag =
            s.stored.FestivalInfoShowMuharramFlag = 0;
        EXPECT_EQ(c.effects, applyOptions(s, c.choices));
        EXPECT_EQ(c.choices, currentOptions(s));
    }
}

TEST_F(OptionsDialog, ModernAstronomyRecomputesTheRangeBounds) {
    const LunarSelection lower = s.window.lowerLunarBound;
    s.window.lowerLunarBound = {};
    s.window.upperLunarBound = {};
    applyOptions(s, {0, 0, 0, 0, 1});
    EXPECT_EQ(1, s.stored.ModernCalculateAncientFlag);
    EXPECT_EQ(4100, s.window.upperLunarBound.year);  // 31 December 4100 falls in lunar 4100
    EXPECT_NE(0, s.window.lowerLunarBound.sizedMonth);
    applyOptions(s, {0, 0, 0, 0, 0});
    EXPECT_EQ(0, s.stored.ModernCalculateAncientFlag);
    EXPECT_EQ(lower.year, s.window.lowerLunarBound.year);
    EXPECT_EQ(lower.sizedMonth, s.window.lowerLunarBound.sizedMonth);
    EXPECT_EQ(lower.day, s.window.lowerLunarBound.day);
}

}  // namespace
}  // namespace tavomerix
