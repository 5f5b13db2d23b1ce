#pragma once

#include <string_view>

#include "forms/control_spec.h"

namespace tavomerix {

// Fonts and colours shared by the widget's windows.

// 宋体 at heights of 16, 15, 14, 13 and 12 pixels, Chinese character set.
constexpr std::string_view SongFont16 = "宋体,-16,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view SongFont15 = "宋体,-15,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view SongFont14 = "宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view SongFont13 = "宋体,-13,0,0,0,400,0,0,0,134,3,2,1,2";
constexpr std::string_view SongFont12 = "宋体,-12,0,0,0,400,0,0,0,134,3,2,1,2";
// 宋体 of buttons (12 pixels) and of the commemoration list (14 pixels), character set 1.
constexpr std::string_view ButtonFont = "宋体,-12,0,0,0,400,0,0,0,1,0,0,0,0";
constexpr std::string_view ListFont14 = "宋体,-14,0,0,0,400,0,0,0,1,0,0,0,0";

constexpr Colour BlackText = {0, 0, 0};
constexpr Colour BlueText = {0, 0, 255};
constexpr Colour FieldBackground = {255, 255, 255};
constexpr Colour FormBackgroundColour = {0, 192, 192};

// A check box, option button or push button of a modal window: button font, black text,
// the form's background, no tooltip.
constexpr ControlSpec buttonSpec(int id, ControlKind kind, int x, int y, int width, int height,
                                 std::string_view caption) {
    return {id, kind,   x, y, width, height, ButtonFont, BlackText, FormBackgroundColour,
            "", caption};
}

}  // namespace tavomerix
