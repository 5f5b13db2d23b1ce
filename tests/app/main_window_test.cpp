#include "app/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry.h"
#include "app/settings_store.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

constexpr ScreenRect WorkArea = {0, 0, 1024, 738};  // a 1024x768 screen with a 30-pixel task bar

using MainWindowPosition = FreshRegistry;

TEST_F(MainWindowPosition, StoredCornerInsideTheWorkAreaIsUsed) {
    const struct {
        const char* left;
        const char* top;
        int enabled;
        ScreenPoint expected;
    } Cases[] = {
        {"100", "80", 1, {100, 80}},
        {"100", "80", 0, {382, 314}},  // registry not in use: centred
        {"0", "0", 1, {0, 0}},
        {"764", "598", 1, {764, 598}},  // right and bottom edges of the work area
        {"765", "598", 1, {382, 314}},  // one pixel too far right
        {"764", "599", 1, {382, 314}},  // one pixel below the work area
        {"-1", "10", 1, {382, 314}},
        {"", "10", 1, {382, 314}},  // a missing value
        {"10", "", 1, {382, 314}},
        {"abc", "20", 1, {0, 20}},      // a non-number reads as 0
        {"1e30", "20", 1, {382, 314}},  // far off any screen
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.left << ',' << c.top << " enabled " << c.enabled);
        resetMemoryRegistry();
        writeRegistryText(SettingsKey, "rFormLeft", c.left);
        writeRegistryText(SettingsKey, "rFormTop", c.top);
        AppSettings s;
        s.stored.registryEnabled = c.enabled;
        EXPECT_EQ(c.expected, mainWindowStartPosition(s, WorkArea, 1024, 768));
    }
}

TEST_F(MainWindowPosition, FirstRunIsCentred) {
    const AppSettings s;
    EXPECT_EQ((ScreenPoint{382, 314}), mainWindowStartPosition(s, WorkArea, 1024, 768));
    EXPECT_EQ((ScreenPoint{830, 470}), mainWindowStartPosition(s, {0, 0, 1920, 1040}, 1920, 1080));
}

TEST(KeepOnScreen, ClampsLeftTopRightAndWorkAreaBottom) {
    const struct {
        ScreenPoint corner, expected;
    } Cases[] = {
        {{100, 100}, {100, 100}}, {{-30, 50}, {0, 50}},  // left edge
        {{50, -30}, {50, 0}},                            // top edge
        {{900, 50}, {764, 50}},                          // right edge of the screen
        {{50, 700}, {50, 598}},  // bottom of the work area, not of the screen
        {{-5, 800}, {0, 598}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.corner.x << ',' << c.corner.y);
        EXPECT_EQ(c.expected, keepOnScreen(c.corner, 260, 140, 1024, WorkArea));
    }
}

// True when a window pixel's centre lies in the stamp: in the body or in a tooth.
bool insideStamp(double x, double y) {
    const std::vector<ScreenRect> parts = stampOutline();
    const ScreenRect& body = parts.front();
    if (x >= body.left && x < body.right && y >= body.top && y < body.bottom) return true;
    for (size_t i = 1; i < parts.size(); ++i) {
        const ScreenRect& r = parts[i];
        const double cx = (r.left + r.right) / 2.0;
        const double cy = (r.top + r.bottom) / 2.0;
        const double radius = (r.right - r.left) / 2.0;
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius) return true;
    }
    return false;
}

TEST(StampOutline, TeethSitOnEveryEdge) {
    EXPECT_EQ(1u + 2 * 25 + 2 * 13, stampOutline().size());
    const struct {
        double x, y;
        bool inside;
    } Cases[] = {
        {130, 70, true},                            // the middle
        {0.5, 0.5, false},                          // corners are cut away
        {259.5, 139.5, false}, {10, 0.5, true},     // top of the first tooth along the top
        {250, 0.5, true},                           // last tooth along the top
        {260, 0.5, false},     {15, 1.5, false},    // a notch between two teeth
        {130, 139.5, true},                         // a tooth along the bottom
        {125, 138.5, false},   {0.5, 70, true},     // a tooth on the left
        {0.5, 65, false},      {259.5, 130, true},  // the last tooth on the right
        {5.5, 5.5, true},                           // corner of the body
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.x << ',' << c.y);
        EXPECT_EQ(c.inside, insideStamp(c.x, c.y));
    }
}

