#include "app/command_menu.h"

#include <array>
#include <utility>

#include "app/commemoration_dialog.h"
#include "app/settings_store.h"
#include "chinese/lunar_year.h"

namespace tavomerix {

namespace {

constexpr MenuEntry Separator = {};

constexpr std::array<MenuEntry, 10> TransparencyEntries = {{
    {3179, "0%(&0)", {}},
    {3180, "10%(&1)", {}},
    {3181, "20%(&2)", {}},
    {3182, "30%(&3)", {}},
    {3183, "40%(&4)", {}},
    {3184, "50%(&5)", {}},
    {3185, "60%(&6)", {}},
    {3186, "70%(&7)", {}},
    {3187, "80%(&8)", {}},
    {3188, "90%(&9)", {}},
}};

constexpr std::array<MenuEntry, 11> ToolEntries = {{
    {3191, "计算儒略日(&J)...", {}},
    {3192, "计算日间距(&D)...", {}},
    {3193, "计算干支历(&G)...", {}},
    {3194, "公农历转换(&S)...", {}},
    Separator,
    {3195, "计算农历月(&L)...", {}},
    {3196, "计算节气日(&T)...", {}},
    {3197, "计算朔望日(&N)...", {}},
    Separator,
    {3198, "查询条件月(&M)...", {}},
    {3199, "查询条件日(&D)...", {}},
}};

constexpr std::array<MenuEntry, 17> MenuEntries = {{
    {AddCommemorationCommand, "添加纪念日(&A)...", {}},
    Separator,
    {TopmostCommand, "最前显示(&T)", {}},
    {EmbedCommand, "嵌入桌面(&I)", {}},
    Separator,
    {LockCommand, "禁止移动(&N)", {}},
    Separator,
    {0, "设置透明度(&E)", TransparencyEntries},
    Separator,
    {RereadDateCommand, "获得系统日期(&G)", {}},
    {SetDateCommand, "修改系统日期(&M)", {}},
    Separator,
    {0, "实用工具(&U)", ToolEntries},
    Separator,
    {OptionsCommand, "选项(&S)...", {}},
    Separator,
    {ExitCommand, "退出(&X)", {}},
}};

}  // namespace

std::span<const MenuEntry> commandMenuEntries() { return MenuEntries; }

bool isMenuChecked(const AppSettings& settings, int id) {
    switch (id) {
        case TopmostCommand:
            return settings.window.windowMode == WindowMode::Topmost;
        case EmbedCommand:
            return settings.window.windowMode == WindowMode::Embedded;
        case LockCommand:
            return settings.window.positionLocked == 1;
        default:
            return id == FirstTransparencyCommand + settings.stored.RFORMTransFlag &&
                   id <= LastTransparencyCommand;
    }
}

Command commandOf(int id) {
    constexpr std::pair<int, CommandKind> SingleCommands[] = {
        {AddCommemorationCommand, CommandKind::AddCommemoration},
        {TopmostCommand, CommandKind::ToggleTopmost},
        {EmbedCommand, CommandKind::ToggleEmbedded},
        {LockCommand, CommandKind::ToggleLock},
        {RereadDateCommand, CommandKind::RereadDate},
        {SetDateCommand, CommandKind::SetDate},
        {OptionsCommand, CommandKind::Options},
        {ExitCommand, CommandKind::Exit},
    };
    for (const auto& single : SingleCommands) {
        if (id == single.first) return {single.second, 0};
    }
    if (id >= FirstTransparencyCommand && id <= LastTransparencyCommand) {
        return {CommandKind::Transparency, id - FirstTransparencyCommand};
    }
    if (id >= FirstCalculatorCommand && id < FirstYearTablesCommand) {
        return {CommandKind::Calculator, id - FirstCalculatorCommand + 1};
    }
    if (id >= FirstYearTablesCommand && id < FirstSearchCommand) {
        return {CommandKind::YearTables, id - FirstYearTablesCommand + 1};
    }
    if (id >= FirstSearchCommand && id < OptionsCommand)
        return {CommandKind::Search, id - FirstSearchCommand + 1};
    return {};
}

CommemorationStart commemorationStart(const AppSettings& settings) {
    CommemorationStart start;
    const SolarSelection& civil = settings.window.selectedSolarDate;
    if (civil.year < FirstCommemorationYear) {
        start.civil = {FirstCommemorationYear, 1, 1};
    } else if (civil.year > LastCommemorationYear) {
        start.civil = {LastCommemorationYear, 12, 31};
    } else {
        start.civil = {civil.year, civil.month, civil.day};
    }
    const LunarSelection& lunar = settings.window.selectedLunarDate;
    if (lunar.year < FirstCommemorationYear) {
        start.lunarYear = FirstCommemorationYear;
        start.lunarMonth = 1;
        start.lunarDay = 1;
    } else if (lunar.year > LastCommemorationYear) {
        start.lunarYear = LastCommemorationYear;
        start.lunarMonth = 12;
        start.lunarDay = 29;
    } else {
        start.lunarYear = lunar.year;
        start.lunarMonth = monthCodeOf(lunar.sizedMonth);
        start.lunarDay = lunar.day;
    }
    return start;
}

}  // namespace tavomerix
