#include "astro/historical_reckoning.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/new_moon_corrections.h"
#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/calendar_context.h"

namespace tavomerix {
namespace {

constexpr double OneSecondDays = 1.0 / 86400;

TEST(TermEras, CoverTheTableWithoutGaps) {
    const auto eras = termEras();
    ASSERT_EQ(39u, eras.size());
    EXPECT_EQ(FirstHistoricalTermDay, eras.front().firstDay);
    EXPECT_EQ(LastHistoricalTermDay, eras.back().lastDay);
    for (size_t i = 1; i < eras.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i + 1);
        EXPECT_EQ(eras[i - 1].lastDay + 1, eras[i].firstDay);
        EXPECT_LT(eras[i].firstDay + 4, eras[i].lastDay);
    }
}

TEST(EraTermInstant, FirstFourDaysOfARowBehaveAsTheFifth) {
    for (const TermEra& e : termEras()) {
        for (TermKind kind : {TermKind::Any, TermKind::Principal}) {
            for (int i = 0; i < 4; ++i) {
                SCOPED_TRACE(testing::Message()
                             << "day " << e.firstDay + i << " kind " << static_cast<int>(kind));
                EXPECT_EQ(eraTermInstant(e.firstDay + 4, kind),
                          eraTermInstant(e.firstDay + i, kind));
                EXPECT_EQ(eraTermNumber(e.firstDay + 4), eraTermNumber(e.firstDay + i));
            }
        }
    }
}

TEST(EraTermInstant, RowsMeetAtTheirBoundaries) {
    // Each day is served by its own row's year and epoch, never by a neighbour's.
    const struct {
        int day;
        double yearLengthDays, epoch;
    } Cases[] = {
        {1683436, 365.25, 1683431},                      // row 1, fifth day
        {1752098, 365.25, 1683431},                      // row 1, last day
        {1752103, 365.25, 1662611},                      // row 2, fifth day
        {1883585, 365 + 455.0 / 1843, 330191},           // row 3, last day
        {1883590, 365 + 75.0 / 304, 1798480.12554825},   // row 4, fifth day
        {2073144, 365.2445, -26550639529.0},             // row 15, last day
        {2162264, 365.2425, 758271.18},                  // row 30, last day
        {2188926, 365 + 1274.0 / 5230, -32372914549.0},  // row 35, last day
        {2322133, 365.2425, 2188926.06},                 // row 36, last day
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "day " << c.day);
        EXPECT_NEAR(meanTermAtOrAfter(c.day, TermKind::Any, c.epoch, c.yearLengthDays),
                    eraTermInstant(c.day, TermKind::Any), 1e-6);
        EXPECT_EQ(meanTermNumber(c.day, c.epoch, c.yearLengthDays), eraTermNumber(c.day));
    }
    EXPECT_EQ(historicalTermAtOrAfter(TrueSunModel::A, 2322138, TermKind::Any),
              eraTermInstant(2322134, TermKind::Any));
    EXPECT_EQ(historicalTermAtOrAfter(TrueSunModel::A, 2336118, TermKind::Any),
              eraTermInstant(2336118, TermKind::Any));
    EXPECT_EQ(historicalTermAtOrAfter(TrueSunModel::C, 2410263, TermKind::Any),
              eraTermInstant(2410263, TermKind::Any));
    EXPECT_EQ(0, eraTermInstant(FirstHistoricalTermDay - 1, TermKind::Any));
    EXPECT_EQ(0, eraTermNumber(LastHistoricalTermDay + 1));
}

TEST(EraTermInstant, WinterSolsticeOf1280) {
    // Both rows that meet at the end of 1280 put its 冬至 on day 2188926; row 36 then
    // counts every term in steps of 365.2425 / 24 from 2188926.06.
    EXPECT_EQ(2188926, floorToInt(eraTermInstant(2188900, TermKind::Principal)));
    EXPECT_EQ(24, eraTermNumber(2188926));
    EXPECT_NEAR(2188941.2784375, eraTermInstant(2188927, TermKind::Any), 1e-6);  // 小寒 of 1281
    EXPECT_EQ(1, eraTermNumber(2188927));
    EXPECT_NEAR(2189291.3025, eraTermInstant(2189280, TermKind::Principal), 1e-6);  // 冬至 of 1281
    EXPECT_EQ(24, eraTermNumber(2189291));
    EXPECT_EQ(1, eraTermNumber(2189292));
}

TEST(HistoricalTermAtOrAfter, TrueSunModelsFollowTheSun) {
    // The Qing models agree with modern astronomy to within hours.
    const struct {
        int firstDay, lastDay;
        double toleranceDays;
    } Cases[] = {
        {2322138, 2336118, 0.2},   // model A
        {2336123, 2357303, 0.2},   // model B
        {2357308, 2410263, 0.05},  // model C
    };
    for (const auto& c : Cases) {
        for (int day = c.firstDay; day < c.lastDay; day += 311) {
            SCOPED_TRACE(testing::Message() << "day " << day);
            const double reckoned = eraTermInstant(day, TermKind::Any);
            const int k = eraTermNumber(day);
            const CalendarContext context{8, Regime::Modern};
            EXPECT_NEAR(solarTermInstant(context, floorToInt(reckoned) - 3, k), reckoned,
                        c.toleranceDays);
        }
    }
}

