#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// The fields of a font specification text that the toolkit uses. The text has the 14
// comma-separated fields of a logical font (face, height, width, escapement,
// orientation, weight, italic, underline, strikeout, character set, output precision,
// clipping precision, quality, pitch and family), for example
// "宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2"; fields 1, 2 and 6 to 9 are read.
struct FontSpec {
    std::string face;  // UTF-8 face name; "" means no font
    int size = 0;      // above 0: points; 0 or below: a logical height used as is
    int weight = 0;    // 0..1000, 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

// The used fields of a specification text. Missing or non-numeric fields read as 0; a
// text without a face gives an empty face.
FontSpec parseFontSpec(std::string_view spec);

// The logical height CreateFont takes for a specification's size at dpi: a size above 0 (points)
// becomes -(size * 96 / 72) pixels at 96 DPI (integer division), a size of 0 or below is
// already a height in pixels at 96 DPI; either is then scaled (dpi_scale.h). 0 stays 0, the
// system's default height.
int fontHeight(int size, int dpi);

}  // namespace tavomerix
