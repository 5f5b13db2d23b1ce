// Any typed text: the result is "" or the text itself, all digits and not all zeros.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dayinfo/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string result = tavomerix::checkNumberText(text);
    if (result.empty()) return 0;
    if (result != text) __builtin_trap();
    bool nonZero = false;
    for (const char c : result) {
        if (c < '0' || c > '9') __builtin_trap();
        nonZero = nonZero || c != '0';
    }
    if (!nonZero) __builtin_trap();
    return 0;
}
