#include "forms/font_spec.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

TEST(FontSpec, ReadsTheUsedFields) {
    const struct {
        const char* spec;
        const char* face;
        int size, weight;
        bool italic, underline, strikeout;
    } Cases[] = {
        {"宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2", "宋体", -14, 400, false, false, false},
        {"宋体,-13,0,0,0,400,0,0,0,134,3,2,1,2", "宋体", -13, 400, false, false, false},
        {"Arial,9,0,0,0,700,1,1,1,0,3,2,1,34", "Arial", 9, 700, true, true, true},  // points
        {"Arial,9", "Arial", 9, 0, false, false, false},                            // short text
        {",-14,0,0,0,400,0,0,0,134,3,2,1,2", "", -14, 400, false, false, false},    // no face
        {"", "", 0, 0, false, false, false},
        {"宋体,x,0,0,0,bold,2,0,0,134,3,2,1,2", "宋体", 0, 0, true, false, false},  // not numbers
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.spec);
        const FontSpec f = parseFontSpec(c.spec);
        EXPECT_EQ(c.face, f.face);
        EXPECT_EQ(c.size, f.size);
        EXPECT_EQ(c.weight, f.weight);
        EXPECT_EQ(c.italic, f.italic);
        EXPECT_EQ(c.underline, f.underline);
        EXPECT_EQ(c.strikeout, f.strikeout);
    }
}

}  // namespace
}  // namespace tavomerix
