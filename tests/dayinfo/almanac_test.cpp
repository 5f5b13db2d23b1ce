#include "dayinfo/almanac.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

const LunarCalendar& historical() { return LunarCalendar::shared({8, Regime::Historical}); }

// A day number with sexagenary number g (1..60): JD 11 is 甲子.
int dayWithGanzhi(int g) { return 11 + 60 * 40000 + (g - 1); }

TEST(Almanac, ExampleDay) {
    const Almanac a = almanac(historical(), CivilDate{2024, 2, 10});
    EXPECT_EQ(
        "甲辰日  纳音 覆灯火\n"
        "建除 满  二十八宿 氐(凶)\n"
        "冲狗(戊戌)  煞南\n"
        "彭祖百忌 甲不开仓财物耗散 辰不哭泣必主重丧\n"
        "喜神 东北  福神 正北  财神 东北\n"
        "值神 金匮(黄道)\n"
        "立春 二候 蛰虫始振\n",
        almanacText(a));
    // JD, 甲辰, 覆灯火, 寅 month, 满, 氐, clash 戌 and 戊戌, 金匮, 立春 six days before, 二候.
    const std::vector<int> Numbers = {2460351, 41, 21, 3, 3, 3, 11, 35, 5, 3, 6, 2};
    EXPECT_EQ(Numbers, (std::vector<int>{a.dayNumber, a.ganzhi, a.naYin, a.monthBranch, a.officer,
                                         a.mansion, a.clashBranch, a.clashGanzhi, a.spirit, a.term,
                                         a.daysSinceTerm, a.pentad}));
    EXPECT_FALSE(a.mansionAuspicious);
    EXPECT_TRUE(a.yellowPath);
}

// Day stems and branches as published; term days: 秋分 1949-09-23, 立秋 2008-08-07,
// 冬至 1999-12-22, 立春 2024-02-04 (Beijing time).
TEST(Almanac, PublishedDays) {
    const struct {
        CivilDate date;
        const char* ganzhi;
        const char* naYin;
        const char* clash;  // animal, 干支 and 煞
        const char* term;   // term, 候 and its name
    } Cases[] = {
        {{1949, 10, 1}, "甲子", "海中金", "马戊午南", "秋分二候蛰虫坯户"},
        {{2000, 1, 1}, "戊午", "天上火", "鼠壬子北", "冬至三候水泉动"},
        {{2008, 8, 8}, "庚辰", "白蜡金", "狗甲戌南", "立秋初候凉风至"},
        {{2024, 2, 4}, "戊戌", "平地木", "龙壬辰北", "立春初候东风解冻"},  // term day
        {{2024, 2, 3}, "丁酉", "山下火", "兔辛卯东", "大寒三候水泽腹坚"},  // its eve
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        const Almanac a = almanac(historical(), c.date);
        EXPECT_EQ(c.ganzhi, a.ganzhiName);
        EXPECT_EQ(c.naYin, a.naYinName);
        EXPECT_EQ(c.clash,
                  std::string(a.clashAnimal) + a.clashGanzhiName + std::string(a.shaDirection));
        EXPECT_EQ(c.term, std::string(a.termName) + std::string(a.pentadOrdinal) +
                              std::string(a.pentadName));
    }
}

// The directions of the three gods by the day stem, and the 煞 by the day branch.
TEST(Almanac, DirectionsByStemAndBranch) {
    const struct {
        int ganzhi;
        const char* gods;  // 喜神 福神 财神
    } Stems[] = {
        {1, "东北正北东北"},   // 甲
        {2, "西北西南东北"},   // 乙
        {3, "西南西北西南"},   // 丙
        {4, "正南东南西南"},   // 丁
        {5, "东南东北正北"},   // 戊
        {6, "东北正北正北"},   // 己
        {7, "西北西南正东"},   // 庚
        {8, "西南西北正东"},   // 辛
        {9, "正南东南正南"},   // 壬
        {10, "东南东北正南"},  // 癸
    };
    for (const auto& c : Stems) {
        SCOPED_TRACE(c.ganzhi);
        const Almanac a = almanacOfDay(dayWithGanzhi(c.ganzhi), 3, 0);
        EXPECT_EQ(c.gods, std::string(a.joyGodDirection) + std::string(a.fortuneGodDirection) +
                              std::string(a.wealthGodDirection));
    }
    // 申子辰 南, 寅午戌 北, 亥卯未 西, 巳酉丑 东; days 1..12 have branches 子..亥.
    const char* Sha[12] = {"南", "东", "北", "西", "南", "东", "北", "西", "南", "东", "北", "西"};
    for (int g = 1; g <= 12; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(Sha[g - 1], almanacOfDay(dayWithGanzhi(g), 3, 0).shaDirection);
    }
}

