#include "dayinfo/four_pillars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "astro/solar_terms.h"
#include "astro/time_scales.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "chinese/year_events.h"

namespace tavomerix {
namespace {

const LunarCalendar& calendarOf(Regime regime) { return LunarCalendar::shared({8, regime}); }

std::string pillarsText(const FourPillars& p) {
    std::string text;
    for (const int g : p.ganzhi) text += ganzhiName(g);
    return text;
}

// The extremes of the equation of time near 2000: about -14 min 14 s (11-12 February) and
// +16 min 25 s (3 November), within two seconds.
TEST(EquationOfTime, ExtremesOfTheYear) {
    double least = 1, most = -1;
    const double feb = julianDayNumber(2000, 2, 5) - 0.5;
    const double nov = julianDayNumber(2000, 10, 28) - 0.5;
    for (double h = 0; h < 14 * 24; ++h) {
        least = std::min(least, equationOfTime(feb + h / 24));
        most = std::max(most, equationOfTime(nov + h / 24));
    }
    EXPECT_NEAR(-(14 * 60 + 14), least * 86400, 2);
    EXPECT_NEAR(16 * 60 + 25, most * 86400, 2);
    EXPECT_NEAR(0, equationOfTime(julianDayNumber(2000, 4, 15)), 60.0 / 86400);  // near zero
}

TEST(FourPillars, ExampleAndTrueSolarTime) {
    const LunarCalendar& calendar = calendarOf(Regime::Historical);
    const FourPillars p =
        fourPillars(calendar, {1990, 5, 17}, 14 * 3600 + 30 * 60, ZiHour::Late, 116.4);
    ASSERT_TRUE(p.valid());
    EXPECT_EQ("庚午辛巳壬午丁未", pillarsText(p));
    EXPECT_EQ(ganzhiDay({1990, 5, 17}), p.ganzhi[2]);
    EXPECT_EQ(9, p.jie.number);                      // 立夏
    EXPECT_EQ(-(14 * 60 + 24), p.longitudeSeconds);  // Beijing's longitude against UTC+8
    EXPECT_EQ(p.longitudeSeconds + p.equationSeconds, p.correctionSeconds);
    EXPECT_NEAR(3 * 60 + 40, p.equationSeconds, 3);
    EXPECT_EQ(julianDayNumber(1990, 5, 17), p.solarDay);
    EXPECT_EQ(14 * 3600 + 30 * 60 + p.correctionSeconds, p.solarSecond);
    EXPECT_EQ((std::array<int, 4>{(p.ganzhi[0] - 1) / 2 + 1, (p.ganzhi[1] - 1) / 2 + 1,
                                  (p.ganzhi[2] - 1) / 2 + 1, (p.ganzhi[3] - 1) / 2 + 1}),
              p.naYin);
    // Without a longitude the civil clock serves.
    const FourPillars civil =
        fourPillars(calendar, {1990, 5, 17}, 14 * 3600 + 30 * 60, ZiHour::Late, {});
    EXPECT_FALSE(civil.trueSolarTime);
    EXPECT_EQ(0, civil.correctionSeconds);
    EXPECT_EQ(p.ganzhi, civil.ganzhi);
}

// The hour 23:00-24:00, and a true solar time on the day before the civil one.
TEST(FourPillars, DayAndHourAtTheirEdges) {
    const LunarCalendar& calendar = calendarOf(Regime::Modern);
    const struct {
        int second;
        ZiHour zi;
        std::optional<double> longitude;
        const char* dayAndHour;
    } Cases[] = {
        {23 * 3600 + 30 * 60, ZiHour::Late, {}, "甲辰丙子"},   // 2024-02-10, late 子 hour
        {23 * 3600 + 30 * 60, ZiHour::Early, {}, "乙巳丙子"},  // the next day's 子 hour
        {22 * 3600 + 59 * 60 + 59, ZiHour::Early, {}, "甲辰乙亥"},
        {30 * 60, ZiHour::Late, {}, "甲辰甲子"},
        {3600, ZiHour::Late, {}, "甲辰乙丑"},
        {10 * 60, ZiHour::Late, 90.0, "癸卯癸亥"},               // solar time 21:46 of 02-09
        {23 * 3600 + 50 * 60, ZiHour::Late, 135.0, "乙巳丙子"},  // solar time 00:36 of 02-11
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.dayAndHour);
        const FourPillars p = fourPillars(calendar, {2024, 2, 10}, c.second, c.zi, c.longitude);
        ASSERT_TRUE(p.valid());
        EXPECT_EQ(c.dayAndHour, ganzhiName(p.ganzhi[2]) + ganzhiName(p.ganzhi[3]));
    }
}

TEST(FourPillars, InputOutOfRange) {
    const LunarCalendar& calendar = calendarOf(Regime::Historical);
    EXPECT_FALSE(fourPillars(calendar, {9001, 1, 1}, 0, ZiHour::Late, {}).valid());
    EXPECT_FALSE(fourPillars(calendar, {-9000, 12, 31}, 0, ZiHour::Late, {}).valid());
    EXPECT_FALSE(fourPillars(calendar, {2024, 2, 30}, 0, ZiHour::Late, {}).valid());
    EXPECT_FALSE(fourPillars(calendar, {2024, 2, 10}, 86400, ZiHour::Late, {}).valid());
    EXPECT_FALSE(fourPillars(calendar, {2024, 2, 10}, -1, ZiHour::Late, {}).valid());
    EXPECT_FALSE(fourPillars(calendar, {2024, 2, 10}, 0, ZiHour::Late, 180.5).valid());
    EXPECT_FALSE(fourPillars(calendar, {2024, 2, 10}, 0, ZiHour::Late,
                             std::numeric_limits<double>::quiet_NaN())
                     .valid());
    EXPECT_TRUE(fourPillars(calendar, {-8999, 1, 1}, 0, ZiHour::Late, -180.0).valid());
    EXPECT_TRUE(fourPillars(calendar, {9000, 12, 31}, 86399, ZiHour::Early, 180.0).valid());
}

// The month pillar changes at the instant of each 节 and the year pillar at 立春: one second
// before the instant (rounded up to a whole second) the old pillar, at it the new one.
TEST(FourPillars, MonthChangesAtTheInstantOfEachJie) {
    for (const Regime regime : {Regime::Historical, Regime::Modern}) {
        const LunarCalendar& calendar = calendarOf(regime);
        for (const int year : {-100, 1, 1900, 2024}) {
            for (const TermEvent& e : termsOfYear(calendar, year)) {
                if (e.number % 2 == 0) continue;
                const int day = static_cast<int>(std::floor(e.instant));
                const int second = static_cast<int>(std::ceil((e.instant - day) * 86400 - 1e-6));
                if (second < 1 || second >= 86400) continue;
                SCOPED_TRACE(std::to_string(year) + " " + std::to_string(e.number));
                const CivilDate date = civilDateFromDayNumber(day);
                const FourPillars before =
                    fourPillars(calendar, date, second - 1, ZiHour::Late, {});
                const FourPillars after = fourPillars(calendar, date, second, ZiHour::Late, {});
                ASSERT_TRUE(before.valid() && after.valid());
                EXPECT_EQ(e.number, after.jie.number);
                EXPECT_EQ((e.number + 21) % 24 + 1, before.jie.number);
                EXPECT_EQ(before.ganzhi[1] % 60 + 1, after.ganzhi[1]);
                EXPECT_EQ(e.number == Lichun ? before.ganzhi[0] % 60 + 1 : before.ganzhi[0],
                          after.ganzhi[0]);
                EXPECT_EQ(before.ganzhi[2], after.ganzhi[2]);
            }
        }
    }
}

}  // namespace
}  // namespace tavomerix
