#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tavomerix {
namespace {

CliOutput run(std::vector<std::string> args, const CliEnvironment& env = {}) {
    args.insert(args.begin(), "tavomerix");
    return runCli(args, env);
}

TEST(CliSearch, LeapMonths) {
    const CliOutput o = run({"search", "leap", "2020", "10", "--leap-month", "6"});
    EXPECT_EQ(ExitOk, o.exitCode);
    EXPECT_EQ("2025-闰06  闰六月小  2025-07-25 ～ 2025-08-22\n", o.out);
    EXPECT_EQ("", o.err);
}

TEST(CliSearch, ConditionDaysByName) {
    const std::string expected =
        "2000-12-21  2000-11-26  星期四  冬至 21:37:26  国际篮球日  庚辰(龙)年戊子月癸丑日\n";
    // The same day by names with and without suffix, and by numbers.
    const std::vector<std::vector<std::string>> Forms = {
        {"--term", "冬至", "--ganzhi-day", "癸丑日"},
        {"--term", "冬至", "--ganzhi-day", "癸丑", "--weekday", "星期四"},
        {"--civil-month", "12", "--civil-day", "21日", "--lunar-month", "冬月", "--lunar-day",
         "26"},
        {"--civil-month", "12", "--lunar-month", "十一月", "--lunar-day", "26"},
        {"--lunar-month", "11", "--lunar-day", "廿六", "--ganzhi-year", "庚辰年", "--ganzhi-month",
         "戊子"},
    };
    for (const auto& form : Forms) {
        SCOPED_TRACE(form[1]);
        std::vector<std::string> args = {"search", "days", "2000", "1"};
        args.insert(args.end(), form.begin(), form.end());
        const CliOutput o = run(args);
        EXPECT_EQ(ExitOk, o.exitCode) << o.err;
        EXPECT_EQ(expected, o.out);
    }
    const CliOutput thanksgiving = run({"search", "days", "2000", "10", "--festival", "感恩节"});
    EXPECT_EQ(10, std::count(thanksgiving.out.begin(), thanksgiving.out.end(), '\n'));
    EXPECT_EQ(std::string::npos, thanksgiving.out.find('\r'));
}

TEST(CliSearch, NamesPeopleUse) {
    const struct {
        std::vector<std::string> conditions;
        const char* first;  // the first line found in 2020..2039
        int count;
    } Cases[] = {
        {{"--festival", "中秋节"}, "2020-10-01  2020-08-15  星期四  中秋节 国庆节", 20},
        {{"--festival", "春节"}, "2020-01-25  2020-01-01  星期六  春节", 20},
        {{"--festival", "除夕"}, "2020-01-24  2019-12-30  星期五  除夕", 20},
        {{"--festival", "香港回归纪念日"}, "2020-07-01", 20},
        {{"--festival", "母亲节", "--civil-day", "10"}, "2020-05-10", 3},
        {{"--lunar-month", "十二月", "--lunar-day", "8"},
         "2020-01-02  2019-12-08  星期四  腊八节",
         20},
        {{"--lunar-month", "闰十一月", "--lunar-day", "1"}, "2033-12-22  2033-闰11-01", 1},
        {{"--lunar-month", "23", "--lunar-day", "1"}, "2033-12-22  2033-闰11-01", 1},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.conditions[1]);
        std::vector<std::string> args = {"search", "days", "2020", "20"};
        args.insert(args.end(), c.conditions.begin(), c.conditions.end());
        const CliOutput o = run(args);
        EXPECT_EQ(ExitOk, o.exitCode) << o.err;
        EXPECT_EQ(c.count, std::count(o.out.begin(), o.out.end(), '\n')) << o.out;
        EXPECT_EQ(0u, o.out.find(c.first)) << o.out;
    }
}

