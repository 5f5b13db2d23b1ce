// Any typed text: the result is "" or a well-formed MM-DD-YYYY that normalises to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dayinfo/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string result = tavomerix::normaliseDateText(text);
    if (result.empty()) return 0;
    if (result.size() != 10 || result[2] != '-' || result[5] != '-') __builtin_trap();
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (i != 2 && i != 5 && (result[i] < '0' || result[i] > '9')) __builtin_trap();
    }
    if (tavomerix::normaliseDateText(result) != result) __builtin_trap();
    return 0;
}
