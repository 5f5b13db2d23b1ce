#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "app/commemoration_store.h"

namespace tavomerix {

// Years offered by the commemoration dialog's selectors.
constexpr int FirstCommemorationYear = 1800;
constexpr int LastCommemorationYear = 2200;

// One commemoration day of the dialog's list: lunar (month = MonthCode 1..24) or civil.
struct CommemorationItem {
    CommemorationKind kind = CommemorationKind::Lunar;
    int month = 0;
    int day = 0;
    int startYear = 0;
    std::string name;
    friend bool operator==(const CommemorationItem&, const CommemorationItem&) = default;
};

// List text of an item: "农历04月05日（1998年）  name" (公历 for a civil one).
std::string commemorationItemText(const CommemorationItem& item);

// Every sound entry of the stored days: lunar ones by month code 1..24 and day 1..30, then
// civil ones by month 1..12 and day 1..31. An entry is listed when its date exists in its
// start year (lunar dates by the calendar); its name is trimmed and clipped to 20 GBK bytes.
std::vector<CommemorationItem> loadCommemorationList(const LunarCalendar& calendar,
                                                     const CommemorationDays& days);

// Replaces the store by the items: both keys are deleted, then each item is written in
// order (an item that cannot be stored, such as one with an empty name, is left out).
void saveCommemorationList(const std::vector<CommemorationItem>& items);

// One row of date selectors; every field is the 1-based item selected, 0 for none. The
// year item k is year 1799 + k; the lunar month item is the month's position in its year
// (leap month included), the civil one the month; the day item is the day.
struct SelectorRow {
    int yearItem = 0;
    int monthItem = 0;
    int dayItem = 0;
    friend bool operator==(const SelectorRow&, const SelectorRow&) = default;
};

// Everything the dialog shows: the working list, its selection (-1 for none), both rows of
// selectors and the name field.
struct CommemorationDialogState {
    std::vector<CommemorationItem> items;
    int selected = -1;
    SelectorRow lunar;
    SelectorRow civil;
    std::string name;
};

// The dialog as it opens: the list of the stored days, nothing selected, the lunar row on the
// displayed lunar date and the civil row on the displayed civil date, each clamped into
// 1800..2200 (before: 1 January 1800 / 正月初一 1800; after: 31 December 2200 / 腊月廿九
// 2200), and an empty name.
CommemorationDialogState openCommemorationState(const AppSettings& settings,
                                                const CommemorationDays& days);

// Items of a row's selectors: years 1800..2200 ("  一八○○年" for lunar, "    1800年" for
// civil); months of the selected year (lunar: "  正月大" .. "闰四月小", civil: "   1月" ..
// "  12月"); days of the selected month (lunar: 初一 .. 廿九 or 三十, civil: " 1日" ..).
// Empty while the row's year (or, for days, month) is not selected. Lunar months come from
// the calendar.
std::vector<std::string> commemorationYearItems(CommemorationKind kind);
std::vector<std::string> commemorationMonthItems(const LunarCalendar& calendar,
                                                 CommemorationKind kind, const SelectorRow& row);
std::vector<std::string> commemorationDayItems(const LunarCalendar& calendar,
                                               CommemorationKind kind, const SelectorRow& row);

// The row after a selector of it changed: a new year keeps the month (a leap month the year
// lacks becomes its ordinary month) and a new month keeps the day, clamped to the month.
SelectorRow selectCommemorationYear(const LunarCalendar& calendar, CommemorationKind kind,
                                    SelectorRow row, int yearItem);
SelectorRow selectCommemorationMonth(const LunarCalendar& calendar, CommemorationKind kind,
                                     SelectorRow row, int monthItem);

// Selecting list item `index`: the row of its kind shows its date (when its start year is in
// 1800..2200) and the name field its name. Out-of-range indexes change nothing.
void selectCommemorationItem(const LunarCalendar& calendar, CommemorationDialogState& state,
                             int index);

// "添加农历纪念日" / "添加公历纪念日": with a complete row and a name that is not empty after
// trimming, an item of the row's date replaces the list item of the same kind, month and
// day in its place, or is appended; it becomes the selection. False, nothing changed,
// otherwise.
bool addCommemorationItem(const LunarCalendar& calendar, CommemorationDialogState& state,
                          CommemorationKind kind);

// "删除": removes the selected item; the item now at its place (the last one when it was
// the last, none when the list is empty) is selected and the name field cleared.
void deleteCommemorationItem(CommemorationDialogState& state);

}  // namespace tavomerix
