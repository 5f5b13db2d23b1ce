// Any bytes and any width (the first four input bytes): the clip is a prefix that fits,
// ends on a character boundary and cannot take one more character.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dayinfo/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(std::int32_t)) return 0;
    std::int32_t maxWidth = 0;
    std::memcpy(&maxWidth, data, sizeof maxWidth);
    const std::string_view text(reinterpret_cast<const char*>(data) + sizeof maxWidth,
                                size - sizeof maxWidth);
    const std::string clipped = tavomerix::clipText(text, maxWidth);
    using tavomerix::gbkWidth;
    if (text.substr(0, clipped.size()) != clipped) __builtin_trap();
    if (!clipped.empty() && gbkWidth(clipped) > maxWidth) __builtin_trap();
    const std::string_view rest = text.substr(clipped.size());
    // A split character would leave stray bytes on both sides and change the total width.
    if (gbkWidth(clipped) + gbkWidth(rest) != gbkWidth(text)) __builtin_trap();
    if (maxWidth > 0 && !rest.empty()) {
        const int next = static_cast<unsigned char>(rest[0]) < 0x80 ? 1 : 2;
        if (gbkWidth(clipped) + next <= maxWidth) __builtin_trap();
    }
    return 0;
}
