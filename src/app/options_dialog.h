#pragma once

#include <span>
#include <string_view>

#include "app/app_settings.h"
#include "forms/control_spec.h"

namespace tavomerix {

// Form name, title and outer size of the options dialog.
constexpr std::string_view OptionsFormName = "iForm";
constexpr std::string_view OptionsTitle = "选项";
constexpr int OptionsWidth = 288;
constexpr int OptionsHeight = 193;

// Identifiers of its controls: the five check boxes in order, then the two buttons.
constexpr int RegistryOptionId = 3625;
constexpr int LichunOptionId = 3626;
constexpr int DynastyOptionId = 3627;
constexpr int HijriOptionId = 3628;
constexpr int ModernOptionId = 3629;
constexpr int OptionsOkId = 3630;
constexpr int OptionsCancelId = 3631;

// The seven controls in creation (and tab) order.
std::span<const ControlSpec> optionControls();

// The state of the five check boxes (1 ticked, 0 not), in dialog order.
struct OptionChoices {
    int registryEnabled = 0;
    int GanZhiFromLichunFlag = 0;
    int LunarYearShowDynastyFlag = 0;
    int FestivalInfoShowMuharramFlag = 0;
    int ModernCalculateAncientFlag = 0;
    friend bool operator==(const OptionChoices&, const OptionChoices&) = default;
};

// The check boxes as the dialog opens: ticked where the setting is 1.
OptionChoices currentOptions(const AppSettings& settings);

// What the main window refreshes after "确定". It always shows the day again.
struct OptionEffects {
    int commemorationEntry =
        0;  // +1: insert the first menu entry and its separator; -1: remove both
    bool refillLunarYears = false;  // the lunar-year items changed (era names or range bounds)
    friend bool operator==(const OptionEffects&, const OptionEffects&) = default;
};

// "确定" on the widget's settings: applies every changed choice in dialog order.
// Allowing the registry writes Version = "3.3" at once; revoking it deletes both
// commemoration-day keys and the settings key at once. A changed modern-astronomy choice
// switches to the calendar of the new context and recomputes the range bounds.
OptionEffects applyOptions(AppSettings& settings, const OptionChoices& choices);

}  // namespace tavomerix
