#include "dayinfo/quoted_input.h"

#include <gtest/gtest.h>

#include <string>

namespace tavomerix {
namespace {

TEST(QuotedInput, EscapesWhatATerminalWouldActOn) {
    struct Case {
        std::string text, expected;
    };
    const Case cases[] = {
        {"", ""},
        {"2024-13-01", "2024-13-01"},
        {"中秋节", "中秋节"},
        {"a\nb", "a\\x0ab"},
        {"\x1b[31mred", "\\x1b[31mred"},
        {"tab\there", "tab\\x09here"},
        {"del\x7f", "del\\x7f"},
        {"back\\slash", "back\\\\slash"},
        {"\xff\xfe", "\\xff\\xfe"},           // not UTF-8
        {"\xe4\xb8", "\\xe4\\xb8"},           // a character cut short
        {"\xc0\xaf", "\\xc0\\xaf"},           // overlong form
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},  // a surrogate
        {"\xef\xbb\xbf"
         "L",
         "\xef\xbb\xbf"
         "L"},  // a byte-order mark is a character
    };
    for (const Case& c : cases) EXPECT_EQ(quotedInput(c.text), c.expected) << c.text;
}

TEST(QuotedInput, LongTextIsCutAtACharacterWithAnEllipsis) {
    EXPECT_EQ(quotedInput(std::string(10000, 'x')), std::string(QuotedInputLimit, 'x') + "…");
    EXPECT_EQ(quotedInput(std::string(QuotedInputLimit, 'x')), std::string(QuotedInputLimit, 'x'));
    // 21 three-byte characters are 63 bytes: twenty fit in 60.
    std::string chinese;
    for (int i = 0; i < 21; ++i) chinese += "闰";
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "闰";
    EXPECT_EQ(quotedInput(chinese), twenty + "…");
    EXPECT_EQ(quotedInput("abcdef", 3), "abc…");
}

}  // namespace
}  // namespace tavomerix