// 青龙 falls on 申 in 子/午 months, 戌 in 丑/未, 子 in 寅/申, 寅 in 卯/酉, 辰 in 辰/戌, 午 in
// 巳/亥; the 节 that opens each month gives the term in effect.
TEST(Almanac, AzureDragonByMonth) {
    const struct {
        int term;    // the 节 opening the month
        int branch;  // its month branch, 1 = 子
        int dragon;  // branch of the 青龙 day
    } Cases[] = {
        {23, 1, 9}, {1, 2, 11},  {3, 3, 1},  {5, 4, 3},   {7, 5, 5},   {9, 6, 7},
        {11, 7, 9}, {13, 8, 11}, {15, 9, 1}, {17, 10, 3}, {19, 11, 5}, {21, 12, 7},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.term);
        for (int g = 1; g <= 12; ++g) {
            const Almanac a = almanacOfDay(dayWithGanzhi(g), c.term, 0);
            EXPECT_EQ(c.branch, a.monthBranch);
            EXPECT_EQ(g == c.dragon, a.spiritName == "青龙") << g;
            EXPECT_EQ(g == c.branch, a.officerName == "建") << g;
        }
        // The 气 after the 节 stays in its month.
        EXPECT_EQ(c.branch, almanacOfDay(dayWithGanzhi(1), c.term % 24 + 1, 0).monthBranch);
    }
}

