#include "dayinfo/characters.h"

#include <cstdint>

namespace tavomerix {

std::string twoDigits(int n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

std::size_t utf8LeadLength(char lead) {
    const auto b = static_cast<unsigned char>(lead);
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

std::size_t utf8CharacterLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const std::size_t length = utf8LeadLength(text[at]);
    if (length <= 1) return length;
    if (text.size() - at < length) return 0;
    // The code point, from the lead byte's low bits and six bits per continuation byte.
    std::uint32_t code = static_cast<unsigned char>(text[at]) & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!isUtf8Continuation(text[at + i])) return 0;
        code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    }
    if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return 0;
    if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return 0;
    return length;
}

}  // namespace tavomerix
