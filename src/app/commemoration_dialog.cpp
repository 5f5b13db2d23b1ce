#include "app/commemoration_dialog.h"

#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "calendar/julian_day.h"
#include "dayinfo/characters.h"
#include "dayinfo/date_text.h"
#include "dayinfo/names.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {

namespace {

constexpr int LastLunarMonthCode = 24;
constexpr int LastLunarDay = 30;
constexpr int LastCivilDay = 31;
constexpr int AnyShownYear = 9999;  // a start year never lies after it

bool isLunar(CommemorationKind kind) { return kind == CommemorationKind::Lunar; }

int yearOfItem(int yearItem) { return FirstCommemorationYear + yearItem - 1; }

int itemOfYear(int year) {
    return year < FirstCommemorationYear || year > LastCommemorationYear
               ? 0
               : year - FirstCommemorationYear + 1;
}

// Days of the month a row selects; 0 when the row has no year or month.
int monthDays(const LunarCalendar& calendar, CommemorationKind kind, const SelectorRow& row) {
    if (row.yearItem == 0 || row.monthItem == 0) return 0;
    const int year = yearOfItem(row.yearItem);
    if (!isLunar(kind)) return static_cast<int>(civilDayItems(year, row.monthItem).size());
    const int sized = calendar.monthAtSequence(year, row.monthItem);
    if (sized == 0) return 0;
    return sized > 24 ? 30 : 29;
}

// The month code of a row (lunar: MonthCode of the month at the selected position).
int rowMonth(const LunarCalendar& calendar, CommemorationKind kind, const SelectorRow& row) {
    if (!isLunar(kind)) return row.monthItem;
    const int sized = calendar.monthAtSequence(yearOfItem(row.yearItem), row.monthItem);
    return sized == 0 ? 0 : monthCodeOf(sized);
}

SelectorRow lunarRow(const LunarCalendar& calendar, int year, int monthCode, int day) {
    return {itemOfYear(year), calendar.monthSequence(year, monthCode), day};
}

SelectorRow clampedLunarRow(const LunarCalendar& calendar, const LunarSelection& date) {
    if (date.year < FirstCommemorationYear) return lunarRow(calendar, FirstCommemorationYear, 1, 1);
    if (date.year > LastCommemorationYear) return lunarRow(calendar, LastCommemorationYear, 12, 29);
    return lunarRow(calendar, date.year, monthCodeOf(date.sizedMonth), date.day);
}

SelectorRow clampedCivilRow(const SolarSelection& date) {
    if (date.year < FirstCommemorationYear) return {itemOfYear(FirstCommemorationYear), 1, 1};
    if (date.year > LastCommemorationYear) return {itemOfYear(LastCommemorationYear), 12, 31};
    return {itemOfYear(date.year), date.month, date.day};
}

void loadKind(const LunarCalendar& calendar, const CommemorationDays& days, CommemorationKind kind,
              std::vector<CommemorationItem>& items) {
    const int lastMonth = isLunar(kind) ? LastLunarMonthCode : 12;
    const int lastDay = isLunar(kind) ? LastLunarDay : LastCivilDay;
    for (int month = 1; month <= lastMonth; ++month) {
        for (int day = 1; day <= lastDay; ++day) {
            const std::string* stored = days.find(kind, month, day);
            if (stored == nullptr) continue;
            const std::string name =
                commemorationEntryName(calendar, kind, *stored, month, day, AnyShownYear);
            if (name.empty()) continue;
            items.push_back({kind, month, day, std::stoi(stored->substr(0, 4)), name});
        }
    }
}

}  // namespace

std::string commemorationItemText(const CommemorationItem& item) {
    return std::string(isLunar(item.kind) ? "农历" : "公历") + twoDigits(item.month) + "月" +
           twoDigits(item.day) + "日（" + twoDigits(item.startYear / 100) +
           twoDigits(item.startYear) + "年）  " + item.name;
}

std::vector<CommemorationItem> loadCommemorationList(const LunarCalendar& calendar,
                                                     const CommemorationDays& days) {
    std::vector<CommemorationItem> items;
    loadKind(calendar, days, CommemorationKind::Lunar, items);
    loadKind(calendar, days, CommemorationKind::Solar, items);
    return items;
}

void saveCommemorationList(const std::vector<CommemorationItem>& items) {
    deleteCommemorationDays();
    for (const CommemorationItem& item : items) {
        writeCommemorationEntry(item.kind, item.month, item.day, item.startYear, item.name);
    }
}

CommemorationDialogState openCommemorationState(const AppSettings& settings,
                                                const CommemorationDays& days) {
    CommemorationDialogState state;
    const LunarCalendar& calendar = calendarOf(settings);
    state.items = loadCommemorationList(calendar, days);
    state.lunar = clampedLunarRow(calendar, settings.window.selectedLunarDate);
    state.civil = clampedCivilRow(settings.window.selectedSolarDate);
    return state;
}