TEST(LayeredAlpha, TwentyFivePerStep) {
    const struct {
        int transparency, alpha;
    } Cases[] = {
        {0, 255}, {25, 230}, {225, 30}, {-10, 255}, {300, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.transparency);
        EXPECT_EQ(c.alpha, layeredAlpha(c.transparency));
    }
}

TEST(CivilSelectors, MonthItemsAreRightAligned) {
    const std::vector<std::string> items = civilMonthItems();
    ASSERT_EQ(12u, items.size());
    EXPECT_EQ("   1月", items[0]);
    EXPECT_EQ("   9月", items[8]);
    EXPECT_EQ("  10月", items[9]);
    EXPECT_EQ("  12月", items[11]);
}

TEST(CivilSelectors, DayItemsFollowTheMonthLength) {
    const struct {
        int year, month;
        size_t count;
        const char* last;
    } Cases[] = {
        {2023, 1, 31, "31日"}, {2024, 2, 29, "29日"},  // leap year
        {2023, 2, 28, "28日"}, {1900, 2, 28, "28日"},  // Gregorian century rule
        {1500, 2, 29, "29日"},                         // Julian leap year
        {2000, 2, 29, "29日"}, {2023, 4, 30, "30日"}, {1582, 10, 21, "31日"},  // the reform month
        {2023, 13, 0, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month);
        const std::vector<std::string> items = civilDayItems(c.year, c.month);
        ASSERT_EQ(c.count, items.size());
        if (c.count == 0) continue;
        EXPECT_EQ(" 1日", items.front());
        EXPECT_EQ(c.last, items.back());
    }
    const std::vector<std::string> reform = civilDayItems(1582, 10);
    EXPECT_EQ(" 4日", reform[3]);
    EXPECT_EQ("15日", reform[4]);
}

TEST(CivilSelectors, ReformMonthItemsMapToDays) {
    const struct {
        int item, day;
    } Cases[] = {
        {1, 1}, {4, 4}, {5, 15}, {21, 31}, {22, 0}, {0, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(c.day, civilDayOfItem(1582, 10, c.item));
        if (c.day != 0) {
            EXPECT_EQ(c.item, civilItemOfDay(1582, 10, c.day));
        }
    }
    EXPECT_EQ(0, civilItemOfDay(1582, 10, 10));  // a day that does not exist
    EXPECT_EQ(10, civilDayOfItem(1582, 11, 10));
    EXPECT_EQ(0, civilDayOfItem(2023, 2, 29));
}

TEST(CivilSelectors, DayKeptAcrossMonthChanges) {
    const struct {
        int year, month, day, kept;
    } Cases[] = {
        {1582, 10, 10, 4},  // a lost day becomes 4 October
        {1582, 10, 5, 4},  {1582, 10, 14, 4}, {1582, 10, 15, 15},
        {2024, 2, 31, 29},  // 31 January to February of a leap year
        {2023, 2, 31, 28}, {2023, 4, 31, 30}, {2023, 5, 31, 31},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.kept, keptCivilDay(c.year, c.month, c.day));
    }
}

TEST(ShownDay, SolarAndLunarDatesFollowEachOther) {
    const struct {
        int year, month, day, lunarYear, sizedMonth, lunarDay;
    } Cases[] = {
        {2024, 2, 10, 2024, 1, 1},        // 甲辰 new year; 正月 has 29 days
        {2023, 1, 22, 2023, 1, 1},        // 癸卯 new year
        {2023, 3, 22, 2023, 2 + 12, 1},   // 闰二月初一; 29 days, to the eclipse of 20 April
        {2000, 1, 1, 1999, 11 + 24, 25},  // 冬月廿五, a 30-day month
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        AppSettings s;
        s.window.selectedSolarDate = {c.year, c.month, c.day};
        ASSERT_TRUE(followSolarDate(s));
        EXPECT_EQ(c.lunarYear, s.window.selectedLunarDate.year);
        EXPECT_EQ(c.sizedMonth, s.window.selectedLunarDate.sizedMonth);
        EXPECT_EQ(c.lunarDay, s.window.selectedLunarDate.day);
        s.window.selectedSolarDate = {1, 1, 1};
        ASSERT_TRUE(followLunarDate(s));
        EXPECT_EQ(c.year, s.window.selectedSolarDate.year);
        EXPECT_EQ(c.month, s.window.selectedSolarDate.month);
        EXPECT_EQ(c.day, s.window.selectedSolarDate.day);
    }
}

