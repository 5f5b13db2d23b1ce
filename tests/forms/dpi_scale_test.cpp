#include "forms/dpi_scale.h"

#include <gtest/gtest.h>

#include "forms/font_spec.h"

namespace tavomerix {
namespace {

constexpr int Resolutions[] = {96, 120, 144, 192};  // 100 %, 125 %, 150 %, 200 %

TEST(Scaled, RoundsTowardZero) {
    const struct {
        int px;
        int at[4];  // at 96, 120, 144 and 192 DPI
    } Cases[] = {
        {260, {260, 325, 390, 520}},  // the widget's width
        {140, {140, 175, 210, 280}},  // and height
        {13, {13, 16, 19, 26}},       // 16.25 and 19.5 down
        {15, {15, 18, 22, 30}},       // 18.75 down
        {-13, {-13, -16, -19, -26}},  // a logical font height: -19.5 toward zero
        {1, {1, 1, 1, 2}},            // 1.25 and 1.5 down
        {0, {0, 0, 0, 0}},            // nothing stays nothing
    };
    for (const auto& c : Cases) {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << c.px << " px at " << Resolutions[i] << " DPI");
            EXPECT_EQ(c.at[i], scaled(c.px, Resolutions[i]));
        }
    }
    EXPECT_EQ(260, scaled(260, 0));  // unknown resolution
}

TEST(FontHeight, PointsAndPixelsScaleFromTheirHeightAt96Dpi) {
    const struct {
        int size;
        int at[4];
    } Cases[] = {
        {-13, {-13, -16, -19, -26}},  // pixels, as the forms' specifications give them
        {-14, {-14, -17, -21, -28}},  // -17.5 toward zero
        {9, {-12, -15, -18, -24}},    // 9 points are 12 pixels at 96 DPI
        {10, {-13, -16, -19, -26}},   // 13.33 pixels, truncated at 96 DPI first
        {0, {0, 0, 0, 0}},            // the system's default
    };
    for (const auto& c : Cases) {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << "size " << c.size << " at " << Resolutions[i]);
            EXPECT_EQ(c.at[i], fontHeight(c.size, Resolutions[i]));
        }
    }
}

TEST(ScaledWindowSize, ScalesTheClientAreaAndAddsTheFrameOfTheNewDpi) {
    // The options dialog's 288 x 193, with a caption frame of 6 x 25 pixels at 96 DPI.
    const PixelSize outer = {288, 193};
    const PixelSize frameAt96 = {6, 25};
    const struct {
        int dpi;
        PixelSize frame, expected;
    } Cases[] = {
        {96, {8, 30}, {288, 193}},   // at 96 DPI nothing moves, whatever the frame
        {120, {6, 29}, {358, 239}},  // client 352.5 x 210
        {144, {6, 34}, {429, 286}},  // client 423 x 252
        {192, {8, 42}, {572, 378}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(c.expected, scaledWindowSize(outer, frameAt96, c.frame, c.dpi));
    }
}

}  // namespace
}  // namespace tavomerix
