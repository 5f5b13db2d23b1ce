#pragma once

#include <span>
#include <string_view>

#include "app/app_settings.h"
#include "calendar/julian_day.h"

namespace tavomerix {

// Identifiers of the command menu's entries.
constexpr int AddCommemorationCommand = 3175;
constexpr int TopmostCommand = 3176;
constexpr int EmbedCommand = 3177;
constexpr int LockCommand = 3178;
constexpr int FirstTransparencyCommand = 3179;  // 0 %; 3179 + k is k * 10 %
constexpr int LastTransparencyCommand = 3188;
constexpr int RereadDateCommand = 3189;
constexpr int SetDateCommand = 3190;
constexpr int FirstCalculatorCommand = 3191;  // modes 1..4
constexpr int FirstYearTablesCommand = 3195;  // modes 1..3
constexpr int FirstSearchCommand = 3198;      // modes 1..2
constexpr int OptionsCommand = 3200;
constexpr int ExitCommand = 3201;

// One entry of the menu: a command (id and text), a separator (id 0, no text) or a
// submenu (id 0, its text and items).
struct MenuEntry {
    int id = 0;
    std::string_view text;
    std::span<const MenuEntry> items;
};

// The top level of the command menu in order, with the commemoration entry and its
// separator first (shown only while the registry is in use).
std::span<const MenuEntry> commandMenuEntries();

// Entries at the top that are present only while the registry is in use.
constexpr int CommemorationEntryCount = 2;

// True when the entry of a command carries a check mark: 3176 in mode Topmost, 3177 in
// Embedded, 3178 while the position is locked, 3179 + RFORMTransFlag; all others false.
bool isMenuChecked(const AppSettings& settings, int id);

// What a command identifier asks for, with its argument (transparency step, tool mode).
enum class CommandKind {
    None,
    AddCommemoration,
    ToggleTopmost,
    ToggleEmbedded,
    ToggleLock,
    Transparency,
    RereadDate,
    SetDate,
    Calculator,
    YearTables,
    Search,
    Options,
    Exit,
};
struct Command {
    CommandKind kind = CommandKind::None;
    int argument = 0;
    friend bool operator==(const Command&, const Command&) = default;
};

// The command of an identifier; CommandKind::None for any other number.
Command commandOf(int id);

// Starting dates of the commemoration-day dialog from the displayed day: the civil date
// clamped to 1800-01-01 .. 2200-12-31, the lunar date (MonthCode) to 1800 正月初一 ..
// 2200 腊月廿九.
struct CommemorationStart {
    CivilDate civil;
    int lunarYear = 0;
    int lunarMonth = 0;  // MonthCode
    int lunarDay = 0;
    friend bool operator==(const CommemorationStart&, const CommemorationStart&) = default;
};
CommemorationStart commemorationStart(const AppSettings& settings);

}  // namespace tavomerix
