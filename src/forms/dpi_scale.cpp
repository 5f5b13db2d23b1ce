#include "forms/dpi_scale.h"

namespace tavomerix {

int scaled(int px, int dpi) {
    if (dpi <= 0) return px;
    return static_cast<int>(static_cast<long long>(px) * dpi / BaseDpi);  // toward zero
}

PixelBox scaledBox(const PixelBox& box, int dpi) {
    return {scaled(box.x, dpi), scaled(box.y, dpi), scaled(box.width, dpi),
            scaled(box.height, dpi)};
}

ControlSpec scaledControl(const ControlSpec& spec, int dpi) {
    const PixelBox box = scaledBox({spec.x, spec.y, spec.width, spec.height}, dpi);
    ControlSpec result = spec;
    result.x = box.x;
    result.y = box.y;
    result.width = box.width;
    result.height = box.height;
    return result;
}

PixelSize scaledWindowSize(PixelSize outer, PixelSize frameAt96, PixelSize frameAtDpi, int dpi) {
    if (dpi <= 0 || dpi == BaseDpi) return outer;
    return {scaled(outer.width - frameAt96.width, dpi) + frameAtDpi.width,
            scaled(outer.height - frameAt96.height, dpi) + frameAtDpi.height};
}

}  // namespace tavomerix
