#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/settings_store.h"
#include "forms/font_spec.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

TEST(MainWindowAtDpi, StampOutlineFillsTheScaledWindow) {
    // 260 x 140 at 144 DPI is 390 x 210; the body's edges scale as edges (255 becomes 382).
    const std::vector<ScreenRect> parts = stampOutline(144);
    ASSERT_EQ(1u + 2 * 25 + 2 * 13, parts.size());
    EXPECT_EQ((ScreenRect{7, 7, 382, 202}), parts.front());
    ScreenRect extent = parts.front();
    for (const ScreenRect& r : parts) {
        extent = {std::min(extent.left, r.left), std::min(extent.top, r.top),
                  std::max(extent.right, r.right), std::max(extent.bottom, r.bottom)};
    }
    EXPECT_EQ((ScreenRect{0, 0, 390, 210}), extent);  // the teeth reach the window's edges
}

using MainWindowAtDpiPosition = FreshRegistry;

TEST_F(MainWindowAtDpiPosition, TheScaledWindowIsCentredOrMustFit) {
    const ScreenRect workArea = {0, 0, 1024, 738};
    AppSettings s;
    EXPECT_EQ((ScreenPoint{317, 279}), mainWindowStartPosition(s, workArea, 1024, 768, 144));
    s.stored.registryEnabled = 1;
    const struct {
        const char* left;
        const char* top;
        ScreenPoint expected;
    } Cases[] = {
        {"634", "528", {634, 528}},  // a 390 x 210 window at the work area's corner
        {"635", "528", {317, 279}},  // a pixel too far right: centred
        {"634", "529", {317, 279}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.left << ',' << c.top);
        writeRegistryText(SettingsKey, "rFormLeft", c.left);
        writeRegistryText(SettingsKey, "rFormTop", c.top);
        EXPECT_EQ(c.expected, mainWindowStartPosition(s, workArea, 1024, 768, 144));
    }
}

TEST(MainWindowAtDpi, TextLinesStillHoldTheirFonts) {
    // A read-only line as tall as its font at 96 DPI stays as tall at every DPI, and the
    // check boxes of the options dialog keep their room for the caption.
    std::vector<ControlSpec> specs(mainControls().begin(), mainControls().end());
    specs.insert(specs.end(), optionControls().begin(), optionControls().end());
    for (const ControlSpec& spec : specs) {
        if (spec.kind == ControlKind::DropDownList) continue;  // sized by the font itself
        const int size = parseFontSpec(spec.fontSpec).size;
        for (const int dpi : {96, 120, 144, 192}) {
            SCOPED_TRACE(testing::Message() << "control " << spec.id << " at " << dpi);
            EXPECT_GE(scaledControl(spec, dpi).height, -fontHeight(size, dpi));
        }
    }
}

}  // namespace
}  // namespace tavomerix
