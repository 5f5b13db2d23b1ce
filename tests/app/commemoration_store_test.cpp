#include "app/commemoration_store.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_settings.h"
#include "app/registry.h"

namespace tavomerix {
namespace {

class CommemorationStoreTest : public testing::Test {
protected:
    void SetUp() override { resetMemoryRegistry(); }
    void TearDown() override { resetMemoryRegistry(); }
    const ScopedCalendarSettings beijing_{8, 0};
};

void storeLunar(std::string_view name, std::string_view text) {
    writeRegistryText(LunarCommemorationKey, name, text);
}
void storeSolar(std::string_view name, std::string_view text) {
    writeRegistryText(SolarCommemorationKey, name, text);
}

// Month sizes used below: 四月 has 30 days in 2001 and 2023, 29 in 2000 and 2024; 2001
// and 2020 have a 闰四月, 2023 has none.
TEST_F(CommemorationStoreTest, LunarDayThirtyShowsOnDayTwentyNineOfShortMonths) {
    storeLunar("04-30", "2001四月三十");
    storeLunar("16-01", "2001闰月");
    const struct {
        int year, month, day;
        const char* expected;
    } Cases[] = {
        {2024, 4, 29, "四月三十"},  // short month: the day-30 entry moves to day 29
        {2023, 4, 29, ""},          // long month: day 29 is not day 30
        {2023, 4, 30, "四月三十"}, {2000, 4, 29, ""},  // before the start year
        {2020, 16, 1, "闰月"},                         // 闰四月初一
        {2023, 16, 1, ""},                             // no 闰四月 in 2023
        {2020, 4, 1, ""},                              // the ordinary month is another entry
        {2024, 4, 30, ""},                             // no such lunar date
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected, lunarCommemorationText(c.year, c.month, c.day));
    }
    storeLunar("04-29", "2001四月廿九");
    EXPECT_EQ("四月廿九", lunarCommemorationText(2024, 4, 29));  // the day's own entry wins
    storeLunar("04-29", "20x1bad");
    EXPECT_EQ("", lunarCommemorationText(2024, 4, 29));  // an unsound own entry hides day 30
}

TEST_F(CommemorationStoreTest, EntryDateMustExistInItsStartYear) {
    storeLunar("04-30", "2000四月三十");  // 2000's 四月 has 29 days
    storeLunar("16-01", "2000闰月");      // 2000 has no 闰四月
    storeSolar("02-29", "2021闰日");      // 2021 is a common year
    EXPECT_EQ("", lunarCommemorationText(2023, 4, 30));
    EXPECT_EQ("", lunarCommemorationText(2020, 16, 1));
    EXPECT_EQ("", solarCommemorationText(2024, 2, 29));
    // Shown on a substitute day, an entry is checked against that day: day 29 of 2000's
    // 四月 exists, so the day-30 entry shows on day 29 of a short 四月 from 2000 on; likewise
    // the 29 February entry on 28 February of a common year.
    EXPECT_EQ("四月三十", lunarCommemorationText(2024, 4, 29));
    EXPECT_EQ("", lunarCommemorationText(1999, 4, 29));
    EXPECT_EQ("闰日", solarCommemorationText(2023, 2, 28));
}

TEST_F(CommemorationStoreTest, LeapDayShowsOnFebruaryTwentyEighthOfCommonYears) {
    storeSolar("02-29", "2020闰日");
    const struct {
        int year, month, day;
        const char* expected;
    } Cases[] = {
        {2023, 2, 28, "闰日"}, {2024, 2, 29, "闰日"},
        {2024, 2, 28, ""},  // leap year: 28 February is its own day
        {1900, 2, 28, ""},  // 1900 before the start year
        {2019, 2, 28, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(c.expected, solarCommemorationText(c.year, c.month, c.day));
    }
    storeSolar("02-28", "2020二八");
    EXPECT_EQ("二八", solarCommemorationText(2023, 2, 28));
}

TEST_F(CommemorationStoreTest, MalformedStoredValuesAreNeverShown) {
    const struct {
        const char* stored;
        const char* expected;
    } Cases[] = {
        {"2000名字", "名字"},
        {"2000  名字  ", "名字"},                                      // spaces trimmed
        {"2000一二三四五六七八九十十一十二", "一二三四五六七八九十"},  // 12 characters: first 10
        {"2000abcdefghij一二三四五六", "abcdefghij一二三四五"},
        {"2000abcdefghijklmnopqrs一", "abcdefghijklmnopqrs"},  // 19 bytes + a pair: cut before
        {"", ""},
        {"2000", ""},      // 4 bytes
        {"2000 ", ""},     // name of spaces only
        {"20a0名字", ""},  // non-digit year
        {"-100名字", ""},
        {" 200名字", ""},
        {"2000\xff\xfe", ""},      // not UTF-8
        {"2000\xe5\x90", ""},      // truncated character
        {"2000\xed\xa0\x80", ""},  // surrogate
        {"2000名\n字", ""},        // control character
        {"2099名字", ""},          // start year after the shown year
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.stored);
        storeSolar("03-01", c.stored);
        EXPECT_EQ(c.expected, solarCommemorationText(2024, 3, 1));
        EXPECT_EQ(c.expected,
                  commemorationEntryName(CommemorationKind::Solar, c.stored, 3, 1, 2024));
    }
    // A huge value is cut by the registry to 1023 bytes and the name clipped to 20.
    storeSolar("03-02", "2000" + std::string(5000, 'x'));
    EXPECT_EQ(std::string(20, 'x'), solarCommemorationText(2024, 3, 2));
    EXPECT_EQ("", commemorationEntryName(CommemorationKind::Solar, "2000" + std::string(5000, 'x'),
                                         3, 2, 2024));  // no stored value is that long
}

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
    EXPECT_EQ("24-30", commemorationValueName(CommemorationKind::Lunar, 24, 30));
    EXPECT_EQ("", commemorationValueName(CommemorationKind::Solar, 0, 1));
}

