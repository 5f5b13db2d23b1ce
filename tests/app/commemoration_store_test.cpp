#include "app/commemoration_store.h"

#include <gtest/gtest.h>

#include <string>

#include "app/registry.h"
#include "chinese/lunar_calendar.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

using CommemorationStoreTest = FreshRegistry;

TEST_F(CommemorationStoreTest, WriteAndReadOneEntry) {
    EXPECT_TRUE(writeCommemorationEntry(CommemorationKind::Lunar, 16, 1, 2001,
                                        " 一二三四五六七八九十十一 "));
    EXPECT_EQ("2001一二三四五六七八九十", readCommemorationEntry(CommemorationKind::Lunar, 16, 1));
    EXPECT_TRUE(writeCommemorationEntry(CommemorationKind::Solar, 4, 5, 998, "清明"));
    EXPECT_EQ("0998清明", readRegistryText(SolarCommemorationKey, "04-05"));
    EXPECT_TRUE(writeCommemorationEntry(CommemorationKind::Solar, 4, 5, 1998, "扫墓"));  // replaces
    EXPECT_EQ("1998扫墓", readCommemorationEntry(CommemorationKind::Solar, 4, 5));
    EXPECT_FALSE(writeCommemorationEntry(CommemorationKind::Solar, 13, 1, 2000, "x"));
    EXPECT_FALSE(writeCommemorationEntry(CommemorationKind::Lunar, 25, 1, 2000, "x"));
    EXPECT_FALSE(writeCommemorationEntry(CommemorationKind::Lunar, 1, 31, 2000, "x"));
    EXPECT_FALSE(writeCommemorationEntry(CommemorationKind::Solar, 1, 1, 10000, "x"));
    EXPECT_FALSE(writeCommemorationEntry(CommemorationKind::Solar, 1, 1, 2000, "   "));
    EXPECT_EQ("", readCommemorationEntry(CommemorationKind::Solar, 1, 1));
}

// Every value of both keys whose name is a date of its kind reaches the day view, texts as
// stored; other value names are left out.
TEST_F(CommemorationStoreTest, ReadsEveryDayOfBothKeys) {
    writeRegistryText(LunarCommemorationKey, "01-15", "2000元宵聚会");
    writeRegistryText(LunarCommemorationKey, "25-01", "2000名字");  // no such MonthCode
    writeRegistryText(SolarCommemorationKey, "02-29", "2020闰日");
    writeRegistryText(SolarCommemorationKey, "notes", "2000名字");
    writeRegistryText(SolarCommemorationKey, "03-01", "20x0坏");  // kept; checked when shown
    const CommemorationDays days = readCommemorationDays();
    const auto stored = [&](CommemorationKind kind, int month, int day) {
        const std::string* text = days.find(kind, month, day);
        return text == nullptr ? std::string("(none)") : *text;
    };
    EXPECT_EQ("2000元宵聚会", stored(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2020闰日", stored(CommemorationKind::Solar, 2, 29));
    EXPECT_EQ("20x0坏", stored(CommemorationKind::Solar, 3, 1));
    EXPECT_EQ("(none)", stored(CommemorationKind::Lunar, 1, 16));
    const LunarCalendar& calendar = LunarCalendar::shared({8, Regime::Historical});
    EXPECT_EQ("闰日", solarCommemorationText(calendar, days, {2023, 2, 28}));
    EXPECT_EQ("", solarCommemorationText(calendar, days, {2024, 3, 1}));
    resetMemoryRegistry();
    EXPECT_TRUE(readCommemorationDays().empty());
}

// A huge value is cut by the registry to 1023 positions and its name clipped to 20; Chinese
// names are measured in the same unit, so a long one shows as a long ASCII one does.
TEST_F(CommemorationStoreTest, HugeValuesAreCutByTheRegistry) {
    writeRegistryText(SolarCommemorationKey, "03-02", "2000" + std::string(5000, 'x'));
    const CommemorationDays days = readCommemorationDays();
    EXPECT_EQ(std::string(20, 'x'),
              solarCommemorationText(LunarCalendar::shared({}), days, {2024, 3, 2}));
    std::string chinese;
    for (int i = 0; i < 600; ++i) chinese += "念";  // 1200 positions, 1800 bytes
    for (const int characters : {400, 600}) {
        writeRegistryText(SolarCommemorationKey, "03-03",
                          "2000" + chinese.substr(0, 3 * characters));
        EXPECT_EQ(chinese.substr(0, 30),
                  solarCommemorationText(LunarCalendar::shared({}), readCommemorationDays(),
                                         {2024, 3, 3}))
            << characters;
    }
}

}  // namespace
}  // namespace tavomerix
