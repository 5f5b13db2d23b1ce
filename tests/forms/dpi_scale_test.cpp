#include "forms/dpi_scale.h"

#include <gtest/gtest.h>

#include "forms/font_spec.h"

namespace tavomerix {
namespace {

constexpr int Resolutions[] = {96, 120, 144, 192};  // 100 %, 125 %, 150 %, 200 %

// One rounding rule, toward zero, for lengths and font heights alike.
TEST(Scaled, LengthsAndFontHeightsRoundTowardZero) {
    const struct {
        bool font;  // fontHeight of a size, else scaled of a length
        int value;
        int at[4];  // at 96, 120, 144 and 192 DPI
    } Cases[] = {
        {false, 13, {13, 16, 19, 26}},       // 16.25 and 19.5 down
        {false, 15, {15, 18, 22, 30}},       // 18.75 down
        {false, -13, {-13, -16, -19, -26}},  // -19.5 toward zero
        {true, -14, {-14, -17, -21, -28}},   // pixels: -17.5 toward zero
        {true, 9, {-12, -15, -18, -24}},     // 9 points are 12 pixels at 96 DPI
        {true, 10, {-13, -16, -19, -26}},    // 13.33 pixels, truncated at 96 DPI first
        {true, 0, {0, 0, 0, 0}},             // the system's default
    };
    for (const auto& c : Cases) {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << (c.font ? "font " : "length ") << c.value << " at "
                                            << Resolutions[i] << " DPI");
            const int dpi = Resolutions[i];
            EXPECT_EQ(c.at[i], c.font ? fontHeight(c.value, dpi) : scaled(c.value, dpi));
        }
    }
    EXPECT_EQ(260, scaled(260, 0));  // unknown resolution
}

TEST(ScaledWindowSize, ScalesTheClientAreaAndAddsTheFrameOfTheNewDpi) {
    // The options dialog's 288 x 193, with a caption frame of 6 x 25 pixels at 96 DPI.
    const PixelSize outer = {288, 193};
    const PixelSize frameAt96 = {6, 25};
    EXPECT_EQ(outer, scaledWindowSize(outer, frameAt96, {8, 30}, 96));  // whatever the frame
    EXPECT_EQ((PixelSize{358, 239}), scaledWindowSize(outer, frameAt96, {6, 29}, 120));  // 352.5
}

}  // namespace
}  // namespace tavomerix
