#include "chinese/lunar_year.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/phase_days.h"

namespace tavomerix {

// A year as gtest prints it: its number and its record.
void PrintTo(const LunarYear& year, std::ostream* out) {
    *out << year.year << ' ' << lunarYearRecord(year);
}

namespace {

constexpr int Modern = 1;
constexpr int Historical = 0;

TEST(LunarYearRecord, PublishedYears) {
    // Sizes from the published new-moon days (UTC+8) of each year.
    const struct {
        int year;
        const char* record;
    } Cases[] = {
        {2023, "01011011010120122"},  // 闰二月小 2023-03-22..04-19, 正月初一 01-22
        {2024, "01001011011000210"},  // no leap month, 正月初一 02-10
    };
    for (int flag : {Historical, Modern}) {
        const CalendarContext context{8, flag == Modern ? Regime::Modern : Regime::Historical};
        const LunarCalendar& calendar = LunarCalendar::shared(context);
        for (const auto& c : Cases) {
            SCOPED_TRACE(testing::Message() << c.year << " flag " << flag);
            EXPECT_EQ(c.record, lunarYearRecord(calendar.lunarYear(c.year)));
            EXPECT_EQ(c.record, lunarYearRecord(buildLunarYear(context, c.year)));
        }
    }
}

TEST(LunarYearRecord, LeapMonths) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year;
        int leapMonth;
        int newYearMonth, newYearDay;
        int placement;
    } Cases[] = {
        {1984, 10, 2, 2, 1},   // 闰十月
        {2017, 6, 1, 28, 1},   // 闰六月
        {2020, 4, 1, 25, 1},   // 闰四月
        {2033, 11, 1, 31, 2},  // 闰冬月 after 冬月
        {2034, 0, 2, 19, 0},   // follows a 闰冬月: third new moon after 冬月
        {2025, 6, 1, 29, 1},   // 闰六月
        {2026, 0, 2, 17, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        const LunarYear& year = calendar.lunarYear(c.year);
        EXPECT_EQ(c.leapMonth, year.leapMonth);
        EXPECT_EQ(c.leapMonth == 0 ? 12 : 13, year.monthCount);
        EXPECT_EQ((CivilDate{c.year, c.newYearMonth, c.newYearDay}), year.newYearDate());
        EXPECT_EQ(julianDayNumber(c.year, c.newYearMonth, c.newYearDay),
                  calendar.newYearDay(c.year));
        EXPECT_EQ(c.placement, leapPlacement(context, c.year));
        const LunarYearStart start = solsticeRuleYearStart(context, c.year);
        EXPECT_EQ(c.placement, start.placement);
        EXPECT_EQ(calendar.newYearDay(c.year), start.newYearDay);
    }
    // A 13th month after 冬月 puts more than 380 days between two new years.
    EXPECT_LT(380, calendar.newYearDay(2034) - calendar.newYearDay(2033));
}

TEST(LunarYearRecord, RangeEnds) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    EXPECT_EQ(LunarYear{}, calendar.lunarYear(9999));
    EXPECT_EQ(LunarYear{}, calendar.lunarYear(-9998));
    EXPECT_EQ(LunarYear{}, buildLunarYear(context, 9999));
    EXPECT_EQ("", lunarYearRecord(LunarYear{}));
    EXPECT_EQ(17u, lunarYearRecord(calendar.lunarYear(9998)).size());
    EXPECT_EQ(17u, lunarYearRecord(calendar.lunarYear(-9997)).size());
    EXPECT_EQ(0, calendar.yearLength(9999));
    EXPECT_EQ(0, leapPlacement(context, -9998));
    EXPECT_EQ(InvalidDayNumber, solsticeRuleYearStart(context, 9999).newYearDay);
    EXPECT_EQ(InvalidDayNumber, calendar.newYearDay(-9998));
}

