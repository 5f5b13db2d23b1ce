#include "dayinfo/date_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tavomerix {
namespace {

TEST(YearText, RightAlignedInEightPositions) {
    const struct {
        int year;
        const char* text;
    } Cases[] = {
        {2024, "    2024"}, {1, "       1"},
        {9999, "    9999"}, {0, "     前1"},  // 1 BC: five spaces and 前1
        {-999, "  前1000"}, {-9998, "  前9999"},
        {-9999, ""},        {10000, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.text, yearText(c.year));
    }
}

TEST(ChineseYearText, RightAlignedInTenPositions) {
    const struct {
        int year;
        const char* text;
    } Cases[] = {
        {2024, "  二○二四"},   {10, "      一○"}, {0, "      前一"},  // 1 BC
        {-99, "  前一○○"},  // three BC digits get two spaces
        {-9998, "前九九九九"}, {-9999, ""},       {10000, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.text, chineseYearText(c.year));
    }
}

TEST(GbkWidth, CountsAsciiOneAndOthersTwo) {
    const struct {
        std::string text;
        int width;
    } Cases[] = {
        {"", 0},
        {"a冬", 3},
        {"\xE5\x86", 4},          // truncated sequence: two stray bytes
        {"\x80z", 3},             // stray continuation byte
        {"\xF0\x9F\x98\x80", 2},  // one character outside the BMP
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.width, gbkWidth(c.text));
    }
}

TEST(ClipText, NeverSplitsACharacter) {
    const std::string ten = "一二三四五六七八九十";
    const struct {
        std::string text;
        int width;
        std::string clipped;
    } Cases[] = {
        {ten + "零", 20, ten},  // 20 positions hold ten Chinese characters
        {ten, 20, ten},
        {"一二三", 5, "一二"},  // limit inside the third character cuts before it
        {"一二三", 1, ""},
        {"a一b", 2, "a"},
        {"a一b", 3, "a一"},
        {"abc", 3, "abc"},
        {"abc", 0, ""},
        {"abc", -5, ""},
        {"", 10, ""},
        {"一\xE4\xB8", 4, "一\xE4"},  // a stray byte counts 2, the second does not fit
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.width);
        EXPECT_EQ(c.clipped, clipText(c.text, c.width));
    }
}

TEST(CheckNumberText, KeepsOnlyNonZeroDigitTexts) {
    const struct {
        std::string text;
        std::string checked;
    } Cases[] = {
        {"2024", "2024"},
        {"007", "007"},  // leading zeros kept
        {"0", ""},
        {"0000", ""},
        {"", ""},
        {"-5", ""},
        {"12a", ""},
        {" 12", ""},
        {"１２", ""},  // full-width digits are not digits
        {std::string("1\0"
                     "2",
                     3),
         ""},
        {"0000000000000000000000000000000000000001", "0000000000000000000000000000000000000001"},
        {"0000000000000000000000000000000000000000", ""},  // zero beyond any integer type
        {"4294967296", "4294967296"},                      // 2^32 is not 0
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.checked, checkNumberText(c.text));
    }
}

TEST(NormaliseDateText, PadsMonthDayAndYear) {
    const struct {
        std::string text;
        std::string normalised;
    } Cases[] = {
        {"3-7-2024", "03-07-2024"},
        {"1-1-1", "01-01-0001"},
        {"12-31-9999", "12-31-9999"},
        {"13-45-1", "13-45-0001"},  // no calendar check here
        {"12-31-0", ""},            // zero year
        {"0-1-2000", ""},
        {"1-00-2000", ""},
        {"1-1-0000", ""},
        {"1-1-12345", ""},  // five-digit year
        {"123-1-1", ""},
        {"1-1", ""},
        {"1--1-1", ""},
        {"-1-1-1", ""},
        {"1-1-1-", ""},
        {"1/1/2000", ""},
        {"1-1-+200", ""},
        {"01-01-2000 ", ""},
        {"", ""},
        {"一-1-2000", ""},
        {std::string("1-1-\0"
                     "1",
                     5),
         ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.normalised, normaliseDateText(c.text));
    }
}

}  // namespace
}  // namespace tavomerix