std::vector<std::string> commemorationYearItems(CommemorationKind kind) {
    std::vector<std::string> items;
    items.reserve(LastCommemorationYear - FirstCommemorationYear + 1);
    for (int year = FirstCommemorationYear; year <= LastCommemorationYear; ++year) {
        items.push_back((isLunar(kind) ? chineseYearText(year) : yearText(year)) + "年");
    }
    return items;
}

std::vector<std::string> commemorationMonthItems(const LunarCalendar& calendar,
                                                 CommemorationKind kind, const SelectorRow& row) {
    if (row.yearItem == 0) return {};
    if (!isLunar(kind)) return civilMonthItems();
    std::vector<std::string> items;
    const int year = yearOfItem(row.yearItem);
    for (int sequence = 1;; ++sequence) {
        const int sized = calendar.monthAtSequence(year, sequence);
        if (sized == 0) break;
        items.push_back(lunarMonthItem(sized));
    }
    return items;
}

std::vector<std::string> commemorationDayItems(const LunarCalendar& calendar,
                                               CommemorationKind kind, const SelectorRow& row) {
    const int days = monthDays(calendar, kind, row);
    if (days == 0) return {};
    if (!isLunar(kind)) return civilDayItems(yearOfItem(row.yearItem), row.monthItem);
    std::vector<std::string> items;
    for (int day = 1; day <= days; ++day) items.push_back(lunarDayName(day));
    return items;
}

SelectorRow selectCommemorationYear(const LunarCalendar& calendar, CommemorationKind kind,
                                    SelectorRow row, int yearItem) {
    if (yearItem < 1 || yearItem > itemOfYear(LastCommemorationYear)) return row;
    const int oldMonth = row.yearItem == 0 ? 0 : rowMonth(calendar, kind, row);
    row.yearItem = yearItem;
    if (oldMonth != 0 && isLunar(kind)) {
        const int year = yearOfItem(yearItem);
        const int kept = calendar.monthSequence(year, oldMonth);
        row.monthItem =
            kept != 0 ? kept
                      : calendar.monthSequence(year, oldMonth > 12 ? oldMonth - 12 : oldMonth);
    }
    if (row.dayItem != 0 && row.monthItem != 0)
        row.dayItem = std::min(row.dayItem, monthDays(calendar, kind, row));
    return row;
}

SelectorRow selectCommemorationMonth(const LunarCalendar& calendar, CommemorationKind kind,
                                     SelectorRow row, int monthItem) {
    if (row.yearItem == 0 || monthItem < 1 ||
        monthItem > static_cast<int>(commemorationMonthItems(calendar, kind, row).size())) {
        return row;
    }
    row.monthItem = monthItem;
    if (row.dayItem != 0) row.dayItem = std::min(row.dayItem, monthDays(calendar, kind, row));
    return row;
}

void selectCommemorationItem(const LunarCalendar& calendar, CommemorationDialogState& state,
                             int index) {
    if (index < 0 || index >= static_cast<int>(state.items.size())) return;
    state.selected = index;
    const CommemorationItem& item = state.items[static_cast<size_t>(index)];
    state.name = item.name;
    if (itemOfYear(item.startYear) == 0) return;
    if (isLunar(item.kind)) {
        state.lunar = lunarRow(calendar, item.startYear, item.month, item.day);
    } else {
        state.civil = {itemOfYear(item.startYear), item.month, item.day};
    }
}

bool addCommemorationItem(const LunarCalendar& calendar, CommemorationDialogState& state,
                          CommemorationKind kind) {
    const SelectorRow& row = isLunar(kind) ? state.lunar : state.civil;
    const std::string name = commemorationShownName(state.name);
    if (row.yearItem == 0 || row.monthItem == 0 || row.dayItem == 0 || name.empty()) return false;
    const int month = rowMonth(calendar, kind, row);
    if (month == 0 || row.dayItem > monthDays(calendar, kind, row)) return false;
    CommemorationItem item{kind, month, row.dayItem, yearOfItem(row.yearItem), name};
    const auto same =
        std::find_if(state.items.begin(), state.items.end(), [&](const CommemorationItem& other) {
            return other.kind == kind && other.month == item.month && other.day == item.day;
        });
    if (same == state.items.end()) {
        state.items.push_back(std::move(item));
        state.selected = static_cast<int>(state.items.size()) - 1;
    } else {
        *same = std::move(item);
        state.selected = static_cast<int>(same - state.items.begin());
    }
    return true;
}

void deleteCommemorationItem(CommemorationDialogState& state) {
    if (state.selected < 0 || state.selected >= static_cast<int>(state.items.size())) return;
    state.items.erase(state.items.begin() + state.selected);
    state.selected = std::min(state.selected, static_cast<int>(state.items.size()) - 1);
    state.name.clear();
}

}  // namespace tavomerix
