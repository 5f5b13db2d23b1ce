#include "dayinfo/quoted_input.h"

#include <cstdint>

#include "dayinfo/characters.h"

namespace tavomerix {

namespace {

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
