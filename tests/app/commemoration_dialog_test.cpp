#include "app/commemoration_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/registry.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

using Kind = CommemorationKind;

class CommemorationDialogTest : public FreshRegistry {
protected:
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
};

constexpr int itemOfYear(int year) { return year - 1799; }

std::vector<std::string> texts(const std::vector<CommemorationItem>& items) {
    std::vector<std::string> out;
    for (const CommemorationItem& item : items) out.push_back(commemorationItemText(item));
    return out;
}

TEST_F(CommemorationDialogTest, ItemTextKeepsTheFixedColumns) {
    EXPECT_EQ("农历04月05日（1998年）  结婚纪念日",
              commemorationItemText({Kind::Lunar, 4, 5, 1998, "结婚纪念日"}));
    EXPECT_EQ("农历16月01日（2020年）  闰月",
              commemorationItemText({Kind::Lunar, 16, 1, 2020, "闰月"}));
    EXPECT_EQ("公历02月29日（0800年）  x", commemorationItemText({Kind::Solar, 2, 29, 800, "x"}));
}

TEST_F(CommemorationDialogTest, LoadListsSoundEntriesLunarFirst) {
    writeRegistryText(SolarCommemorationKey, "01-01", "2000元旦");
    writeRegistryText(SolarCommemorationKey, "02-29", "2021闰日");  // 2021 has no 29 February
    writeRegistryText(LunarCommemorationKey, "16-01", "2020闰四月");
    writeRegistryText(LunarCommemorationKey, "04-30", "2020四月底");  // 四月 2020 has 30 days
    writeRegistryText(LunarCommemorationKey, "04-05", "1998  十二个汉字的很长的名字啊  ");
    writeRegistryText(LunarCommemorationKey, "05-01", "1998");    // no name
    writeRegistryText(LunarCommemorationKey, "06-01", "98生日");  // start year not 4 digits
    const std::vector<std::string> expected = {
        "农历04月05日（1998年）  十二个汉字的很长的名",  // trimmed, clipped to 10 characters
        "农历04月30日（2020年）  四月底",
        "农历16月01日（2020年）  闰四月",
        "公历01月01日（2000年）  元旦",
    };
    EXPECT_EQ(expected, texts(loadCommemorationList(calendar, readCommemorationDays())));
}

TEST_F(CommemorationDialogTest, OpensOnTheShownDatesClampedIntoTheRange) {
    AppSettings s;
    const struct {
        SolarSelection civil;
        LunarSelection lunar;
        SelectorRow civilRow;
        std::string lunarMonthItem;
        int lunarDayItem;
    } Cases[] = {
        {{2020, 6, 1}, {2020, 16, 10}, {itemOfYear(2020), 6, 1}, "闰四月小", 10},  // 闰四月初十
        {{1700, 5, 5}, {1700, 3, 3}, {1, 1, 1}, "  正月", 1},                      // before 1800
        {{2300, 5, 5}, {2300, 3, 3}, {itemOfYear(2200), 12, 31}, "  腊月", 29},    // after 2200
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.civil.year);
        s.window.selectedSolarDate = c.civil;
        s.window.selectedLunarDate = c.lunar;
        const CommemorationDialogState state = openCommemorationState(s, {});
        EXPECT_EQ(c.civilRow, state.civil);
        EXPECT_EQ(-1, state.selected);
        const std::vector<std::string> months =
            commemorationMonthItems(calendar, Kind::Lunar, state.lunar);
        ASSERT_GE(state.lunar.monthItem, 1);
        EXPECT_EQ(0u,
                  months[static_cast<size_t>(state.lunar.monthItem - 1)].find(c.lunarMonthItem));
        EXPECT_EQ(c.lunarDayItem, state.lunar.dayItem);
    }
}

