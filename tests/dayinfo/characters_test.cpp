#include "dayinfo/characters.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

TEST(Utf8CharacterLength, WellFormedAndIllFormed) {
    const struct {
        const char* text;
        std::size_t length;
    } Cases[] = {
        {"a", 1},
        {"\xC2\xA9", 2},          // ©, the smallest two-byte lead
        {"\xE4\xB8\xAD", 3},      // 中
        {"\xF0\x9F\x98\x80", 4},  // U+1F600
        {"\xF4\x8F\xBF\xBF", 4},  // U+10FFFF, the last code point
        {"\xC0\x80", 0},          // overlong NUL
        {"\xE0\x80\x80", 0},      // overlong three-byte form
        {"\xED\xA0\x80", 0},      // surrogate U+D800
        {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
        {"\xE4\xB8", 0},          // cut short
        {"\xE4\x41\xAD", 0},      // a continuation byte missing
        {"\x80", 0},              // stray continuation byte
        {"", 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(c.length, utf8CharacterLength(c.text));
    }
    EXPECT_EQ(3u, utf8CharacterLength("a\xE4\xB8\xAD", 1));
}

}  // namespace
}  // namespace tavomerix
