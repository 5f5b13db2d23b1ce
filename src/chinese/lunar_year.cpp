#include "chinese/lunar_year.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "chinese/phase_days.h"

namespace tavomerix {
namespace {

constexpr int WinterSolstice = 24;  // TermNumber of 冬至

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

}  // namespace

// The day searches of builds under one context. Neighbouring years ask for the same new
// moons and principal terms (the months around 冬月 and the new year), so the memo spares
// about half of the searches of a sequential build.
struct LunarYearCache::Memo {
    DayMemo<256> nextNewMoon;       // search day -> day of the first new moon >= it
    DayMemo<64> lastNewMoon;        // day -> day of the last new moon <= it
    DayMemo<256> principalTermDay;  // day -> day of the first principal term >= it
    DayMemo<32> solstice;           // search day -> day of the first 冬至 >= it
};

namespace {

using Memo = LunarYearCache::Memo;

// The searches of one build: the context and a memo used by this thread alone.
struct Searches {
    const CalendarContext& context;
    Memo& memo;

    int nextNewMoonDay(int day) {
        return memo.nextNewMoon.get(
            day, [this](int d) { return nextPhaseDay(context, d, MoonPhase::New); });
    }

    int lastNewMoonDay(int day) {
        return memo.lastNewMoon.get(
            day, [this](int d) { return lastPhaseDay(context, d, MoonPhase::New); });
    }

    int solsticeDay(int day) {
        return memo.solstice.get(day, [this](int d) {
            return floorToInt(solarTermInstant(context, d, WinterSolstice));
        });
    }