TEST(Almanac, PentadEveryFiveDaysAtMostTheThird) {
    const struct {
        int days;
        int pentad;  // 0: no almanac
    } Cases[] = {
        {0, 1},  {4, 1},  {5, 2},  {9, 2},
        {10, 3}, {14, 3}, {16, 3},  // a long term stays in its third pentad
        {31, 3},                    // the longest stretch accepted
        {32, 0},                    // longer: not a term in effect
        {-1, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(c.pentad, almanacOfDay(dayWithGanzhi(1), 24, c.days).pentad);
    }
    EXPECT_EQ("雁北乡", almanacOfDay(dayWithGanzhi(1), 1, 0).pentadName);    // first row
    EXPECT_EQ("水泉动", almanacOfDay(dayWithGanzhi(1), 24, 12).pentadName);  // last row
}

// The taboo texts start with their own stem and branch, in table order.
TEST(Almanac, PengzuTaboosFollowStemsAndBranches) {
    for (int g = 1; g <= 60; ++g) {
        SCOPED_TRACE(g);
        const Almanac a = almanacOfDay(dayWithGanzhi(g), 3, 0);
        EXPECT_EQ(a.ganzhiName.substr(0, 3), a.pengzuStemTaboo.substr(0, 3));
        EXPECT_EQ(a.ganzhiName.substr(3), a.pengzuBranchTaboo.substr(0, 3));
    }
}

TEST(Almanac, NeutralOutsideItsRange) {
    const LunarCalendar& calendar = historical();
    const CivilDate Dates[] = {
        {2023, 2, 30},   // no such day
        {1582, 10, 10},  // dropped by the Gregorian reform
        {-9000, 12, 31},
        {9001, 1, 1},
    };
    for (const CivilDate& d : Dates) {
        SCOPED_TRACE(testing::Message() << d.year << '-' << d.month << '-' << d.day);
        const Almanac a = almanac(calendar, d);
        EXPECT_FALSE(a.valid());
        EXPECT_EQ(InvalidDayNumber, a.dayNumber);
        EXPECT_EQ("", a.naYinName);
        EXPECT_EQ("", almanacText(a));
    }
    EXPECT_FALSE(almanacOfDay(2460351, 0, 0).valid());
    EXPECT_FALSE(almanacOfDay(2460351, 25, 0).valid());
    EXPECT_FALSE(almanacOfDay(MaxDayNumber + 1, 1, 0).valid());
    EXPECT_FALSE(almanacOfDay(InvalidDayNumber, 1, 0).valid());
    // Both ends of the range have an almanac.
    EXPECT_TRUE(almanac(calendar, CivilDate{-8999, 1, 1}).valid());
    EXPECT_TRUE(almanac(calendar, CivilDate{9000, 12, 31}).valid());
}

// Every day of a year against the day before: the rules' invariants, and the 节 month and
// term of fresh searches (the day view's month pillar and the term of the day).
void expectYearInvariants(const CalendarContext& context, int year) {
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const std::set<std::string_view> YellowPath = {"青龙", "明堂", "金匮", "天德", "玉堂", "司命"};
    const std::set<std::string_view> SundayMansions = {"房", "虚", "昴", "星"};
    Almanac prev = almanac(calendar, CivilDate{year - 1, 12, 31});
    ASSERT_TRUE(prev.valid());
    int terms = 0;
    for (int n = julianDayNumber(year, 1, 1); n <= julianDayNumber(year, 12, 31); ++n) {
        const CivilDay day = civilDayOfNumber(n);
        SCOPED_TRACE(testing::Message()
                     << day.date.year << '-' << day.date.month << '-' << day.date.day);
        const Almanac a = almanac(calendar, day);
        ASSERT_TRUE(a.valid());
        const int branch = (a.ganzhi - 1) % 12 + 1;
        EXPECT_EQ(n, a.dayNumber);
        EXPECT_EQ(prev.ganzhi % 60 + 1, a.ganzhi);
        EXPECT_EQ(solarTermOfDay(calendar.context(), n), a.term);
        EXPECT_EQ(
            (sexagenaryDay(calendar, day, LunarDate{}, GanzhiYearStart::Lichun).month - 1) % 12 + 1,
            a.monthBranch);
        EXPECT_EQ(branch == a.monthBranch, a.officer == 1);  // 建 on the month's branch
        EXPECT_EQ(prev.mansion % 28 + 1, a.mansion);
        EXPECT_EQ(SundayMansions.count(a.mansionName) == 1, weekdayNameOfDay(n) == "星期日");
        EXPECT_EQ((branch + 5) % 12 + 1, a.clashBranch);
        EXPECT_EQ((a.ganzhi + 53) % 60 + 1, a.clashGanzhi);  // stem 4 on, branch 6 on
        EXPECT_EQ(YellowPath.count(a.spiritName) == 1, a.yellowPath);
        if (a.term != prev.term) {  // a new term: its 候 start again
            ++terms;
            EXPECT_EQ(prev.term % 24 + 1, a.term);
            EXPECT_EQ(0, a.daysSinceTerm);
            EXPECT_EQ(1, a.pentad);
        } else {
            EXPECT_EQ(prev.daysSinceTerm + 1, a.daysSinceTerm);
            const bool newPentad = a.daysSinceTerm == 5 || a.daysSinceTerm == 10;
            EXPECT_EQ(prev.pentad + (newPentad ? 1 : 0), a.pentad);
        }
        if (a.monthBranch != prev.monthBranch) {  // only on the day of a 节
            EXPECT_EQ(0, a.daysSinceTerm);
            EXPECT_EQ(1, a.term % 2);
            EXPECT_EQ(prev.monthBranch % 12 + 1, a.monthBranch);
        } else {
            EXPECT_EQ(prev.spirit % 12 + 1, a.spirit);
            EXPECT_EQ(prev.officer % 12 + 1, a.officer);
        }
        prev = a;
    }
    EXPECT_GE(terms, 23);
    EXPECT_LE(terms, 25);
}

TEST(Almanac, EveryDayOfSomeYears) {
    const struct {
        CalendarContext context;
        int year;
    } Cases[] = {
        {{8, Regime::Historical}, -104},  // 105 BC: the historical reckoning starts on 12-26
        {{8, Regime::Historical}, 1700}, {{8, Regime::Historical}, 1886},  // and ends on 12-22
        {{8, Regime::Historical}, 1900}, {{8, Regime::Historical}, 2024},
        {{8, Regime::Modern}, -500},     {{-5, Regime::Modern}, 2024},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << " zone " << c.context.timeZoneHours
                                        << (c.context.modernAstronomy() ? " modern" : ""));
        expectYearInvariants(c.context, c.year);
    }
}

}  // namespace
}  // namespace tavomerix
