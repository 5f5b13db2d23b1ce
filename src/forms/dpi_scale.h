#pragma once

#include "forms/control_spec.h"

namespace tavomerix {

// Every pixel number of the forms (a position, a size, a font height, an edge of the
// widget's outline) is given at 96 dots per inch (100 % scaling) and scaled by itself to the
// resolution of the window that shows it, with one rounding rule: scaled().
constexpr int BaseDpi = 96;

// A length of px pixels at 96 DPI in pixels at dpi, rounded toward zero (integer division, as
// points become pixels): 13 at 144 DPI is 19, -13 is -19. Neither a font nor a box ever grows
// by more than the ratio of the DPIs, so a text that fits its box at 96 DPI fits it at every
// DPI (to the nearest, 13 pixels of text would grow to 20 in a box of 242 grown to 363). A
// dpi of 0 or below (unknown) gives px.
int scaled(int px, int dpi);

// A rectangle in pixels: top-left corner and size.
struct PixelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// A rectangle given at 96 DPI scaled at dpi: each of its four numbers scaled. A control's
// height and its font's height scale alike (boxes that touch at 96 DPI may be a pixel apart
// at another).
PixelBox scaledBox(const PixelBox& box, int dpi);

// A control's description with its rectangle scaled by scaledBox; the font specification is
// scaled where the font is made (fontHeight).
ControlSpec scaledControl(const ControlSpec& spec, int dpi);

// A width and a height in pixels, such as the frame a window style adds around the client area.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The outer size at dpi of a window whose outer size at 96 DPI is given: its client area
// (outer size less frameAt96) scaled, plus the frame at dpi. At 96 DPI the given size comes
// back unchanged.
PixelSize scaledWindowSize(PixelSize outer, PixelSize frameAt96, PixelSize frameAtDpi, int dpi);

}  // namespace tavomerix