TEST(LunarYearRecord, HistoricalRegimeBoundaries) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // New-year days of the mean-lunation calendars.
    const struct {
        int year, newYearDay, placement;
    } Cases[] = {
        {-103, 1683490, 0},  // first year of the mean rule, 22 February 104 BC
        {84, 1751765, 1},    // last year of the first calendar
        {85, 1752148, 0},    // first year of the next one
        {645, 1956677, 0},   // mean rule again
        {665, 1963971, 1},   // last mean-rule year
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.newYearDay, calendar.newYearDay(c.year));
        EXPECT_EQ(c.placement, leapPlacement(context, c.year));
        EXPECT_EQ(c.placement != 0, calendar.lunarYear(c.year).leapMonth != 0);
    }
    for (int year = -103; year <= 665; ++year) {
        SCOPED_TRACE(year);
        const bool meanRule = year <= 618 || year >= 645;
        if (meanRule) {
            EXPECT_EQ(meanYearHasLeap(year), leapPlacement(context, year));
            EXPECT_EQ(meanNewYearDay(year), calendar.newYearDay(year));
        } else {  // 619..644 follow the solstice rule
            const LunarYearStart start = solsticeRuleYearStart(context, year);
            EXPECT_EQ(start.placement, leapPlacement(context, year));
            EXPECT_EQ(start.newYearDay, calendar.newYearDay(year));
        }
    }
}

TEST(LunarYearRecord, Year1582ReadInJulianCalendar) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // 正月初一 of 1582 is 24 January (Julian), 3 February in the proleptic Gregorian count.
    EXPECT_EQ((CivilDate{1582, 1, 24}), calendar.lunarYear(1582).newYearDate());
    EXPECT_EQ(julianDayNumber(1582, 1, 24), calendar.newYearDay(1582));
    // The 355-day civil year 1582 lies inside lunar year 1582's span.
    EXPECT_EQ(calendar.newYearDay(1583), calendar.newYearDay(1582) + calendar.yearLength(1582));
}

TEST(LunarYearQueries, ValidityAndSequence) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // 2023: 正月小, 二月大, 闰二月小, ..., 腊月大. 2024: no leap, 腊月小. 1944: 闰四月大.
    const struct {
        int year, month, day, valid, sequence;
    } Cases[] = {
        {2023, 1, 29, 1, 1},  {2023, 1, 30, 0, 0},    // 正月 has 29 days
        {2023, 2, 30, 1, 2},  {2023, 14, 1, 1, 3},    // 闰二月 after 二月
        {2023, 14, 29, 1, 3}, {2023, 14, 30, 0, 0},   // the leap month has 29 days
        {2023, 3, 1, 1, 4},   {2023, 12, 30, 1, 13},  // later months move one place
        {2023, 15, 1, 0, 0},  {2024, 14, 1, 0, 0},    // leap months the year lacks
        {2024, 12, 1, 1, 12}, {2023, 0, 1, 0, 0},    {2023, 25, 1, 0, 0},
        {2023, 1, 0, 0, 0},   {1944, 16, 30, 1, 5},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '/' << c.month << '/' << c.day);
        EXPECT_EQ(c.valid, calendar.isValidDate(c.year, c.month, c.day));
        if (c.day == 1 || c.valid == 1) {
            EXPECT_EQ(c.sequence, calendar.monthSequence(c.year, c.month));
        }
    }
}

TEST(LunarYearQueries, MonthAtSequence) {
    const CalendarContext context{8, Regime::Modern};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        int year, sequence, sizedMonth;
    } Cases[] = {
        {1944, 5, 40},                                 // 30-day 闰四月: 16 + 24
        {2017, 7, 42},                                 // 30-day 闰六月
        {2020, 5, 16},                                 // 29-day 闰四月
        {2023, 1, 1},                                  // 正月小
        {2023, 2, 26},                                 // 二月大
        {2023, 3, 14},                                 // 闰二月小
        {2023, 13, 36},                                // 腊月大
        {2023, 14, 0},  {2023, 0, 0}, {2024, 12, 12},  // 腊月小
        {2024, 13, 0},                                 // no 13th month without a leap month
        {9999, 1, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << " #" << c.sequence);
        EXPECT_EQ(c.sizedMonth, calendar.monthAtSequence(c.year, c.sequence));
    }
}