TEST_F(CommemorationStoreTest, FileReaderWritesSoundLinesAndReportsTheRest) {
    const std::string File =
        "# my days\n"
        "L 01-15\t2000元宵聚会\r\n"
        "\n"
        "S\t02-29\t2020闰日\n"
        "X 01-01\t2000名字\n"  // 5: kind
        "L01-01\t2000名字\n"   // 6: separator
        "L 1-01\t2000名字\n"   // 7: value name
        "L 25-01\t2000名字\n"  // 8: month out of range
        "S 12-32\t2000名字\n"  // 9: day out of range
        "S 12-01 2000名字\n"   // 10: no tab
        "S 12-01\t200\n"       // 11: too short
        "S 12-01\tabcd名字\n"  // 12: year
        "S 02-29\t2021名字\n"  // 13: date not in its start year
        "S 12-01\t2000\xff\n"  // 14: UTF-8
        "S 12-01\t2000   \n"   // 15: empty name
        "   \n"
        "L 16-01\t2001闰四月";  // 17: last line without a newline
    const std::vector<CommemorationFileError> errors = loadCommemorationFile(File);
    const int ExpectedLines[] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    ASSERT_EQ(std::size(ExpectedLines), errors.size());
    for (size_t i = 0; i < errors.size(); ++i) {
        SCOPED_TRACE(errors[i].message);
        EXPECT_EQ(ExpectedLines[i], errors[i].lineNumber);
        EXPECT_FALSE(errors[i].message.empty());
    }
    EXPECT_EQ("2000元宵聚会", readCommemorationEntry(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2020闰日", readCommemorationEntry(CommemorationKind::Solar, 2, 29));
    EXPECT_EQ("2001闰四月", readCommemorationEntry(CommemorationKind::Lunar, 16, 1));
    EXPECT_EQ("", readCommemorationEntry(CommemorationKind::Solar, 12, 1));
    EXPECT_EQ("闰日", solarCommemorationText(2023, 2, 28));
    EXPECT_TRUE(loadCommemorationFile("").empty());
}

}  // namespace
}  // namespace tavomerix
