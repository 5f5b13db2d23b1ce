#include "chinese/lunar_year.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <thread>
#include <vector>

#include "app/app_settings.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/phase_days.h"

namespace tavomerix {
namespace {

constexpr int WinterSolstice = 24;  // TermNumber of 冬至
constexpr int LunarYearCount = LastLunarYear - FirstLunarYear + 1;

// What the lunar years depend on: the effective astronomy switch and the time zone.
struct Regime {
    bool modern = false;
    int timeZoneHours = -100;  // no zone: the first comparison always differs
    friend bool operator==(const Regime&, const Regime&) = default;
};

Regime currentRegime() { return {modernAstronomy(), appSettings().TimeZoneHours}; }

// Years that follow the mean-lunation calendars in the historical regime.
bool isMeanRuleYear(int year) {
    return (year >= -103 && year <= 618) || (year >= 645 && year <= 665);
}

// Direct-mapped memo of a pure day -> day lookup. A hit returns what the lookup returned for
// the same key, so memoised searches give exactly the plain results.
template <int Size>
struct DayMemo {
    struct Entry {
        int key = InvalidDayNumber;
        int value = 0;
    };
    std::array<Entry, Size> entries{};

    template <class Lookup>
    int get(int key, Lookup lookup) {
        Entry& e = entries[floorMod(key, Size)];
        if (e.key != key) e = {key, lookup(key)};
        return e.value;
    }
    void clear() { entries.fill({}); }
};

// The day searches of one thread under one regime. Neighbouring years ask for the same new
// moons and principal terms (the months around 冬月 and the new year), so the memo spares
// about half of the searches of a sequential build.
struct EngineMemo {
    Regime regime;
    DayMemo<256> nextNewMoon;       // search day -> day of the first new moon >= it
    DayMemo<64> lastNewMoon;        // day -> day of the last new moon <= it
    DayMemo<256> principalTermDay;  // day -> day of the first principal term >= it
    DayMemo<32> solstice;           // search day -> day of the first 冬至 >= it
};

void clearMemo(EngineMemo& memo) {
    memo.nextNewMoon.clear();
    memo.lastNewMoon.clear();
    memo.principalTermDay.clear();
    memo.solstice.clear();
}

EngineMemo& threadMemo() {
    thread_local EngineMemo memo;
    return memo;
}

// This thread's memo, emptied first when the regime changed since it was filled.
EngineMemo& engineMemo() {
    EngineMemo& memo = threadMemo();
    const Regime regime = currentRegime();
    if (!(memo.regime == regime)) {
        clearMemo(memo);
        memo.regime = regime;
    }
    return memo;
}

int nextNewMoonDay(EngineMemo& m, int day) {
    return m.nextNewMoon.get(day, [](int d) { return nextPhaseDay(d, NewMoon); });
}

int lastNewMoonDay(EngineMemo& m, int day) {
    return m.lastNewMoon.get(day, [](int d) { return lastPhaseDay(d, NewMoon); });
}

int solsticeDay(EngineMemo& m, int day) {
    return m.solstice.get(day,
                          [](int d) { return floorToInt(solarTermInstant(d, WinterSolstice)); });
}

// The principal-term test of a month [firstDay, lastDay]: the first principal term on or
// after firstDay falls on a day <= lastDay (the test of containsPrincipalTerm).
bool hasPrincipalTerm(EngineMemo& m, int firstDay, int lastDay) {
    const int termDay = m.principalTermDay.get(
        firstDay, [](int d) { return floorToInt(nextTermInstant(d, PrincipalTerm)); });
    return firstDay <= termDay && termDay <= lastDay;
}

// Leap placement (0, 1, 2) and day of 正月初一 of a year.
struct YearStart {
    int placement = 0;
    int newYearDay = 0;
};

// Solstice rule: months begin at new moons, the month holding 冬至 is 冬月, and a 13-month
// span between two 冬月 takes its leap month where a month lacks a principal term.
YearStart solsticeRuleStart(EngineMemo& m, int year) {
    const int j = julianDayNumber(year, 1, 1);
    const int s1 = solsticeDay(m, j - 180);  // 冬至 of December year - 1
    const int s2 = solsticeDay(m, s1 + 300);
    const int s3 = solsticeDay(m, s2 + 300);
    const int m1 = lastNewMoonDay(m, s1);  // first days of the three 冬月
    const int m2 = lastNewMoonDay(m, s2);
    const int m3 = lastNewMoonDay(m, s3);
    if (m2 - m1 >= 360) {
        const int a1 = nextNewMoonDay(m, m1 + 20);
        const int a2 = nextNewMoonDay(m, a1 + 20);
        const int a3 = nextNewMoonDay(m, a2 + 20);
        if (hasPrincipalTerm(m, a1, a2 - 1) && hasPrincipalTerm(m, a2, a3 - 1)) return {1, a2};
        return {0, a3};  // a1 or a2 was the leap month ending year - 1
    }
    const int newYear = nextNewMoonDay(m, m1 + 50);
    if (m3 - m2 < 360) return {0, newYear};
    const int b1 = nextNewMoonDay(m, m2 + 20);
    const int b2 = nextNewMoonDay(m, b1 + 20);
    const int b3 = nextNewMoonDay(m, b2 + 20);
    const bool leapNextYear = hasPrincipalTerm(m, b1, b2 - 1) && hasPrincipalTerm(m, b2, b3 - 1);
    return {leapNextYear ? 0 : 2, newYear};
}

YearStart yearStart(EngineMemo& m, int year) {
    if (!m.regime.modern && isMeanRuleYear(year))
        return {meanYearHasLeap(year), meanNewYearDay(year)};
    return solsticeRuleStart(m, year);
}

// A built year: its record and the day of its 正月初一.
struct BuiltYear {
    std::array<char, LunarYearRecordLength> text{};
    int newYearDay = InvalidDayNumber;
};

constexpr char HexDigits[] = "0123456789ABC";

// 1-based index (1..13) of the leap month among the 13 months starting at monthStarts[1].
int leapMonthIndex(EngineMemo& m, int placement, const int* monthStarts) {
    const auto lacksTerm = [&](int i) {
        return !hasPrincipalTerm(m, monthStarts[i], monthStarts[i + 1] - 1);
    };
    if (placement == 2) return lacksTerm(12) ? 12 : 13;  // 闰冬月 or 闰腊月
    // The first month after 正月 without a principal term. When the mean rule grants a
    // leap month that the principal terms do not place (every month holds one, or only
    // 正月 lacks one), the thirteenth month is the leap month (闰腊月): 正月 stays on the
    // mean new-year day, the sizes still add up to the span between the two new years, and
    // the record keeps its layout. Solstice-rule years never reach that case, because
    // their 正月 always holds a principal term.
    for (int i = 2; i <= 13; ++i) {
        if (lacksTerm(i)) return i;
    }
    return 13;
}

BuiltYear buildYear(EngineMemo& m, int year) {
    const YearStart start = yearStart(m, year);
    const int months = start.placement == 0 ? 12 : 13;
    int monthStarts[15] = {};  // 1-based; monthStarts[months + 1] is the next 正月
    monthStarts[1] = start.newYearDay;
    for (int i = 2; i <= months + 1; ++i)
        monthStarts[i] = nextNewMoonDay(m, monthStarts[i - 1] + 20);
    const auto sizeDigit = [&](int i) {
        return monthStarts[i + 1] - monthStarts[i] == 30 ? '1' : '0';
    };

    BuiltYear built;
    built.newYearDay = start.newYearDay;
    const int leap = start.placement == 0 ? 0 : leapMonthIndex(m, start.placement, monthStarts);
    int position = 0;
    for (int i = 1; i <= months; ++i) {
        if (i != leap) built.text[position++] = sizeDigit(i);
    }
    built.text[LeapDigitPosition] = leap == 0 ? '0' : HexDigits[leap - 1];
    built.text[LeapSizePosition] = leap == 0 ? '0' : sizeDigit(leap);
    const CivilDate newYear = civilDateFromDayNumber(start.newYearDay);
    built.text[NewYearMonthPosition] = static_cast<char>('0' + newYear.month % 10);
    built.text[NewYearMonthPosition + 1] = static_cast<char>('0' + newYear.day / 10);
    built.text[NewYearMonthPosition + 2] = static_cast<char>('0' + newYear.day % 10);
    return built;
}

bool inRange(int year) { return year >= FirstLunarYear && year <= LastLunarYear; }

struct LunarYearSlot {
    BuiltYear year;
    bool filled = false;
};

// The records of every lunar year, built on first use, and the regime they were built under.
struct LunarYearCache {
    Regime regime;
    std::array<LunarYearSlot, LunarYearCount> slots;
};

LunarYearCache& lunarYearCache() {
    static LunarYearCache cache;
    return cache;
}

void emptySlots(LunarYearCache& cache) {
    for (LunarYearSlot& slot : cache.slots) slot.filled = false;
}

// The cache, emptied first when the regime changed since it was filled.
LunarYearCache& currentCache() {
    LunarYearCache& cache = lunarYearCache();
    const Regime regime = currentRegime();
    if (!(cache.regime == regime)) {
        emptySlots(cache);
        cache.regime = regime;
    }
    return cache;
}

// The filled slot of a year; nullptr out of range.
const LunarYearSlot* yearSlot(int year) {
    if (!inRange(year)) return nullptr;
    LunarYearSlot& slot = currentCache().slots[year - FirstLunarYear];
    if (!slot.filled) {
        slot.year = buildYear(engineMemo(), year);
        slot.filled = true;
    }
    return &slot;
}

}  // namespace

std::string_view lunarYearRecord(int year) {
    const LunarYearSlot* slot = yearSlot(year);
    if (slot == nullptr) return {};
    return {slot->year.text.data(), slot->year.text.size()};
}

std::string buildLunarYearRecord(int year) {
    if (!inRange(year)) return "";
    const BuiltYear built = buildYear(engineMemo(), year);
    return {built.text.data(), built.text.size()};
}

int leapPlacement(int year) {
    if (!inRange(year)) return 0;
    return yearStart(engineMemo(), year).placement;
}

int lunarNewYearDay(int year) {
    const LunarYearSlot* slot = yearSlot(year);
    return slot == nullptr ? InvalidDayNumber : slot->year.newYearDay;
}

std::string solsticeYearCode(int year) {
    if (!inRange(year)) return "";
    const YearStart start = solsticeRuleStart(engineMemo(), year);
    const CivilDate newYear = civilDateFromDayNumber(start.newYearDay);
    return {static_cast<char>('0' + start.placement), static_cast<char>('0' + newYear.month % 10),
            static_cast<char>('0' + newYear.day / 10), static_cast<char>('0' + newYear.day % 10)};
}

int lunarYearLength(int year) {
    const std::string_view record = lunarYearRecord(year);
    if (record.empty()) return 0;
    int days = 0;
    for (int i = 0; i < 12; ++i) days += monthDaysOfSize(record[i]);
    if (record[LeapDigitPosition] != '0') days += monthDaysOfSize(record[LeapSizePosition]);
    return days;
}

int isValidLunarDate(int year, int month, int day) {
    const std::string_view record = lunarYearRecord(year);
    if (record.empty() || day < 1) return 0;
    if (month >= 1 && month <= 12) return day <= monthDaysOfSize(record[month - 1]) ? 1 : 0;
    if (month >= 13 && month <= 24) {
        const int leap = leapMonthOfRecord(record);
        return leap > 0 && leap == month - 12 && day <= monthDaysOfSize(record[LeapSizePosition])
                   ? 1
                   : 0;
    }
    return 0;
}

int monthSequence(int year, int month) {
    if (isValidLunarDate(year, month, 1) == 0) return 0;
    const int leap = leapMonthOfRecord(lunarYearRecord(year));
    if (leap == 0) return month;
    if (month <= 12) return leap < month ? month + 1 : month;
    return leap + 1;
}

int monthAtSequence(int year, int sequence) {
    const std::string_view record = lunarYearRecord(year);
    if (record.empty()) return 0;
    const int leap = leapMonthOfRecord(record);
    const int months = leap == 0 ? 12 : 13;
    if (sequence < 1 || sequence > months) return 0;
    if (leap > 0 && sequence == leap + 1)
        return leap + 12 + (record[LeapSizePosition] == '1' ? 24 : 0);
    const int month = leap > 0 && sequence > leap + 1 ? sequence - 1 : sequence;
    return month + (record[month - 1] == '1' ? 24 : 0);
}

void setModernCalculateAncientFlag(int flag) {
    if (appSettings().ModernCalculateAncientFlag == flag) return;
    clearLunarYearCache();
    appSettings().ModernCalculateAncientFlag = flag;
}

void clearLunarYearCache() {
    emptySlots(lunarYearCache());
    clearMemo(threadMemo());
}

void prefetchLunarYears(int first, int last) {
    first = std::max(first, FirstLunarYear);
    last = std::min(last, LastLunarYear);
    if (first > last) return;
    LunarYearCache& cache = currentCache();

    // Each half is built in year order on its own thread (with its own memo) into local
    // storage; the cache is only read while both run and written after they have finished.
    const auto buildRange = [&cache](int from, int to, std::vector<BuiltYear>& out) {
        out.resize(static_cast<std::size_t>(to - from + 1));
        EngineMemo& memo = engineMemo();
        for (int year = from; year <= to; ++year) {
            if (!cache.slots[year - FirstLunarYear].filled)
                out[year - from] = buildYear(memo, year);
        }
    };
    const int middle = first + (last - first) / 2;
    std::vector<BuiltYear> lower, upper;
    try {
        std::thread worker(buildRange, middle + 1, last, std::ref(upper));
        buildRange(first, middle, lower);
        worker.join();
    } catch (const std::system_error&) {  // no second thread: build the rest here
        buildRange(first, middle, lower);
        buildRange(middle + 1, last, upper);
    }
    const auto store = [&cache](int from, const std::vector<BuiltYear>& built) {
        for (std::size_t i = 0; i < built.size(); ++i) {
            LunarYearSlot& slot = cache.slots[from - FirstLunarYear + static_cast<int>(i)];
            if (!slot.filled && built[i].newYearDay != InvalidDayNumber) {
                slot.year = built[i];
                slot.filled = true;
            }
        }
    };
    store(first, lower);
    store(middle + 1, upper);
}

}  // namespace tavomerix