// Another regime is another calendar: each keeps its own records side by side.
TEST(LunarCalendar, EachContextKeepsItsOwnRecords) {
    const LunarCalendar& historical = LunarCalendar::shared({8, Regime::Historical});
    const LunarCalendar& modern = LunarCalendar::shared({8, Regime::Modern});
    const LunarYear historicalYear = historical.lunarYear(84);
    const LunarYear modernYear = modern.lunarYear(84);
    EXPECT_EQ(modernYear, buildLunarYear({8, Regime::Modern}, 84));
    EXPECT_EQ(historicalYear, buildLunarYear({8, Regime::Historical}, 84));
    EXPECT_EQ(historicalYear, historical.lunarYear(84));
    // The two regimes disagree on year 84 (mean new year 01-27 against the solstice rule).
    EXPECT_NE(lunarYearRecord(historicalYear), lunarYearRecord(modernYear));
    EXPECT_EQ((CivilDate{84, 1, 27}), historicalYear.newYearDate());
    // A zone other than 8 is reckoned by modern astronomy whatever the regime asked for.
    EXPECT_EQ(&LunarCalendar::shared({5, Regime::Historical}),
              &LunarCalendar::shared({5, Regime::Modern}));
    EXPECT_NE(&historical, &modern);
}

TEST(LunarYearCache, PrefetchEqualsColdBuilds) {
    for (int flag : {Historical, Modern}) {
        const CalendarContext context{8, flag == Modern ? Regime::Modern : Regime::Historical};
        const LunarCalendar calendar(context);  // an empty cache of its own
        calendar.prefetch(610, 670);            // spans the mean-rule gap and its ends
        for (int year = 610; year <= 670; ++year) {
            SCOPED_TRACE(testing::Message() << year << " flag " << flag);
            // A build of its own uses no memo from neighbouring years.
            EXPECT_EQ(buildLunarYear(context, year), calendar.lunarYear(year));
        }
    }
}

// Checks what every year must satisfy, that consecutive years tile the day count, and that
// the year's record reads back as the same year.
void expectWellFormed(const LunarCalendar& calendar, int first, int last) {
    for (int year = first; year <= last; ++year) {
        const LunarYear& lunar = calendar.lunarYear(year);
        bool months = lunar.monthCount == (lunar.leapMonth == 0 ? 12 : 13);
        for (int sequence = 1; sequence <= lunar.monthCount; ++sequence) {
            const int days = lunar.monthDaysAt(sequence);
            months = months && (days == 29 || days == 30);
        }
        const int length = lunar.length();
        const std::string record = lunarYearRecord(lunar);
        if (!months || lunar.year != year || length < 353 || length > 385 ||
            lunar.newYearDate().year != year || lunarYearOfRecord(year, record) != lunar ||
            (year < last && calendar.newYearDay(year + 1) != lunar.monthStarts[lunar.monthCount])) {
            ADD_FAILURE() << "year " << year << " record " << record << " length " << length;
        }
    }
}

// Every 7th day of the convertible range goes to the lunar calendar and back (days of -8999
// before its new year belong to lunar year -9000, which does not convert back).
void expectSampleRoundTrips(const LunarCalendar& calendar) {
    const int first = julianDayNumber(FirstConvertibleYear, 1, 1);
    const int last = julianDayNumber(LastConvertibleYear, 12, 31);
    int failures = 0;
    for (int jdn = first; jdn <= last && failures < 10; jdn += 7) {
        const CivilDate d = civilDateFromDayNumber(jdn);
        const LunarDate lunar = solarToLunar(calendar, d);
        const int back = lunarToDayNumber(calendar, lunar);
        if (lunar.year != FirstConvertibleYear - 1 && back != jdn) {
            ++failures;
            ADD_FAILURE() << "day " << jdn << " came back as " << back;
        }
    }
}