TEST_F(CommemorationDialogTest, SelectorItems) {
    const std::vector<std::string> lunarYears = commemorationYearItems(Kind::Lunar);
    const std::vector<std::string> civilYears = commemorationYearItems(Kind::Solar);
    ASSERT_EQ(401u, lunarYears.size());
    EXPECT_EQ("  一八○○年", lunarYears.front());
    EXPECT_EQ("    2200年", civilYears.back());
    // 2020: 四月 23 April - 22 May (30 days), 闰四月 23 May - 20 June (29 days).
    const std::vector<std::string> months =
        commemorationMonthItems(calendar, Kind::Lunar, {itemOfYear(2020), 5, 0});
    ASSERT_EQ(13u, months.size());
    EXPECT_EQ("  正月小", months[0]);
    EXPECT_EQ("  四月大", months[3]);
    EXPECT_EQ("闰四月小", months[4]);
    EXPECT_EQ("  腊月大", months[12]);
    EXPECT_EQ(29u, commemorationDayItems(calendar, Kind::Lunar, {itemOfYear(2020), 5, 1}).size());
    EXPECT_EQ("三十",
              commemorationDayItems(calendar, Kind::Lunar, {itemOfYear(2020), 4, 1}).back());
    EXPECT_EQ(29u, commemorationDayItems(calendar, Kind::Solar, {itemOfYear(2000), 2, 1}).size());
    EXPECT_EQ(28u, commemorationDayItems(calendar, Kind::Solar, {itemOfYear(1900), 2, 1}).size());
    EXPECT_TRUE(commemorationMonthItems(calendar, Kind::Lunar, {}).empty());
    EXPECT_TRUE(
        commemorationDayItems(calendar, Kind::Solar, {0, 2, 0}).empty());  // no year selected
}

TEST_F(CommemorationDialogTest, ChangingTheYearKeepsMonthAndClampsTheDay) {
    const struct {
        Kind kind;
        SelectorRow row;
        int newYear;
        SelectorRow expected;
    } Cases[] = {
        // 2021 has no leap month: 闰四月 becomes 四月, whose 29 days clamp nothing here.
        {Kind::Lunar, {itemOfYear(2020), 5, 12}, 2021, {itemOfYear(2021), 4, 12}},
        // 四月 2020 has 30 days, 四月 2021 (12 May - 9 June) 29.
        {Kind::Lunar, {itemOfYear(2020), 4, 30}, 2021, {itemOfYear(2021), 4, 29}},
        // 2023 has 闰二月: 三月 moves from position 3 to 4.
        {Kind::Lunar, {itemOfYear(2022), 3, 1}, 2023, {itemOfYear(2023), 4, 1}},
        {Kind::Solar, {itemOfYear(2024), 2, 29}, 2023, {itemOfYear(2023), 2, 28}},
        {Kind::Solar, {itemOfYear(2024), 2, 29}, 2201, {itemOfYear(2024), 2, 29}},  // no such item
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.row.yearItem << '/' << c.row.monthItem << " -> " << c.newYear);
        EXPECT_EQ(c.expected,
                  selectCommemorationYear(calendar, c.kind, c.row, itemOfYear(c.newYear)));
    }
    EXPECT_EQ((SelectorRow{itemOfYear(2024), 4, 30}),
              selectCommemorationMonth(calendar, Kind::Solar, {itemOfYear(2024), 3, 31}, 4));
}

TEST_F(CommemorationDialogTest, AddingTheSameDateReplacesTheItemInPlace) {
    CommemorationDialogState state;
    state.items = {{Kind::Solar, 1, 1, 2000, "元旦"}};
    state.lunar = {itemOfYear(1998), 4, 5};
    state.name = "  ";
    EXPECT_FALSE(addCommemorationItem(calendar, state, Kind::Lunar));  // empty name after trimming
    state.name = "结婚";
    state.civil = {itemOfYear(1998), 0, 5};
    EXPECT_FALSE(addCommemorationItem(calendar, state, Kind::Solar));  // no month selected
    ASSERT_TRUE(addCommemorationItem(calendar, state, Kind::Lunar));
    EXPECT_EQ(1, state.selected);
    state.lunar.yearItem = itemOfYear(2001);
    state.name = "另一个";
    state.selected = 0;
    ASSERT_TRUE(addCommemorationItem(calendar, state, Kind::Lunar));
    EXPECT_EQ(1, state.selected);
    const std::vector<std::string> expected = {"公历01月01日（2000年）  元旦",
                                               "农历04月05日（2001年）  另一个"};
    EXPECT_EQ(expected, texts(state.items));

    saveCommemorationList(state.items);
    EXPECT_EQ("2001另一个", readRegistryText(LunarCommemorationKey, "04-05"));
    EXPECT_EQ("2000元旦", readRegistryText(SolarCommemorationKey, "01-01"));
}

