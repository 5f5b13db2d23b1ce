#include "app/command_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace tavomerix {
namespace {

TEST(CommandMenu, EntriesInMenuOrder) {
    const std::span<const MenuEntry> menu = commandMenuEntries();
    ASSERT_EQ(17u, menu.size());
    const struct {
        size_t position;
        int id;
        const char* text;
        size_t items;
    } Cases[] = {
        {1, 3175, "添加纪念日(&A)...", 0},
        {2, 0, "", 0},
        {3, 3176, "最前显示(&T)", 0},
        {4, 3177, "嵌入桌面(&I)", 0},
        {6, 3178, "禁止移动(&N)", 0},
        {8, 0, "设置透明度(&E)", 10},
        {10, 3189, "获得系统日期(&G)", 0},
        {11, 3190, "修改系统日期(&M)", 0},
        {13, 0, "实用工具(&U)", 11},
        {15, 3200, "选项(&S)...", 0},
        {16, 0, "", 0},
        {17, 3201, "退出(&X)", 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.position);
        const MenuEntry& e = menu[c.position - 1];
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.text, std::string(e.text));
        EXPECT_EQ(c.items, e.items.size());
    }
    const std::span<const MenuEntry> transparency = menu[7].items;
    EXPECT_EQ("0%(&0)", std::string(transparency.front().text));
    EXPECT_EQ(3188, transparency.back().id);
    EXPECT_EQ("90%(&9)", std::string(transparency.back().text));
    const std::span<const MenuEntry> tools = menu[12].items;
    EXPECT_EQ("计算儒略日(&J)...", std::string(tools[0].text));
    EXPECT_EQ(0, tools[4].id);  // separators between the three groups
    EXPECT_EQ(0, tools[8].id);
    EXPECT_EQ("计算朔望日(&N)...", std::string(tools[7].text));
    EXPECT_EQ(3199, tools[10].id);
}

TEST(CommandMenu, CheckMarksFollowTheWindowState) {
    AppSettings s;  // as after start: topmost, movable, opaque
    const auto checked = [&s] {
        std::vector<int> ids;
        for (int id = 3175; id <= 3201; ++id) {
            if (isMenuChecked(s, id)) ids.push_back(id);
        }
        return ids;
    };
    EXPECT_EQ((std::vector<int>{3176, 3179}), checked());
    s.window.windowMode = WindowMode::Embedded;
    s.window.positionLocked = 1;
    s.stored.RFORMTransFlag = 9;
    EXPECT_EQ((std::vector<int>{3177, 3178, 3188}), checked());
    s.window.windowMode = WindowMode::Normal;
    s.window.positionLocked = 0;
    s.stored.RFORMTransFlag = 3;
    EXPECT_EQ((std::vector<int>{3182}), checked());
}

TEST(CommandMenu, IdentifiersToCommands) {
    using K = CommandKind;
    const struct {
        int id;
        Command command;
    } Cases[] = {
        {3175, {K::AddCommemoration, 0}},
        {3176, {K::ToggleTopmost, 0}},
        {3177, {K::ToggleEmbedded, 0}},
        {3178, {K::ToggleLock, 0}},
        {3179, {K::Transparency, 0}},
        {3188, {K::Transparency, 9}},
        {3189, {K::RereadDate, 0}},
        {3190, {K::SetDate, 0}},
        {3191, {K::Calculator, 1}},
        {3194, {K::Calculator, 4}},
        {3195, {K::YearTables, 1}},
        {3197, {K::YearTables, 3}},
        {3198, {K::Search, 1}},
        {3199, {K::Search, 2}},
        {3200, {K::Options, 0}},
        {3201, {K::Exit, 0}},
        {3174, {K::None, 0}},
        {3202, {K::None, 0}},
        {3125, {K::None, 0}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(c.command, commandOf(c.id));
    }
}

TEST(CommandMenu, CommemorationDialogStartsInsideItsYears) {
    const struct {
        SolarSelection civil;
        LunarSelection lunar;
        CommemorationStart expected;
    } Cases[] = {
        {{2024, 2, 10}, {2024, 1, 1}, {{2024, 2, 10}, 2024, 1, 1}},
        {{2023, 4, 5}, {2023, 2 + 12, 15}, {{2023, 4, 5}, 2023, 14, 15}},  // 闰二月: MonthCode 14
        {{2023, 3, 21}, {2023, 2 + 24, 30}, {{2023, 3, 21}, 2023, 2, 30}},  // 二月大
        {{1799, 5, 6}, {1799, 3, 2}, {{1800, 1, 1}, 1800, 1, 1}},
        {{1800, 1, 5}, {1799, 11, 20}, {{1800, 1, 5}, 1800, 1, 1}},  // lunar year still 1799
        {{2201, 1, 1}, {2200, 12, 3}, {{2200, 12, 31}, 2200, 12, 3}},
        {{2300, 1, 1}, {2299, 11, 3}, {{2200, 12, 31}, 2200, 12, 29}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.civil.year << '-' << c.civil.month << '-' << c.civil.day);
        AppSettings s;
        s.window.selectedSolarDate = c.civil;
        s.window.selectedLunarDate = c.lunar;
        EXPECT_EQ(c.expected, commemorationStart(s));
    }
}

}  // namespace
}  // namespace tavomerix