    // The principal-term test of a month [firstDay, lastDay]: the first principal term on or
    // after firstDay falls on a day <= lastDay (the test of containsPrincipalTerm).
    bool hasPrincipalTerm(int firstDay, int lastDay) {
        const int termDay = memo.principalTermDay.get(firstDay, [this](int d) {
            return floorToInt(nextTermInstant(context, d, TermKind::Principal));
        });
        return firstDay <= termDay && termDay <= lastDay;
    }
};

// Leap placement (0, 1, 2) and day of 正月初一 of a year.
struct YearStart {
    int placement = 0;
    int newYearDay = 0;
};

// Solstice rule: months begin at new moons, the month holding 冬至 is 冬月, and a 13-month
// span between two 冬月 takes its leap month where a month lacks a principal term.
YearStart solsticeRuleStart(Searches& m, int year) {
    const int j = julianDayNumber(year, 1, 1);
    const int s1 = m.solsticeDay(j - 180);  // 冬至 of December year - 1
    const int s2 = m.solsticeDay(s1 + 300);
    const int s3 = m.solsticeDay(s2 + 300);
    const int m1 = m.lastNewMoonDay(s1);  // first days of the three 冬月
    const int m2 = m.lastNewMoonDay(s2);
    const int m3 = m.lastNewMoonDay(s3);
    if (m2 - m1 >= 360) {
        const int a1 = m.nextNewMoonDay(m1 + 20);
        const int a2 = m.nextNewMoonDay(a1 + 20);
        const int a3 = m.nextNewMoonDay(a2 + 20);
        if (m.hasPrincipalTerm(a1, a2 - 1) && m.hasPrincipalTerm(a2, a3 - 1)) return {1, a2};
        return {0, a3};  // a1 or a2 was the leap month ending year - 1
    }
    const int newYear = m.nextNewMoonDay(m1 + 50);
    if (m3 - m2 < 360) return {0, newYear};
    const int b1 = m.nextNewMoonDay(m2 + 20);
    const int b2 = m.nextNewMoonDay(b1 + 20);
    const int b3 = m.nextNewMoonDay(b2 + 20);
    const bool leapNextYear = m.hasPrincipalTerm(b1, b2 - 1) && m.hasPrincipalTerm(b2, b3 - 1);
    return {leapNextYear ? 0 : 2, newYear};
}

YearStart yearStart(Searches& m, int year) {
    if (!m.context.modernAstronomy() && isMeanRuleYear(year))
        return {meanYearHasLeap(year) ? 1 : 0, meanNewYearDay(year)};
    return solsticeRuleStart(m, year);
}

constexpr char HexDigits[] = "0123456789ABC";

// 1-based index (1..13) of the leap month among the 13 months starting at monthStarts[1].
int leapMonthIndex(Searches& m, int placement, const int* monthStarts) {
    const auto lacksTerm = [&](int i) {
        return !m.hasPrincipalTerm(monthStarts[i], monthStarts[i + 1] - 1);
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

BuiltLunarYear buildYear(Searches& m, int year) {
    const YearStart start = yearStart(m, year);
    const int months = start.placement == 0 ? 12 : 13;
    int monthStarts[15] = {};  // 1-based; monthStarts[months + 1] is the next 正月
    monthStarts[1] = start.newYearDay;
    for (int i = 2; i <= months + 1; ++i)
        monthStarts[i] = m.nextNewMoonDay(monthStarts[i - 1] + 20);
    const auto sizeDigit = [&](int i) {
        return monthStarts[i + 1] - monthStarts[i] == 30 ? '1' : '0';
    };

    BuiltLunarYear built;
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

// Builds one year with a memo of its own.
BuiltLunarYear buildAlone(const CalendarContext& context, int year) {
    Memo memo;
    Searches searches{context, memo};
    return buildYear(searches, year);
}

}  // namespace

std::string buildLunarYearRecord(const CalendarContext& context, int year) {
    if (!inRange(year)) return "";
    const BuiltLunarYear built = buildAlone(context, year);
    return {built.text.data(), built.text.size()};
}

int leapPlacement(const CalendarContext& context, int year) {
    if (!inRange(year)) return 0;
    Memo memo;
    Searches searches{context, memo};
    return yearStart(searches, year).placement;
}

std::string solsticeYearCode(const CalendarContext& context, int year) {
    if (!inRange(year)) return "";
    Memo memo;
    Searches searches{context, memo};
    const YearStart start = solsticeRuleStart(searches, year);
    const CivilDate newYear = civilDateFromDayNumber(start.newYearDay);
    return {static_cast<char>('0' + start.placement), static_cast<char>('0' + newYear.month % 10),
            static_cast<char>('0' + newYear.day / 10), static_cast<char>('0' + newYear.day % 10)};
}

LunarYearCache::LunarYearCache(const CalendarContext& context)
    : context_(context), years_(FirstLunarYear, LastLunarYear), memo_(std::make_unique<Memo>()) {}

LunarYearCache::~LunarYearCache() = default;

const BuiltLunarYear* LunarYearCache::year(int year) const {
    return years_.get(year, [this](int y) {
        // The shared memo serves one build at a time; a build that finds it in use by another
        // thread searches with a memo of its own.
        std::unique_lock<std::mutex> lock(memoMutex_, std::try_to_lock);
        if (!lock.owns_lock()) return buildAlone(context_, y);
        Searches searches{context_, *memo_};
        return buildYear(searches, y);
    });
}

std::string_view LunarYearCache::record(int year) const {
    const BuiltLunarYear* built = this->year(year);
    if (built == nullptr) return {};
    return {built->text.data(), built->text.size()};
}

int LunarYearCache::newYearDay(int year) const {
    const BuiltLunarYear* built = this->year(year);
    return built == nullptr ? InvalidDayNumber : built->newYearDay;
}

void LunarYearCache::prefetch(int first, int last) const {
    first = std::max(first, FirstLunarYear);
    last = std::min(last, LastLunarYear);
    if (first > last) return;
    // Each half is built in year order on its own thread, with a memo of its own.
    const auto buildRange = [this](int from, int to) {
        Memo memo;
        Searches searches{context_, memo};
        for (int y = from; y <= to; ++y) {
            if (!years_.has(y)) years_.put(y, buildYear(searches, y));
        }
    };
    const int middle = first + (last - first) / 2;
    try {
        std::thread worker(buildRange, middle + 1, last);
        buildRange(first, middle);
        worker.join();
    } catch (const std::system_error&) {  // no second thread: build the rest here
        buildRange(first, middle);
        buildRange(middle + 1, last);
    }
}

}  // namespace tavomerix
