#include "app/window_modes.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

using A = WindowAction;
using M = WindowMode;

TEST(WindowModes, TopmostAndEmbeddedStateMachine) {
    // clang-format off
    const struct { const char* name; bool embedCommand; M from, to; std::vector<A> actions; } Cases[] = {
        {"topmost off", false, M::Topmost, M::Normal, {A::TopmostOff}},
        {"topmost on", false, M::Normal, M::Topmost, {A::TopmostOn}},
        {"out of the desktop, topmost", false, M::Embedded, M::Topmost, {A::EmbedOff, A::TopmostOn}},
        {"into the desktop, not topmost", true, M::Topmost, M::Embedded, {A::TopmostOff, A::EmbedOn}},
        {"out of the desktop, normal", true, M::Embedded, M::Normal, {A::EmbedOff}},
        {"normal into the desktop", true, M::Normal, M::Embedded, {A::EmbedOn}},
    };
    // clang-format on
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        const ModeChange change = c.embedCommand ? toggleEmbedded(c.from) : toggleTopmost(c.from);
        EXPECT_EQ(c.to, change.next);
        EXPECT_EQ(c.actions, change.actions);
    }
}

TEST(WindowModes, EmbeddingTwiceEndsNormalNotTopmost) {
    EXPECT_EQ(M::Normal, toggleEmbedded(toggleEmbedded(M::Topmost).next).next);
}

TEST(WindowModes, LockToggles) {
    AppSettings s;
    toggleLock(s);
    EXPECT_EQ(1, s.window.positionLocked);
    toggleLock(s);
    EXPECT_EQ(0, s.window.positionLocked);
}

TEST(WindowModes, TransparencyStepsOfTwentyFive) {
    const struct {
        int step;
        std::optional<int> amount;
        int stored;
    } Cases[] = {
        {0, 0, 0},
        {1, 25, 1},
        {5, 125, 5},
        {9, 225, 9},
        {10, std::nullopt, 4},
        {-1, std::nullopt, 4},  // not a menu step: nothing changes
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.step);
        AppSettings s;
        s.stored.RFORMTransFlag = 4;
        EXPECT_EQ(c.amount, chooseTransparency(s, c.step));
        EXPECT_EQ(c.stored, s.stored.RFORMTransFlag);
    }
}

TEST(SystemDate, SetOnlyForYears1980To2099) {
    const struct {
        int year;
        bool set;
    } Cases[] = {
        {1979, false}, {1980, true}, {2024, true}, {2099, true}, {2100, false}, {1582, false},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        AppSettings s;
        s.window.selectedSolarDate = {c.year, 3, 7};
        const std::optional<CivilDate> date = systemDateToSet(s);
        ASSERT_EQ(c.set, date.has_value());
        if (c.set) {
            EXPECT_EQ((CivilDate{c.year, 3, 7}), *date);
        }
    }
}

TEST(SystemDate, RereadMovesFromTheReformMonthToToday) {
    AppSettings s;
    s.window.selectedSolarDate = {1582, 10, 15};
    s.window.minYear = -100;
    s.window.maxYear = 4100;
    ASSERT_TRUE(rereadSystemDate(s, {2024, 2, 10}));
    EXPECT_EQ(2024, s.window.selectedSolarDate.year);
    EXPECT_EQ(10, s.window.selectedSolarDate.day);
    EXPECT_EQ(2024, s.window.selectedLunarDate.year);  // 甲辰 new year's day
    EXPECT_EQ(1, s.window.selectedLunarDate.sizedMonth);
    EXPECT_EQ(1, s.window.selectedLunarDate.day);
    EXPECT_EQ(-100, s.window.minYear);
    EXPECT_FALSE(rereadSystemDate(s, {2023, 2, 29}));
    EXPECT_EQ(2024, s.window.selectedSolarDate.year);
}

}  // namespace
}  // namespace tavomerix