// The whole range in both regimes; the years are built once on both threads and shared by
// the checks.
TEST(LunarYearCache, EveryYearWellFormed) {
    for (const Regime regime : {Regime::Modern, Regime::Historical}) {
        SCOPED_TRACE(regime == Regime::Modern ? "modern" : "historical");
        const LunarCalendar& calendar = LunarCalendar::shared({8, regime});
        calendar.prefetch(FirstLunarYear, LastLunarYear);
        expectWellFormed(calendar, FirstLunarYear, LastLunarYear);
        if (regime == Regime::Modern) expectSampleRoundTrips(calendar);
    }
}

TEST(LunarYearRecord, ReadBack) {
    const int start2023 = julianDayNumber(2023, 1, 22);
    const LunarYear year2023 = lunarYearOfRecord(2023, "01011011010120122");
    EXPECT_EQ(2, year2023.leapMonth);  // 闰二月小 at the third place
    EXPECT_EQ(13, year2023.monthCount);
    EXPECT_EQ(start2023, year2023.newYearDay());
    EXPECT_EQ(start2023 + 29 + 30, year2023.monthStarts[2]);
    EXPECT_EQ(29, year2023.monthDays(14));
    EXPECT_EQ(384, year2023.length());
    // Texts that are no record of their year.
    const struct {
        int year;
        const char* text;
    } Rejected[] = {
        {2024, "0100101101100021"},    // 16 characters
        {2024, "010010110110002100"},  // 18 characters
        {2024, "21001011011000210"},   // a size other than 0 or 1
        {2024, "010010110110D0210"},   // leap digit past C
        {2024, "010010110110a0210"},   // lower-case leap digit
        {2024, "01001011011001210"},   // a leap size without a leap month
        {2024, "01001011011000230"},   // 02-30
        {2024, "01001011011000010"},   // month 0
        {2024, "0100101101100021x"},   // not a digit
        {9999, "01001011011000210"},   // a year without records
    };
    for (const auto& c : Rejected) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LunarYear{}, lunarYearOfRecord(c.year, c.text));
    }
}

// Years first..last (every step-th) as the plain series and the secant solver
// alone build them, each from an empty memo.
std::vector<LunarYear> referenceYears(CalendarContext context, int first, int last, int step) {
    context.engine = Engine::Reference;
    std::vector<LunarYear> years;
    for (int year = first; year <= last; year += step) {
        years.push_back(buildLunarYear(context, year));
    }
    return years;
}

// The fast engine (through the two-thread prefetch for whole spans) builds the same years.
void expectReferenceRecords(int flag, int first, int last, int step) {
    const CalendarContext context{8, flag == Modern ? Regime::Modern : Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const std::vector<LunarYear> expected = referenceYears(context, first, last, step);
    if (step == 1) calendar.prefetch(first, last);
    std::size_t i = 0;
    for (int year = first; year <= last; year += step, ++i) {
        SCOPED_TRACE(testing::Message() << "year " << year << " flag " << flag);
        EXPECT_EQ(expected[i], calendar.lunarYear(year));
    }
}

TEST(LunarYearRecord, FastEngineBuildsThePlainRecordsModern) {
    expectReferenceRecords(Modern, 1500, 2500, 1);
}

TEST(LunarYearRecord, FastEngineBuildsThePlainRecordsHistorical) {
    expectReferenceRecords(Historical, -103, 1886, 1);
}

TEST(LunarYearRecord, FastEngineBuildsThePlainRecordsWholeRange) {
    expectReferenceRecords(Modern, FirstLunarYear, LastLunarYear, 199);
    expectReferenceRecords(Historical, FirstLunarYear + 50, LastLunarYear, 199);
}

}  // namespace
}  // namespace tavomerix
