#include "app/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry.h"
#include "app/settings_store.h"

namespace tavomerix {
namespace {

constexpr ScreenRect WorkArea = {0, 0, 1024, 738};  // a 1024x768 screen with a 30-pixel task bar

class MainWindowPosition : public testing::Test {
protected:
    void SetUp() override { resetMemoryRegistry(); }
    void TearDown() override { resetMemoryRegistry(); }
};

TEST_F(MainWindowPosition, StoredCornerInsideTheWorkAreaIsUsed) {
    const struct { const char* left; const char* top; int enabled; ScreenPoint expected; } Cases[] = {
        {"100", "80", 1, {100, 80}},
        {"100", "80", 0, {382, 314}},    // registry not in use: centred
        {"0", "0", 1, {0, 0}},
        {"764", "598", 1, {764, 598}},   // right and bottom edges of the work area
        {"765", "598", 1, {382, 314}},   // one pixel too far right
        {"764", "599", 1, {382, 314}},   // one pixel below the work area
        {"-1", "10", 1, {382, 314}},
        {"", "10", 1, {382, 314}},       // a missing value
        {"10", "", 1, {382, 314}},
        {"abc", "20", 1, {0, 20}},       // a non-number reads as 0
        {"1e30", "20", 1, {382, 314}},   // far off any screen
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.left << ',' << c.top << " enabled " << c.enabled);
        resetMemoryRegistry();
        writeRegistryText(SettingsKey, "rFormLeft", c.left);
        writeRegistryText(SettingsKey, "rFormTop", c.top);
        AppSettings s;
        s.registryEnabled = c.enabled;
        EXPECT_EQ(c.expected, mainWindowStartPosition(s, WorkArea, 1024, 768));
    }
}

TEST_F(MainWindowPosition, FirstRunIsCentred) {
    const AppSettings s;
    EXPECT_EQ((ScreenPoint{382, 314}), mainWindowStartPosition(s, WorkArea, 1024, 768));
    EXPECT_EQ((ScreenPoint{830, 470}), mainWindowStartPosition(s, {0, 0, 1920, 1040}, 1920, 1080));
}

TEST(KeepOnScreen, ClampsLeftTopRightAndWorkAreaBottom) {
    const struct { ScreenPoint corner, expected; } Cases[] = {
        {{100, 100}, {100, 100}},
        {{-30, 50}, {0, 50}},      // left edge
        {{50, -30}, {50, 0}},      // top edge
        {{900, 50}, {764, 50}},    // right edge of the screen
        {{50, 700}, {50, 598}},    // bottom of the work area, not of the screen
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
    const struct { double x, y; bool inside; } Cases[] = {
        {130, 70, true},       // the middle
        {0.5, 0.5, false},     // corners are cut away
        {259.5, 139.5, false},
        {10, 0.5, true},       // top of the first tooth along the top
        {250, 0.5, true},      // last tooth along the top
        {260, 0.5, false},
        {15, 1.5, false},      // a notch between two teeth
        {130, 139.5, true},    // a tooth along the bottom
        {125, 138.5, false},
        {0.5, 70, true},       // a tooth on the left
        {0.5, 65, false},
        {259.5, 130, true},    // the last tooth on the right
        {5.5, 5.5, true},      // corner of the body
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.x << ',' << c.y);
        EXPECT_EQ(c.inside, insideStamp(c.x, c.y));
    }
}

TEST(LayeredAlpha, TwentyFivePerStep) {
    const struct { int transparency, alpha; } Cases[] = {
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
    const struct { int year, month; size_t count; const char* last; } Cases[] = {
        {2023, 1, 31, "31日"},
        {2024, 2, 29, "29日"},  // leap year
        {2023, 2, 28, "28日"},
        {1900, 2, 28, "28日"},  // Gregorian century rule
        {1500, 2, 29, "29日"},  // Julian leap year
        {2000, 2, 29, "29日"},
        {2023, 4, 30, "30日"},
        {1582, 10, 21, "31日"}, // the reform month
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
    const struct { int item, day; } Cases[] = {
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
    const struct { int year, month, day, kept; } Cases[] = {
        {1582, 10, 10, 4},   // a lost day becomes 4 October
        {1582, 10, 5, 4},
        {1582, 10, 14, 4},
        {1582, 10, 15, 15},
        {2024, 2, 31, 29},   // 31 January to February of a leap year
        {2023, 2, 31, 28},
        {2023, 4, 31, 30},
        {2023, 5, 31, 31},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.kept, keptCivilDay(c.year, c.month, c.day));
    }
}

TEST(ShownDay, SolarAndLunarDatesFollowEachOther) {
    const struct { int year, month, day, lunarYear, sizedMonth, lunarDay; } Cases[] = {
        {2024, 2, 10, 2024, 1, 1},    // 甲辰 new year; 正月 has 29 days
        {2023, 1, 22, 2023, 1, 1},    // 癸卯 new year
        {2023, 3, 22, 2023, 2 + 12, 1},       // 闰二月初一; 29 days, to the eclipse of 20 April
        {2000, 1, 1, 1999, 11 + 24, 25},      // 冬月廿五, a 30-day month
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        AppSettings s;
        s.selectedSolarDate = {c.year, c.month, c.day};
        ASSERT_TRUE(followSolarDate(s));
        EXPECT_EQ(c.lunarYear, s.selectedLunarDate.year);
        EXPECT_EQ(c.sizedMonth, s.selectedLunarDate.sizedMonth);
        EXPECT_EQ(c.lunarDay, s.selectedLunarDate.day);
        s.selectedSolarDate = {1, 1, 1};
        ASSERT_TRUE(followLunarDate(s));
        EXPECT_EQ(c.year, s.selectedSolarDate.year);
        EXPECT_EQ(c.month, s.selectedSolarDate.month);
        EXPECT_EQ(c.day, s.selectedSolarDate.day);
    }
}

TEST(ShownDay, DatesThatDoNotConvertChangeNothing) {
    AppSettings s;
    s.selectedSolarDate = {1582, 10, 10};  // lost in the reform
    s.selectedLunarDate = {2024, 1, 1};
    EXPECT_FALSE(followSolarDate(s));
    EXPECT_EQ(2024, s.selectedLunarDate.year);
    s.selectedLunarDate = {2024, 4 + 12, 1};  // 2024 has no 闰四月
    s.selectedSolarDate = {2024, 2, 10};
    EXPECT_FALSE(followLunarDate(s));
    EXPECT_EQ(10, s.selectedSolarDate.day);
}

}  // namespace
}  // namespace tavomerix