TEST(ShownDay, DatesThatDoNotConvertChangeNothing) {
    AppSettings s;
    s.window.selectedSolarDate = {1582, 10, 10};  // lost in the reform
    s.window.selectedLunarDate = {2024, 1, 1};
    EXPECT_FALSE(followSolarDate(s));
    EXPECT_EQ(2024, s.window.selectedLunarDate.year);
    s.window.selectedLunarDate = {2024, 4 + 12, 1};  // 2024 has no 闰四月
    s.window.selectedSolarDate = {2024, 2, 10};
    EXPECT_FALSE(followLunarDate(s));
    EXPECT_EQ(10, s.window.selectedSolarDate.day);
}

// Settings whose civil range is the single year 2024: the lunar range then runs from
// 2023 冬月二十 (1 January 2024) to 2024 腊月初一 (31 December 2024).
AppSettings range2024() {
    AppSettings s;
    s.window.minYear = 2024;
    s.window.maxYear = 2024;
    updateLunarBounds(s);
    return s;
}

AppSettings showing(AppSettings s, int year, int month, int day) {
    s.window.selectedSolarDate = {year, month, day};
    EXPECT_TRUE(followSolarDate(s));
    return s;
}

TEST(Selectors, CivilYearItems) {
    AppSettings s;
    s.window.minYear = -100;
    s.window.maxYear = 4100;
    const std::vector<std::string> items = civilYearItems(s);
    ASSERT_EQ(4201u, items.size());
    EXPECT_EQ("   前101年", items.front());
    EXPECT_EQ("    4100年", items.back());
    EXPECT_EQ("    2024年", items[static_cast<size_t>(civilYearItemOf(s, 2024) - 1)]);
    EXPECT_EQ(0, civilYearItemOf(s, 4101));
    EXPECT_EQ(1, civilYearItemOf(s, -100));
}

TEST(Selectors, LunarYearItemsFollowTheEraOption) {
    AppSettings s = range2024();
    EXPECT_EQ((std::vector<std::string>{"  二○二三年", "  二○二四年"}), lunarYearItems(s));
    s.stored.LunarYearShowDynastyFlag = 1;
    EXPECT_EQ("清代宣统03年", lunarYearItem(s, 1911));
    EXPECT_EQ("    2024年", lunarYearItem(s, 2024));  // no era name after 1911
    s.stored.LunarYearShowDynastyFlag = 0;
    EXPECT_EQ("  一九一一年", lunarYearItem(s, 1911));
}

TEST(Selectors, LunarMonthItemsCarryTheLeapMonthAndSizes) {
    AppSettings s;
    s.window.minYear = -100;
    s.window.maxYear = 4100;
    updateLunarBounds(s);
    // 2023: 正月 22 Jan - 19 Feb (29 days), 二月 20 Feb - 21 Mar (30), 闰二月 22 Mar - 19 Apr (29).
    const std::vector<std::string> months = lunarMonthItems(s, 2023);
    ASSERT_EQ(13u, months.size());
    EXPECT_EQ("  正月小", months[0]);
    EXPECT_EQ("  二月大", months[1]);
    EXPECT_EQ("闰二月小", months[2]);
    EXPECT_EQ("  三月", months[3].substr(0, 8));
    EXPECT_EQ(12u, lunarMonthItems(s, 2024).size());
    // 2020: 四月 23 Apr - 22 May (30 days), 闰四月 23 May - 20 Jun (29).
    const std::vector<std::string> months2020 = lunarMonthItems(s, 2020);
    EXPECT_EQ("  四月大", months2020[3]);
    EXPECT_EQ("闰四月小", months2020[4]);
    EXPECT_EQ(5, lunarMonthItemOf(s, 2020, 4 + 12));
    EXPECT_EQ(6, lunarMonthItemOf(s, 2020, 5));
    EXPECT_EQ(0, lunarMonthItemOf(s, 2024, 4 + 12));
}

