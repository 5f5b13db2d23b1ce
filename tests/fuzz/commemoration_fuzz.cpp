// Any stored value under any value name: the entry check never fails loudly, and a shown
// name is a trimmed piece of the stored text of at most 20 GBK bytes. The same value
// handed to the festival-line look-ups behaves alike.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    if (size < 3) return 0;
    const bool lunar = (data[0] & 1) != 0;
    const int month = data[1] % 26;  // 0..25: out-of-range months included
    const int day = data[2] % 32;
    const std::string_view stored(reinterpret_cast<const char*>(data) + 3, size - 3);
    const CommemorationKind kind = lunar ? CommemorationKind::Lunar : CommemorationKind::Solar;

    const LunarCalendar& calendar = LunarCalendar::shared({});
    const std::string name = commemorationEntryName(calendar, kind, stored, month, day, 2024);
    if (!name.empty()) {
        if (gbkWidth(name) > CommemorationNameWidth) __builtin_trap();
        if (name.front() == ' ' || name.back() == ' ') __builtin_trap();
        if (stored.substr(4).find(name) == std::string_view::npos) __builtin_trap();
    }

    if (commemorationValueName(kind, month, day).empty()) return 0;
    CommemorationDays days;
    days.set(kind, month, day, std::string(stored));
    const std::string shown =
        lunar ? lunarCommemorationText(calendar, days, lunarDateOfMonthCode(2024, month, day))
              : solarCommemorationText(calendar, days, {2024, month, day});
    if (gbkWidth(shown) > CommemorationNameWidth) __builtin_trap();
    return 0;
}
