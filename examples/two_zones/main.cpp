// Two threads convert the same civil days to the Chinese calendar at once, one reckoning
// in UTC+8 and the other in UTC-5, then the results are printed side by side. A new moon
// close to midnight can put the first day of a lunar month on different civil days in
// the two zones.
#include <tavomerix/tavomerix.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

// "2025-闰06-01" for a lunar date.
std::string lunarText(const tavomerix::LunarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d-%s%02d-%02d", date.year, date.leap ? "闰" : "", date.month,
                  date.day);
    return text;
}

// The text padded with spaces to a display width (a Chinese character takes two columns).
std::string padded(const std::string& text, int width) {
    int columns = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) ++columns;
        if (byte >= 0xE0) columns += 2;  // the lead byte of a three-byte character
    }
    return text + std::string(columns < width ? width - columns : 1, ' ');
}

std::vector<std::string> convert(const tavomerix::LunarCalendar& calendar, int firstDay, int days) {
    std::vector<std::string> lunar;
    for (int day = firstDay; day < firstDay + days; ++day) {
        lunar.push_back(lunarText(tavomerix::lunarDateOfDay(calendar, day)));
    }
    return lunar;
}

}  // namespace

int main() {
    const tavomerix::CalendarContext beijing{8, tavomerix::Regime::Historical};
    const tavomerix::CalendarContext newYork{-5, tavomerix::Regime::Modern};
    const int firstDay = tavomerix::julianDayNumber(2025, 7, 20);
    constexpr int Days = 14;

    std::vector<std::string> east, west;
    std::thread eastThread(
        [&] { east = convert(tavomerix::LunarCalendar::shared(beijing), firstDay, Days); });
    std::thread westThread(
        [&] { west = convert(tavomerix::LunarCalendar::shared(newYork), firstDay, Days); });
    eastThread.join();
    westThread.join();

    std::printf("%-12s %-14s %s\n", "civil", "UTC+8", "UTC-5");
    for (int i = 0; i < Days; ++i) {
        const tavomerix::CivilDate civil = tavomerix::civilDateFromDayNumber(firstDay + i);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
        const bool same = east[i] == west[i];
        std::printf("%-12s %s%s\n", date, padded(east[i], 15).c_str(),
                    same ? west[i].c_str() : (padded(west[i], 14) + "*").c_str());
    }
    return 0;
}