TEST(Selectors, LunarDayItems) {
    AppSettings s;
    s.window.minYear = -100;
    s.window.maxYear = 4100;
    updateLunarBounds(s);
    const std::vector<std::string> days = lunarDayItems(s, 2023, 2 + 24);  // 二月大
    ASSERT_EQ(30u, days.size());
    EXPECT_EQ("初一", days.front());
    EXPECT_EQ("三十", days.back());
    EXPECT_EQ(29u, lunarDayItems(s, 2023, 1).size());     // 正月小
    EXPECT_TRUE(lunarDayItems(s, 2024, 4 + 12).empty());  // no 闰四月 in 2024
}

TEST(Selectors, RangeEndsListOnlyTheDaysInside) {
    const AppSettings s = range2024();
    ASSERT_EQ(2023, s.window.lowerLunarBound.year);
    EXPECT_EQ(11, (s.window.lowerLunarBound.sizedMonth - 1) % 24 + 1);
    EXPECT_EQ(20, s.window.lowerLunarBound.day);
    EXPECT_EQ(2024, s.window.upperLunarBound.year);
    EXPECT_EQ(12, (s.window.upperLunarBound.sizedMonth - 1) % 24 + 1);
    EXPECT_EQ(1, s.window.upperLunarBound.day);

    // 2023 冬月 (13 Dec - 10 Jan, 29 days) and 腊月 (11 Jan - 9 Feb, 30 days).
    EXPECT_EQ((std::vector<std::string>{"  冬月小", "  腊月大"}), lunarMonthItems(s, 2023));
    const std::vector<std::string> first = lunarDayItems(s, 2023, 11);
    ASSERT_EQ(10u, first.size());
    EXPECT_EQ("二十", first.front());
    EXPECT_EQ("廿九", first.back());
    EXPECT_EQ(12u, lunarMonthItems(s, 2024).size());
    EXPECT_EQ((std::vector<std::string>{"初一"}), lunarDayItems(s, 2024, 12));
    EXPECT_TRUE(lunarMonthItems(s, 2022).empty());
    EXPECT_TRUE(lunarMonthItems(s, 2025).empty());
}

TEST(Selectors, PositionsOfTheShownDay) {
    const struct {
        int year, month, day;
        SelectorPositions expected;
    } Cases[] = {
        {2024, 1, 1, {1, 1, 1, 1, 1, 1}},    // 冬月二十: first month and day listed
        {2024, 1, 11, {1, 1, 11, 1, 2, 1}},  // 腊月初一
        {2024, 2, 10, {1, 2, 10, 2, 1, 1}},  // 正月初一
        {2024, 12, 31, {1, 12, 31, 2, 12, 1}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected, selectorPositions(showing(range2024(), c.year, c.month, c.day)));
    }
    AppSettings wide;
    wide.window.minYear = -100;
    wide.window.maxYear = 4100;
    updateLunarBounds(wide);
    const SelectorPositions reform = selectorPositions(showing(wide, 1582, 10, 15));
    EXPECT_EQ(1582 + 100 + 1, reform.civilYear);
    EXPECT_EQ(5, reform.civilDay);
}

AppSettings wideRange() {
    AppSettings s;
    s.window.minYear = -100;
    s.window.maxYear = 4100;
    updateLunarBounds(s);
    return s;
}

void expectShown(const AppSettings& s, int year, int month, int day) {
    EXPECT_EQ(year, s.window.selectedSolarDate.year);
    EXPECT_EQ(month, s.window.selectedSolarDate.month);
    EXPECT_EQ(day, s.window.selectedSolarDate.day);
}

TEST(SelectionChanges, CivilYearAndMonthKeepTheDay) {
    const struct {
        int year, month, day;
        bool monthSelector;
        int item;
        int expYear, expMonth, expDay;
    } Cases[] = {
        {1582, 9, 10, true, 10, 1582, 10, 4},  // lost reform days become 4 October
        {1582, 11, 14, true, 10, 1582, 10, 4},
        {1582, 11, 20, true, 10, 1582, 10, 20},
        {1583, 10, 12, false, 1582 + 101, 1582, 10, 4},
        {2024, 1, 31, true, 2, 2024, 2, 29},  // 31 January to February
        {2023, 1, 31, true, 2, 2023, 2, 28},
        {2024, 2, 29, false, 2023 + 101, 2023, 2, 28},
        {2024, 3, 31, true, 4, 2024, 4, 30},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << '-' << c.month << '-' << c.day << " item " << c.item);
        AppSettings s = showing(wideRange(), c.year, c.month, c.day);
        ASSERT_TRUE(c.monthSelector ? chooseCivilMonth(s, c.item) : chooseCivilYear(s, c.item));
        expectShown(s, c.expYear, c.expMonth, c.expDay);
        const AppSettings reference = showing(wideRange(), c.expYear, c.expMonth, c.expDay);
        EXPECT_EQ(reference.window.selectedLunarDate.day, s.window.selectedLunarDate.day);
        EXPECT_EQ(reference.window.selectedLunarDate.sizedMonth,
                  s.window.selectedLunarDate.sizedMonth);
    }
}