TEST(CliSearch, RangeShortenedAsTheWindowDoes) {
    const CliOutput days = run({"search", "days", "1900", "250", "--term", "冬至"});
    EXPECT_EQ(ExitOk, days.exitCode);
    EXPECT_EQ(100, std::count(days.out.begin(), days.out.end(), '\n'));
    EXPECT_EQ("tavomerix: range shortened to 100 years\n", days.err);
    const CliOutput months = run({"search", "big4", "4995", "20"});
    EXPECT_EQ(ExitOk, months.exitCode);
    EXPECT_EQ("tavomerix: range shortened to 6 years\n", months.err);
}

TEST(CliSearch, BadArguments) {
    const struct {
        std::vector<std::string> args;
        const char* err;
    } Cases[] = {
        {{"search", "leaps", "2000", "10"},
         "tavomerix: bad search 'leaps' (KIND is leap, big3, small3, big4 or days)\n"},
        {{"search", "leap", "5001", "10"},
         "tavomerix: bad start year '5001' (START is an astronomical year, -100..5000)\n"},
        {{"search", "leap", "-101", "10"},
         "tavomerix: bad start year '-101' (START is an astronomical year, -100..5000)\n"},
        {{"search", "leap", "2000", "0"},
         "tavomerix: bad range '0' (RANGE is a number of years, 1 or more)\n"},
        {{"search", "leap", "2000", "10", "--leap-month", "13"},
         "tavomerix: bad --leap-month '13' (N is 1..12)\n"},
        {{"search", "big3", "2000", "10", "--leap-month", "3"},
         "tavomerix: option '--leap-month' applies to 'search leap' only\n"},
        {{"search", "leap", "2000", "10", "--term", "冬至"},
         "tavomerix: option '--term' applies to 'search days' only\n"},
        {{"search", "days", "2000", "10"},
         "tavomerix: 'search days' needs at least one condition (see tavomerix help search)\n"},
        {{"search", "days", "2000", "10", "--festival", "中秋"},
         "tavomerix: bad --festival '中秋' (NAME is a festival of the festival line: 春节, 元宵节, "
         "端午节, 中秋节, 除夕, 元旦节, 国庆节, 母亲节, ...)\n"},
        {{"search", "days", "2000", "10", "--festival", "中秋节\n"},
         "tavomerix: bad --festival '中秋节\\x0a' (NAME is a festival of the festival line: 春节, "
         "元宵节, 端午节, 中秋节, 除夕, 元旦节, 国庆节, 母亲节, ...)\n"},
        {{"search", "days", "2000", "10", "--term", "冬"},
         "tavomerix: bad --term '冬' (NAME is a solar term, 小寒..冬至)\n"},
        {{"search", "days", "2000", "10", "--ganzhi-day", "甲丑"},
         "tavomerix: bad --ganzhi-day '甲丑' (NAME is 甲子..癸亥, 日 may follow)\n"},
        {{"search", "days", "2000", "10", "--ganzhi-day", "甲子年"},
         "tavomerix: bad --ganzhi-day '甲子年' (NAME is 甲子..癸亥, 日 may follow)\n"},
        {{"search", "days", "2000", "10", "--lunar-month", "25"},
         "tavomerix: bad --lunar-month '25' (MONTH is 1..12, 正月..腊月 (十一月 = 冬月, 十二月 = "
         "腊月), a leap month as 闰四月 or 13..24)\n"},
        {{"search", "days", "2000", "10", "--civil-day", "32"},
         "tavomerix: bad --civil-day '32' (N is 1..31)\n"},
        {{"search", "days", "2000"},
         "tavomerix: 'search' takes KIND START RANGE (see tavomerix help search)\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.err);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitUsage, o.exitCode);
        EXPECT_EQ("", o.out);
        EXPECT_EQ(c.err, o.err);
    }
}

volatile std::sig_atomic_t Stop = 0;
std::vector<std::string> Shown;
void recordProgress(std::string_view text) { Shown.emplace_back(text); }

TEST(CliSearch, ProgressAndInterrupt) {
    CliEnvironment env;
    env.stderrIsTerminal = true;
    env.progress = recordProgress;
    Stop = 0;
    env.stopRequested = &Stop;
    Shown.clear();
    const CliOutput done = run({"search", "leap", "2000", "10"}, env);
    EXPECT_EQ(ExitOk, done.exitCode);
    ASSERT_EQ(11u, Shown.size());  // one bar per year, then the cleared line
    EXPECT_EQ("[..............................]   0.00%", Shown.front());
    EXPECT_EQ("[###########################...]  90.00%", Shown[9]);
    EXPECT_EQ("", Shown.back());

    Stop = 1;
    Shown.clear();
    const CliOutput stopped = run({"search", "days", "2000", "10", "--weekday", "星期一"}, env);
    EXPECT_EQ(ExitInterrupted, stopped.exitCode);
    EXPECT_EQ("", stopped.out);
    EXPECT_EQ("tavomerix: interrupted\n", stopped.err);
    Stop = 0;

    // Not a terminal: no progress at all.
    env.stderrIsTerminal = false;
    Shown.clear();
    EXPECT_EQ(ExitOk, run({"search", "leap", "2000", "3"}, env).exitCode);
    EXPECT_TRUE(Shown.empty());
}

TEST(CliCalc, Results) {
    const struct {
        std::vector<std::string> args;
        const char* out;
    } Cases[] = {
        {{"calc", "jd", "01-01-2000"}, "2451545\n"},
        {{"calc", "jd", "1-1-1", "--bc"}, "1721058\n"},  // 1 BC = year 0
        {{"calc", "interval", "01-01-2001", "01-01-2000"}, "366\n"},
        {{"calc", "interval", "01-01-2024", "01-01-2024", "--lunar"}, "40\n"},
        {{"calc", "interval", "01-01-2024", "01-01-2024", "--lunar2"}, "40\n"},
        {{"calc", "interval", "01-01-0001", "01-01-0001", "--bc2"}, "366\n"},
        {{"calc", "ganzhi", "01-01-2000"}, "己卯(兔)年丙子月戊午日\n"},
        {{"calc", "convert", "03-22-2023"}, "AD14-01-2023\n"},
        {{"calc", "convert", "14-01-2023", "--lunar"}, "AD03-22-2023\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.out);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitOk, o.exitCode) << o.err;
        EXPECT_EQ(c.out, o.out);
    }
}

TEST(CliCalc, BadArguments) {
    const std::string NoResultHelp =
        "(DATE is MM-DD-YYYY of a day that exists, years 101 BC..5000 with --bc for BC years; "
        "a lunar month 13..24 is a leap month)\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } Cases[] = {
        {{"calc", "julian", "01-01-2000"},
         "tavomerix: bad calculation 'julian' (MODE is jd, interval, ganzhi or convert)\n"},
        {{"calc", "interval", "01-01-2000"},
         "tavomerix: 'calc interval' takes two dates DATE DATE2\n"},
        {{"calc", "jd", "01-01-2000", "01-01-2001"}, "tavomerix: 'calc jd' takes one date DATE\n"},
        {{"calc", "jd", "01-01-2000", "--bc2"},
         "tavomerix: options '--bc2' and '--lunar2' apply to 'calc interval' only\n"},
        {{"calc", "jd", "02-30-2024"}, "tavomerix: no result for '02-30-2024' " + NoResultHelp},
        {{"calc", "convert", "16-01-2024", "--lunar"},
         "tavomerix: no result for '16-01-2024' " + NoResultHelp},
        {{"calc", "jd", "2000-01-01"}, "tavomerix: no result for '2000-01-01' " + NoResultHelp},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.err);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitUsage, o.exitCode);
        EXPECT_EQ("", o.out);
        EXPECT_EQ(c.err, o.err);
    }
}

}  // namespace
}  // namespace tavomerix