TEST_F(CommemorationDialogTest, LeapMonthItemIsStoredUnderItsMonthCode) {
    CommemorationDialogState state;
    state.lunar = {itemOfYear(2020), 5, 1};  // 闰四月初一
    state.name = "十二个汉字的很长的名字啊";
    ASSERT_TRUE(addCommemorationItem(calendar, state, Kind::Lunar));
    saveCommemorationList(state.items);
    EXPECT_EQ("2020十二个汉字的很长的名", readRegistryText(LunarCommemorationKey, "16-01"));
    EXPECT_EQ("十二个汉字的很长的名", lunarCommemorationText(calendar, readCommemorationDays(),
                                                             lunarDateOfMonthCode(2020, 16, 1)));
}

TEST_F(CommemorationDialogTest, SelectingAnItemShowsItsDateAndName) {
    CommemorationDialogState state;
    state.items = {{Kind::Lunar, 16, 1, 2020, "闰月"},
                   {Kind::Solar, 2, 29, 2024, "闰日"},
                   {Kind::Solar, 3, 1, 1700, "早"}};
    selectCommemorationItem(calendar, state, 0);
    EXPECT_EQ((SelectorRow{itemOfYear(2020), 5, 1}), state.lunar);
    EXPECT_EQ("闰月", state.name);
    selectCommemorationItem(calendar, state, 1);
    EXPECT_EQ((SelectorRow{itemOfYear(2024), 2, 29}), state.civil);
    selectCommemorationItem(calendar, state, 2);  // start year outside the selectors: only the name
    EXPECT_EQ((SelectorRow{itemOfYear(2024), 2, 29}), state.civil);
    EXPECT_EQ("早", state.name);
    EXPECT_EQ(2, state.selected);
    selectCommemorationItem(calendar, state, 3);
    EXPECT_EQ(2, state.selected);
}

TEST_F(CommemorationDialogTest, DeletingSelectsTheNextItemAndSavingEmptiesTheStore) {
    writeRegistryText(LunarCommemorationKey, "01-01", "2000春节");
    writeRegistryText(SolarCommemorationKey, "01-01", "2000元旦");
    writeRegistryText(SolarCommemorationKey, "12-25", "2000圣诞");
    CommemorationDialogState state = openCommemorationState(AppSettings{}, readCommemorationDays());
    ASSERT_EQ(3u, state.items.size());
    const struct {
        int selectedBefore, selectedAfter;
        size_t left;
    } Steps[] = {
        {2, 1, 2},   // the last item: the new last one is selected
        {0, 0, 1},   // the item now at the same place
        {0, -1, 0},  // the list is empty
    };
    for (const auto& step : Steps) {
        SCOPED_TRACE(step.selectedBefore);
        selectCommemorationItem(calendar, state, step.selectedBefore);
        deleteCommemorationItem(state);
        EXPECT_EQ(step.selectedAfter, state.selected);
        EXPECT_EQ(step.left, state.items.size());
        EXPECT_EQ("", state.name);
    }
    deleteCommemorationItem(state);  // nothing selected: nothing happens
    saveCommemorationList(state.items);
    EXPECT_EQ("", readRegistryText(LunarCommemorationKey, "01-01"));
    EXPECT_EQ("", readRegistryText(SolarCommemorationKey, "12-25"));
    EXPECT_TRUE(loadCommemorationList(calendar, readCommemorationDays()).empty());
}

}  // namespace
}  // namespace tavomerix