TEST(SelectionChanges, CivilDayItemsOfTheReformMonth) {
    AppSettings s = showing(wideRange(), 1582, 10, 1);
    ASSERT_TRUE(chooseCivilDay(s, 5));
    expectShown(s, 1582, 10, 15);
    ASSERT_TRUE(chooseCivilDay(s, 21));
    expectShown(s, 1582, 10, 31);
    EXPECT_FALSE(chooseCivilDay(s, 22));
    expectShown(s, 1582, 10, 31);
}

TEST(SelectionChanges, LunarYearKeepsMonthAndDay) {
    const struct {
        const char* name;
        int year, month, day;
        int lunarYear;
        int expYear, expMonth, expDay;
    } Cases[] = {
        // 2020 闰四月初十 -> 2021 has no 闰四月: 四月初十 = 21 May 2021.
        {"leap month the year lacks", 2020, 6, 1, 2021, 2021, 5, 21},
        // 2023 二月三十 (21 Mar) -> 2024 二月 (10 Mar - 8 Apr, 30 days): 二月三十 = 8 April.
        {"day kept", 2023, 3, 21, 2024, 2024, 4, 8},
        // 2024 正月 has 29 days: 2023 正月 (29 days) keeps 廿九.
        {"new-year day", 2024, 2, 10, 2023, 2023, 1, 22},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        AppSettings s = showing(wideRange(), c.year, c.month, c.day);
        ASSERT_TRUE(chooseLunarYear(s, lunarYearItemOf(s, c.lunarYear)));
        expectShown(s, c.expYear, c.expMonth, c.expDay);
    }
}

TEST(SelectionChanges, LunarDayClampedToTheMonthLength) {
    // 2023 二月三十 -> 2022 二月 (3 Mar - 31 Mar 2022, 29 days): 廿九 = 31 March 2022.
    AppSettings s = showing(wideRange(), 2023, 3, 21);
    ASSERT_TRUE(chooseLunarYear(s, lunarYearItemOf(s, 2022)));
    expectShown(s, 2022, 3, 31);
    EXPECT_EQ(29, s.window.selectedLunarDate.day);
}

TEST(SelectionChanges, LunarMonthAndDayItems) {
    AppSettings s = showing(wideRange(), 2023, 1, 22);  // 2023 正月初一
    ASSERT_TRUE(chooseLunarMonth(s, 3));                // 闰二月
    expectShown(s, 2023, 3, 22);
    EXPECT_EQ(2 + 12, s.window.selectedLunarDate.sizedMonth);
    ASSERT_TRUE(chooseLunarDay(s, 15));
    expectShown(s, 2023, 4, 5);
    EXPECT_FALSE(chooseLunarDay(s, 30));  // 闰二月 has 29 days
    EXPECT_FALSE(chooseLunarMonth(s, 14));
    expectShown(s, 2023, 4, 5);
}

TEST(SelectionChanges, RangeLimitsAtTheFirstLunarYear) {
    AppSettings s = showing(range2024(), 2024, 2, 14);  // 2024 正月初五
    ASSERT_TRUE(chooseLunarYear(s, 1));                 // 2023: only 冬月二十 .. 腊月 listed
    expectShown(s, 2024, 1, 1);                         // 冬月, day clamped up to 二十
    s = showing(range2024(), 2024, 12, 20);             // 2024 冬月二十
    ASSERT_TRUE(chooseLunarYear(s, 1));
    expectShown(s, 2024, 1, 1);  // 2023 冬月二十
    ASSERT_TRUE(chooseLunarYear(s, 2));
    expectShown(s, 2024, 12, 20);
    EXPECT_FALSE(chooseLunarYear(s, 3));
    EXPECT_FALSE(chooseCivilYear(s, 2));
}

}  // namespace
}  // namespace tavomerix
