#include "dayinfo/commemoration_days.h"

#include <gtest/gtest.h>

#include <string>

#include "chinese/lunar_calendar.h"

namespace tavomerix {
namespace {

const LunarCalendar& beijing() { return LunarCalendar::shared({8, Regime::Historical}); }

std::string lunarText(const CommemorationDays& days, int year, int monthCode, int day) {
    return lunarCommemorationText(beijing(), days, lunarDateOfMonthCode(year, monthCode, day));
}

std::string solarText(const CommemorationDays& days, int year, int month, int day) {
    return solarCommemorationText(beijing(), days, {year, month, day});
}

// Month sizes used below: 四月 has 30 days in 2001 and 2023, 29 in 2000 and 2024; 2001
// and 2020 have a 闰四月, 2023 has none.
TEST(CommemorationDays, LunarDayThirtyShowsOnDayTwentyNineOfShortMonths) {
    CommemorationDays days;
    days.set(CommemorationKind::Lunar, 4, 30, "2001四月三十");
    days.set(CommemorationKind::Lunar, 16, 1, "2001闰月");
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
        EXPECT_EQ(c.expected, lunarText(days, c.year, c.month, c.day));
    }
    days.set(CommemorationKind::Lunar, 4, 29, "2001四月廿九");
    EXPECT_EQ("四月廿九", lunarText(days, 2024, 4, 29));  // the day's own entry wins
    days.set(CommemorationKind::Lunar, 4, 29, "20x1bad");
    EXPECT_EQ("", lunarText(days, 2024, 4, 29));  // an unsound own entry hides day 30
}

TEST(CommemorationDays, EntryDateMustExistInItsStartYear) {
    CommemorationDays days;
    days.set(CommemorationKind::Lunar, 4, 30, "2000四月三十");  // 2000's 四月 has 29 days
    days.set(CommemorationKind::Lunar, 16, 1, "2000闰月");      // 2000 has no 闰四月
    days.set(CommemorationKind::Solar, 2, 29, "2021闰日");      // 2021 is a common year
    EXPECT_EQ("", lunarText(days, 2023, 4, 30));
    EXPECT_EQ("", lunarText(days, 2020, 16, 1));
    EXPECT_EQ("", solarText(days, 2024, 2, 29));
    // Shown on a substitute day, an entry is checked against that day: day 29 of 2000's
    // 四月 exists, so the day-30 entry shows on day 29 of a short 四月 from 2000 on; likewise
    // the 29 February entry on 28 February of a common year.
    EXPECT_EQ("四月三十", lunarText(days, 2024, 4, 29));
    EXPECT_EQ("", lunarText(days, 1999, 4, 29));
    EXPECT_EQ("闰日", solarText(days, 2023, 2, 28));
}

TEST(CommemorationDays, LeapDayShowsOnFebruaryTwentyEighthOfCommonYears) {
    CommemorationDays days;
    days.set(CommemorationKind::Solar, 2, 29, "2020闰日");
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
        EXPECT_EQ(c.expected, solarText(days, c.year, c.month, c.day));
    }
    days.set(CommemorationKind::Solar, 2, 28, "2020二八");
    EXPECT_EQ("二八", solarText(days, 2023, 2, 28));
}

TEST(CommemorationDays, MalformedStoredValuesAreNeverShown) {
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
        CommemorationDays days;
        days.set(CommemorationKind::Solar, 3, 1, c.stored);
        EXPECT_EQ(c.expected, solarText(days, 2024, 3, 1));
        EXPECT_EQ(c.expected, commemorationEntryName(beijing(), CommemorationKind::Solar, c.stored,
                                                     3, 1, 2024));
    }
    EXPECT_EQ("", commemorationEntryName(beijing(), CommemorationKind::Solar,
                                         "2000" + std::string(5000, 'x'), 3, 2,
                                         2024));  // no stored value is that long
}

// The limit is the registry's: 1023 positions, a Chinese character counting two.
TEST(CommemorationDays, LengthLimitCountsChineseCharactersAsTwoPositions) {
    std::string name;
    for (int i = 0; i < 509; ++i) name += "念";  // 1018 positions, 1527 bytes
    const struct {
        std::string stored;
        bool sound;
    } Cases[] = {
        {"2000" + name + "x", true},    // 1023 positions
        {"2000" + name + "xy", false},  // 1024
        {"2000" + name + "念", false},  // 1024
        {"2000" + std::string(1019, 'x'), true},
        {"2000" + std::string(1020, 'x'), false},
    };
    for (const auto& c : Cases) {
        EXPECT_EQ(
            c.sound,
            commemorationEntryFault(beijing(), CommemorationKind::Solar, c.stored, 3, 1).empty())
            << c.stored.size();
    }
}

TEST(CommemorationDays, ValueNames) {
    EXPECT_EQ("24-30", commemorationValueName(CommemorationKind::Lunar, 24, 30));
    EXPECT_EQ("", commemorationValueName(CommemorationKind::Solar, 0, 1));
    EXPECT_EQ("", commemorationValueName(CommemorationKind::Lunar, 25, 1));
    int month = 0, day = 0;
    EXPECT_TRUE(parseCommemorationValueName(CommemorationKind::Lunar, "24-30", month, day));
    EXPECT_EQ(24, month);
    EXPECT_EQ(30, day);
    for (const char* name : {"13-01", "00-05", "01-32", "1-01", "01-01 ", "ab-cd"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(parseCommemorationValueName(CommemorationKind::Solar, name, month, day));
    }
}

TEST(CommemorationDays, FileReaderKeepsSoundLinesAndReportsTheRest) {
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
    const CommemorationFile file = parseCommemorationFile(beijing(), File);
    const int ExpectedLines[] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    ASSERT_EQ(std::size(ExpectedLines), file.errors.size());
    for (size_t i = 0; i < file.errors.size(); ++i) {
        SCOPED_TRACE(file.errors[i].message);
        EXPECT_EQ(ExpectedLines[i], file.errors[i].lineNumber);
        EXPECT_FALSE(file.errors[i].message.empty());
    }
    const auto stored = [&](CommemorationKind kind, int month, int day) {
        const std::string* text = file.days.find(kind, month, day);
        return text == nullptr ? std::string() : *text;
    };
    EXPECT_EQ("2000元宵聚会", stored(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2020闰日", stored(CommemorationKind::Solar, 2, 29));
    EXPECT_EQ("2001闰四月", stored(CommemorationKind::Lunar, 16, 1));
    EXPECT_EQ("", stored(CommemorationKind::Solar, 12, 1));
    EXPECT_EQ("闰日", solarText(file.days, 2023, 2, 28));
    EXPECT_TRUE(parseCommemorationFile(beijing(), "").errors.empty());
}

}  // namespace
}  // namespace tavomerix

namespace tavomerix {
namespace {

TEST(CommemorationFile, ByteOrderMarkAndCrLfKeepTheFirstEntry) {
    const CommemorationFile file = parseCommemorationFile(
        LunarCalendar::shared({}), "\xEF\xBB\xBFL\t01-15\t2000甲\r\nS 02-29\t2020乙\r\n");
    EXPECT_TRUE(file.errors.empty());
    ASSERT_NE(nullptr, file.days.find(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2000甲", *file.days.find(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2020乙", *file.days.find(CommemorationKind::Solar, 2, 29));
    // A mark anywhere else is text of the line.
    EXPECT_EQ(1u,
              parseCommemorationFile(LunarCalendar::shared({}), "\n\xEF\xBB\xBFL\t01-15\t2000甲\n")
                  .errors.size());
}

}  // namespace
}  // namespace tavomerix