TEST(InterpolatedTermAtOrAfter, DailyScan) {
    // Longitudes changing by a fixed amount per day from a given value at day 100.
    struct Line {
        double atDay100, perDay;
        double operator()(int d) const {
            const double x = std::fmod(atDay100 + (d - 100) * perDay, 360.0);
            return x < 0 ? x + 360 : x;
        }
    };
    const struct {
        Line longitude;
        double step, expected;
    } Cases[] = {
        {{45, 1}, 15, 100},       // exactly on a term: that day itself
        {{44.5, 1}, 15, 100.5},   // crossing inside the first day
        {{46, 1}, 15, 114},       // next multiple of 15
        {{46, 1}, 30, 114},       // next multiple of 30
        {{359.5, 1}, 15, 100.5},  // crossing 360 into the next day
        {{350, 2}, 30, 105},      // crossing 360, steps of 30
        {{0, 1}, 30, 100},        // 0 is a multiple
        {{200, 0.25}, 15, 140},   // no crossing within 21 days: extrapolated from day 120
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.longitude.atDay100 << " + " << c.longitude.perDay
                                        << "/day, step " << c.step);
        EXPECT_NEAR(c.expected, interpolatedTermAtOrAfter(c.longitude, 100, c.step), 1e-9);
    }
}

TEST(NewMoonCorrections, StrictlyIncreasingSets) {
    int plus = 0, minus = 0;
    for (size_t i = 0; i < std::size(NewMoonDayShifts); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        if (i > 0) {
            EXPECT_LT(NewMoonDayShifts[i - 1].day, NewMoonDayShifts[i].day);
        }
        (NewMoonDayShifts[i].shift > 0 ? plus : minus) += 1;
        EXPECT_EQ(1, std::abs(NewMoonDayShifts[i].shift));
    }
    EXPECT_EQ(595u, std::size(NewMoonDayShifts));
    EXPECT_EQ(477, plus);
    EXPECT_EQ(118, minus);
    EXPECT_EQ(1947877, NewMoonDayShifts[0].day);  // 620-12-30
    EXPECT_EQ(-1, NewMoonDayShifts[0].shift);
    EXPECT_EQ(2422640, NewMoonDayShifts[594].day);  // 1920-11-11
    EXPECT_EQ(-1, NewMoonDayShifts[594].shift);
    for (size_t i = 1; i < std::size(NewMoonKeptDays); ++i) {
        SCOPED_TRACE(testing::Message() << "kept " << i);
        EXPECT_LT(NewMoonKeptDays[i - 1], NewMoonKeptDays[i]);
    }
}

TEST(AdjustReckonedNewMoon, DayRules) {
    const float Threshold = 0.7908f;
    const struct {
        double t, threshold, expected;
    } Cases[] = {
        {2000000.80, Threshold, 2000001},                // late in the day: next day
        {2000000.79, Threshold, 2000000.79},             // 0.79 < 0.79079997
        {2000000.7908, Threshold, 2000001},              // the 32-bit threshold is below 0.7908
        {2000000.80, 0, 2000000.80},                     // no threshold
        {2022293.80, Threshold, 2022293.80},             // kept day
        {2408022.30, Threshold, 2408023},                // listed +1
        {2422640.30, Threshold, 2422640 - 0.000011574},  // listed -1: last second before
        {2408022.95, Threshold, 2408023},                // threshold first, list not applied
        {1947876.30, 0, 1947876.30},                     // next to a listed day
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << std::fixed << c.t << " threshold " << c.threshold);
        EXPECT_NEAR(c.expected, adjustReckonedNewMoon(c.t, c.threshold), 1e-9);
    }
}

TEST(NextNewMoonReckoned, OnOrAfterTheDay) {
    const CalendarContext context{8, Regime::Historical};
    constexpr double OneMinuteDays = 1.0 / 1440;
    // The first new moon of 2000, 2000-01-07 02:14 local, has no correction.
    EXPECT_NEAR(2451551.0928, nextNewMoonReckoned(context, 2451545, 0), OneMinuteDays);
    EXPECT_NEAR(2451551.0928, nextNewMoonReckoned(context, 2451551, 0), OneMinuteDays);
    EXPECT_NEAR(2451580.877, nextNewMoonReckoned(context, 2451552, 0),
                5 * OneMinuteDays);  // 02-05 21:03
    // 2422640 is listed -1: the new moon counts on the day before.
    EXPECT_NEAR(2422640 - OneSecondDays, nextNewMoonReckoned(context, 2422630, 0),
                0.2 * OneSecondDays);
}

}  // namespace
}  // namespace tavomerix
