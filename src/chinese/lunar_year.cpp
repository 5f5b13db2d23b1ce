#include "chinese/lunar_year.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "chinese/phase_days.h"

namespace tavomerix {
namespace {

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

// Solstice rule: months begin at new moons, the month holding 冬至 is 冬月, and a 13-month
// span between two 冬月 takes its leap month where a month lacks a principal term.
LunarYearStart solsticeRuleStart(Searches& m, int year) {
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

LunarYearStart yearStart(Searches& m, int year) {
    if (!m.context.modernAstronomy() && isMeanRuleYear(year))
        return {meanYearHasLeap(year) ? 1 : 0, meanNewYearDay(year)};
    return solsticeRuleStart(m, year);
}

// Position (2..13) of the leap month among the 13 months whose first days are
// monthStarts[0..12] (monthStarts[13] is the next 正月初一).
int leapMonthPosition(Searches& m, int placement, const std::array<int, 14>& monthStarts) {
    const auto lacksTerm = [&](int sequence) {
        return !m.hasPrincipalTerm(monthStarts[sequence - 1], monthStarts[sequence] - 1);
    };
    if (placement == 2) return lacksTerm(12) ? 12 : 13;  // 闰冬月 or 闰腊月
    // The first month after 正月 without a principal term. When the mean rule grants a
    // leap month that the principal terms do not place (every month holds one, or only
    // 正月 lacks one), the thirteenth month is the leap month (闰腊月): 正月 stays on the
    // mean new-year day, the sizes still add up to the span between the two new years, and
    // the record keeps its layout. Solstice-rule years never reach that case, because
    // their 正月 always holds a principal term.
    for (int sequence = 2; sequence <= 13; ++sequence) {
        if (lacksTerm(sequence)) return sequence;
    }
    return 13;
}

LunarYear buildYear(Searches& m, int year) {
    const LunarYearStart start = yearStart(m, year);
    LunarYear built;
    built.year = year;
    built.monthCount = start.placement == 0 ? 12 : 13;
    built.monthStarts[0] = start.newYearDay;
    for (int i = 1; i <= built.monthCount; ++i)
        built.monthStarts[i] = m.nextNewMoonDay(built.monthStarts[i - 1] + 20);
    if (start.placement != 0)
        built.leapMonth = leapMonthPosition(m, start.placement, built.monthStarts) - 1;
    return built;
}

bool inRange(int year) { return year >= FirstLunarYear && year <= LastLunarYear; }

// Builds one year with a memo of its own.
LunarYear buildAlone(const CalendarContext& context, int year) {
    Memo memo;
    Searches searches{context, memo};
    return buildYear(searches, year);
}

// Characters of a record: positions of the leap digit, the leap size and the new-year
// month digit, and the leap digits.
constexpr int LeapDigitPosition = 12;
constexpr int LeapSizePosition = 13;
constexpr int NewYearMonthPosition = 14;
constexpr std::string_view LeapDigits = "0123456789ABC";

char sizeDigit(int days) { return days == 30 ? '1' : '0'; }

char decimalDigit(int n) { return static_cast<char>('0' + n); }

const LunarYear NoLunarYear{};

}  // namespace

std::string lunarYearRecord(const LunarYear& year) {
    if (!year.valid()) return "";
    std::string text(LunarYearRecordLength, '0');
    int position = 0;
    for (int sequence = 1; sequence <= year.monthCount; ++sequence) {
        const char size = sizeDigit(year.monthDaysAt(sequence));
        if (year.leapMonth != 0 && sequence == year.leapMonth + 1) {
            text[LeapSizePosition] = size;
        } else {
            text[position++] = size;
        }
    }
    text[LeapDigitPosition] = LeapDigits[year.leapMonth];
    const CivilDate newYear = year.newYearDate();
    text[NewYearMonthPosition] = decimalDigit(newYear.month % 10);
    text[NewYearMonthPosition + 1] = decimalDigit(newYear.day / 10);
    text[NewYearMonthPosition + 2] = decimalDigit(newYear.day % 10);
    return text;
}

LunarYear lunarYearOfRecord(int year, std::string_view record) {
    if (!inRange(year) || record.size() != LunarYearRecordLength) return {};
    const auto isSize = [](char c) { return c == '0' || c == '1'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!std::all_of(record.begin(), record.begin() + LeapDigitPosition, isSize)) return {};
    const std::size_t leap = LeapDigits.find(record[LeapDigitPosition]);
    const char leapSize = record[LeapSizePosition];
    if (leap == std::string_view::npos || !isSize(leapSize) || (leap == 0 && leapSize == '1'))
        return {};
    if (!std::all_of(record.begin() + NewYearMonthPosition, record.end(), isDigit)) return {};
    const CivilDate newYear{
        year, record[NewYearMonthPosition] - '0',
        (record[NewYearMonthPosition + 1] - '0') * 10 + (record[NewYearMonthPosition + 2] - '0')};
    if (!isValidDate(newYear)) return {};

    LunarYear parsed;
    parsed.year = year;
    parsed.leapMonth = static_cast<int>(leap);
    parsed.monthCount = leap == 0 ? 12 : 13;
    parsed.monthStarts[0] = julianDayNumber(newYear);
    int position = 0;
    for (int sequence = 1; sequence <= parsed.monthCount; ++sequence) {
        const bool isLeap = leap != 0 && sequence == parsed.leapMonth + 1;
        const char size = isLeap ? leapSize : record[position++];
        parsed.monthStarts[sequence] = parsed.monthStarts[sequence - 1] + (size == '1' ? 30 : 29);
    }
    return parsed;
}

LunarYear buildLunarYear(const CalendarContext& context, int year) {
    return inRange(year) ? buildAlone(context, year) : LunarYear{};
}

int leapPlacement(const CalendarContext& context, int year) {
    if (!inRange(year)) return 0;
    Memo memo;
    Searches searches{context, memo};
    return yearStart(searches, year).placement;
}

LunarYearStart solsticeRuleYearStart(const CalendarContext& context, int year) {
    if (!inRange(year)) return {};
    Memo memo;
    Searches searches{context, memo};
    return solsticeRuleStart(searches, year);
}

LunarYearCache::LunarYearCache(const CalendarContext& context)
    : context_(context), years_(FirstLunarYear, LastLunarYear), memo_(std::make_unique<Memo>()) {}

LunarYearCache::~LunarYearCache() = default;

const LunarYear& LunarYearCache::year(int year) const {
    const LunarYear* built = years_.get(year, [this](int y) {
        // The shared memo serves one build at a time; a build that finds it in use by another
        // thread searches with a memo of its own.
        std::unique_lock<std::mutex> lock(memoMutex_, std::try_to_lock);
        if (!lock.owns_lock()) return buildAlone(context_, y);
        Searches searches{context_, *memo_};
        return buildYear(searches, y);
    });
    return built == nullptr ? NoLunarYear : *built;
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
