#include "app/command_menu_win.h"

#include <string>

#include "app/command_menu.h"
#include "forms/wide_text.h"

namespace tavomerix {

namespace {

void appendEntries(HMENU menu, std::span<const MenuEntry> entries) {
    for (const MenuEntry& entry : entries) {
        const std::wstring text = widen(entry.text);
        if (!entry.items.empty()) {
            const HMENU submenu = CreatePopupMenu();
            appendEntries(submenu, entry.items);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        text.c_str());
        } else if (entry.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.id), text.c_str());
        }
    }
}

void checkEntries(HMENU menu, std::span<const MenuEntry> entries, const AppSettings& settings) {
    for (const MenuEntry& entry : entries) {
        if (entry.id != 0) {
            CheckMenuItem(
                menu, static_cast<UINT>(entry.id),
                MF_BYCOMMAND | (isMenuChecked(settings, entry.id) ? MF_CHECKED : MF_UNCHECKED));
        }
        checkEntries(menu, entry.items, settings);
    }
}

}  // namespace

HMENU buildCommandMenu(bool registryEnabled) {
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    std::span<const MenuEntry> entries = commandMenuEntries();
    if (!registryEnabled) entries = entries.subspan(CommemorationEntryCount);
    appendEntries(menu, entries);
    return menu;
}

void setCommemorationEntry(HMENU menu, bool present) {
    const bool shown = GetMenuItemID(menu, 0) == static_cast<UINT>(AddCommemorationCommand);
    if (present == shown) return;
    if (present) {
        const std::wstring text = widen(commandMenuEntries().front().text);
        InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, AddCommemorationCommand, text.c_str());
        InsertMenuW(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else {
        DeleteMenu(menu, 0, MF_BYPOSITION);
        DeleteMenu(menu, 0, MF_BYPOSITION);
    }
}

void updateMenuChecks(HMENU menu, const AppSettings& settings) {
    checkEntries(menu, commandMenuEntries(), settings);
}

void openCommandMenu(HMENU menu, HWND owner) {
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
}

}  // namespace tavomerix
