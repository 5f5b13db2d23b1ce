#include "quoted_input.h"

#include <cstdint>

namespace tavomerix {

namespace {

// Length in bytes of the valid UTF-8 character at the start of text; 0 if invalid
// (stray continuation, overlong form, surrogate, beyond U+10FFFF, or cut short).
std::size_t utf8CharacterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return 0;
    if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return 0;
    return length;
}

void appendEscapedByte(std::string& out, std::uint8_t value) {
    constexpr char Hex[] = "0123456789abcdef";
    out += "\\x";
    out += Hex[value >> 4];
    out += Hex[value & 0x0Fu];
}

}  // namespace

std::string quotedInput(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = utf8CharacterLength(text.substr(i));
        const std::size_t taken = length == 0 ? 1 : length;
        if (i + taken > limit) {
            out += "…";
            break;
        }
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (length == 0 || lead < 0x20 || lead == 0x7F) {
            appendEscapedByte(out, lead);
        } else if (lead == '\\') {
            out += "\\\\";
        } else {
            out.append(text.substr(i, length));
        }
        i += taken;
    }
    return out;
}

}  // namespace tavomerix
