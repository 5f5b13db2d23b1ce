#include "dayinfo/trim_text.h"

namespace tavomerix {

std::string trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string joinTrimmed(std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + 1 + b.size());
    joined.append(a);
    joined += ' ';
    joined.append(b);
    return trimSpaces(joined);
}

}  // namespace tavomerix
