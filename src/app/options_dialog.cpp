#include "app/options_dialog.h"

#include <array>

#include "app/registry.h"
#include "app/settings_store.h"
#include "forms/form_style.h"

namespace tavomerix {

namespace {

constexpr std::string_view OptionsFont = ButtonFont;
constexpr ControlKind Box = ControlKind::CheckBox;
constexpr ControlKind Button = ControlKind::PushButton;

// clang-format off
constexpr std::array<ControlSpec, 7> OptionControls = {{
    {RegistryOptionId, Box, 12, 12, 105, 16, OptionsFont, {}, {}, "", "允许使用注册表"},
    {LichunOptionId, Box, 12, 34, 140, 16, OptionsFont, {}, {}, "", "干支纪年以立春为起点"},
    {DynastyOptionId, Box, 12, 56, 128, 16, OptionsFont, {}, {}, "", "主界面显示年号纪年"},
    {HijriOptionId, Box, 12, 78, 128, 16, OptionsFont, {}, {}, "", "主界面显示回历信息"},
    {ModernOptionId, Box, 12, 100, 260, 16, OptionsFont, {}, {}, "", "以现代天文算法计算古代农历、节气、朔望日"},
    {OptionsOkId, Button, 60, 124, 56, 24, OptionsFont, {}, {}, "", "确定"},
    {OptionsCancelId, Button, 164, 124, 56, 24, OptionsFont, {}, {}, "", "取消"},
}};
// clang-format on

}  // namespace

std::span<const ControlSpec> optionControls() { return OptionControls; }

OptionChoices currentOptions(const AppSettings& settings) {
    return {settings.stored.registryEnabled, settings.stored.GanZhiFromLichunFlag,
            settings.stored.LunarYearShowDynastyFlag, settings.stored.FestivalInfoShowMuharramFlag,
            settings.stored.ModernCalculateAncientFlag};
}

OptionEffects applyOptions(AppSettings& s, const OptionChoices& choices) {
    OptionEffects effects;
    if (choices.registryEnabled != s.stored.registryEnabled) {
        s.stored.registryEnabled = choices.registryEnabled;
        // The user's choice either way takes the key over from another version.
        s.stored.otherVersionData = 0;
        if (s.stored.registryEnabled == 1) {
            writeRegistryText(SettingsKey, "Version", PermissionMark);
            effects.commemorationEntry = 1;
        } else {
            wipeStoredSettings();
            effects.commemorationEntry = -1;
        }
    }
    s.stored.GanZhiFromLichunFlag = choices.GanZhiFromLichunFlag;
    if (choices.LunarYearShowDynastyFlag != s.stored.LunarYearShowDynastyFlag) {
        s.stored.LunarYearShowDynastyFlag = choices.LunarYearShowDynastyFlag;
        effects.refillLunarYears = true;
    }
    s.stored.FestivalInfoShowMuharramFlag = choices.FestivalInfoShowMuharramFlag;
    if (choices.ModernCalculateAncientFlag != s.stored.ModernCalculateAncientFlag) {
        const int lowerYear = s.window.lowerLunarBound.year;
        const int upperYear = s.window.upperLunarBound.year;
        s.stored.ModernCalculateAncientFlag = choices.ModernCalculateAncientFlag;
        updateLunarBounds(s);
        // The selector's items are the years between the bounds; they move with them.
        if (s.window.lowerLunarBound.year != lowerYear ||
            s.window.upperLunarBound.year != upperYear) {
            effects.refillLunarYears = true;
        }
    }
    return effects;
}

}  // namespace tavomerix
