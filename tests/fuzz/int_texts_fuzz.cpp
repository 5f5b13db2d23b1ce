// Every text operation over arbitrary integers: no undefined behaviour, fixed widths held,
// Hijri dates round-trip.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "calendar/julian_day.h"
#include "dayinfo/date_text.h"
#include "dayinfo/era_names.h"
#include "dayinfo/hijri.h"
#include "dayinfo/names.h"

namespace {

std::int32_t takeInt(const std::uint8_t*& data, std::size_t& size) {
    std::int32_t value = 0;
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n, size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    const int a = takeInt(data, size), b = takeInt(data, size), c = takeInt(data, size);

    const std::string year = yearText(a);
    if (!year.empty() && gbkWidth(year) != 8) __builtin_trap();
    const std::string chinese = chineseYearText(a);
    if (!chinese.empty() && gbkWidth(chinese) != 10) __builtin_trap();
    if (eraYearText(a).empty() != year.empty()) __builtin_trap();

    const std::string hijri = hijriText(a);
    if (!hijri.empty()) {
        const DateCodeFields h = parseDateCode(hijri);
        if (!h.ok || hijriToDayNumber(h.year, h.month, h.day) != a) __builtin_trap();
        if (hijriLine(a).empty()) __builtin_trap();
    }
    const int day = hijriToDayNumber(a, b, c);
    if (day != InvalidDayNumber && hijriText(day).size() > 12) __builtin_trap();

    (void)lunarMonthText(a);
    (void)digitName(a);
    (void)lunarDayName(a);
    (void)solarTermName(a);
    if (weekdayName({a, b, c}).empty() != zodiacSignName({a, b, c}).empty()) __builtin_trap();
    return 0;
}
