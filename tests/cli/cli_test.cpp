#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tavomerix_version.h"

namespace tavomerix {
namespace {

CliOutput run(std::vector<std::string> args) {
    args.insert(args.begin(), "tavomerix");
    return runCli(args);
}

TEST(CliParse, TypedDates) {
    const struct {
        const char* text;
        bool ok;
        int year, month, day;
    } Cases[] = {
        {"2000-1-1", true, 2000, 1, 1},
        {"-103-2-22", true, -103, 2, 22},  // 104 BC
        {"0-12-31", true, 0, 12, 31},
        {"2000-01-01", true, 2000, 1, 1},
        {"2000-1", false, 0, 0, 0},
        {"2000-1-1-1", false, 0, 0, 0},
        {"2000--1-1", false, 0, 0, 0},
        {"2000-1-+1", false, 0, 0, 0},
        {"20a0-1-1", false, 0, 0, 0},
        {"99999999999999999999-1-1", false, 0, 0, 0},  // no overflow
        {"", false, 0, 0, 0},
        {"-", false, 0, 0, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        const TypedDate d = parseTypedDate(c.text);
        EXPECT_EQ(c.ok, d.ok);
        if (c.ok) {
            EXPECT_EQ(c.year, d.year);
            EXPECT_EQ(c.month, d.month);
            EXPECT_EQ(c.day, d.day);
        }
    }
}

TEST(CliParse, NegativeNumbersAreValuesNotOptions) {
    const CliParse p = parseCommandLine({"tavomerix", "jd", "-103-2-22", "--tz", "-12"});
    ASSERT_TRUE(p.ok) << p.error.err;
    EXPECT_EQ("jd", p.request.command);
    ASSERT_EQ(1u, p.request.args.size());
    EXPECT_EQ("-103-2-22", p.request.args[0]);
    EXPECT_EQ(-12, p.request.timeZoneHours);
}

TEST(Cli, JulianDayNumbers) {
    const struct {
        const char* date;
        const char* out;
    } Cases[] = {
        {"2000-1-1", "2451545\n"},
        {"-4712-1-1", "0\n"},
        {"1582-10-15", "2299161\n"},
        {"-9998-1-1", "-1930711\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.date);
        const CliOutput r = run({"jd", c.date});
        EXPECT_EQ(ExitOk, r.exitCode);
        EXPECT_EQ(c.out, r.out);
        EXPECT_EQ("", r.err);
    }
}

TEST(Cli, BadInputIsOneLineOnStderrAndExitTwo) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } Cases[] = {
        {{"jd", "2023-2-30"}, "'2023-2-30'"},
        {{"jd", "1582-10-10"}, "'1582-10-10'"},
        {{"jd", "yesterday"}, "'yesterday'"},
        {{"jd"}, "DATE"},
        {{"jd", "2000-1-1", "2000-1-2"}, "DATE"},
        {{"terms", "9001"}, "'9001'"},
        {{"terms", "-9000"}, "'-9000'"},
        {{"terms", "20x0"}, "'20x0'"},
        {{"terms", "2000", "--tz", "13"}, "'13'"},
        {{"terms", "2000", "--tz"}, "--tz"},
        {{"terms", "2000", "--frobnicate"}, "'--frobnicate'"},
        {{"frobnicate"}, "'frobnicate'"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const CliOutput r = run(c.args);
        EXPECT_EQ(ExitUsage, r.exitCode);
        EXPECT_EQ("", r.out);
        EXPECT_NE(std::string::npos, r.err.find(c.mentions)) << r.err;
        EXPECT_EQ(0u, r.err.find("tavomerix: "));
        EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n'));
    }
}

TEST(Cli, LunarCommands) {
    const struct {
        std::vector<std::string> args;
        const char* out;
    } Cases[] = {
        {{"convert", "2023-3-22"}, "AD14-01-2023\n"},             // 闰二月初一: MonthCode 14
        {{"convert", "2024-2-10"}, "AD01-01-2024\n"},             // 春节 2024
        {{"convert", "2024-2-9"}, "AD12-30-2023\n"},              // 除夕, a long 腊月
        {{"convert", "--lunar", "2023-14-1"}, "AD03-22-2023\n"},
        {{"convert", "--lunar", "2023-12-30"}, "AD02-09-2024\n"},  // last months fall in the next civil year
        {{"convert", "-103-2-22"}, "BC01-01-0104\n"},
        {{"ganzhi", "2000-1-1"}, "己卯(兔)年丙子月戊午日\n"},
        {{"ganzhi", "2024-2-4"}, "癸卯(兔)年乙丑月戊戌日\n"},              // before the new year
        {{"ganzhi", "2024-2-4", "--lichun"}, "甲辰(龙)年丙寅月戊戌日\n"},  // 立春 day
        {{"ganzhi", "--lunar", "2024-1-1"}, "甲辰(龙)年丙寅月甲辰日\n"},
        {{"interval", "2000-1-1", "1999-1-1"}, "365\n"},
        {{"interval", "1582-10-4", "1582-10-15"}, "1\n"},
        {{"records", "2023", "2024"}, "2023\t01011011010120122\n2024\t01001011011000210\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const CliOutput r = run(c.args);
        EXPECT_EQ(ExitOk, r.exitCode) << r.err;
        EXPECT_EQ(c.out, r.out);
    }
}

TEST(Cli, LunarCommandErrors) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } Cases[] = {
        {{"convert", "--lunar", "2024-14-1"}, "'2024-14-1'"},  // 2024 has no 闰二月
        {{"convert", "--lunar", "2024-1-30"}, "'2024-1-30'"},  // 正月 2024 is short
        {{"convert", "9001-1-1"}, "'9001-1-1'"},
        {{"records", "9999"}, "'9999'"},
        {{"records", "2000", "1999"}, "1999"},
        {{"day", "9001-1-1"}, "'9001-1-1'"},
        {{"day", "2024-2-10", "--days", "/nonexistent/days.txt"}, "/nonexistent/days.txt"},
        {{"cal", "2024", "13"}, "'13'"},
        {{"interval", "2000-1-1"}, "DATE1 DATE2"},
        {{"ganzhi", "2000-1-1", "--era"}, "--era"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const CliOutput r = run(c.args);
        EXPECT_EQ(ExitUsage, r.exitCode);
        EXPECT_EQ("", r.out);
        EXPECT_NE(std::string::npos, r.err.find(c.mentions)) << r.err;
    }
}

TEST(Cli, DayViewPrintsSixLines) {
    const CliOutput r = run({"day", "2024-2-10"});
    EXPECT_EQ(ExitOk, r.exitCode);
    EXPECT_EQ("AD02-10-2024\nAD01-01-2024\n二○二四年 正月小 初一\n星期六 水瓶座  甲辰(龙)年丙寅月甲辰日\n"
              "春节 国际气象节\n2月19日雨水 六九第6天\n",
              r.out);
    const CliOutput era = run({"day", "-103-2-22", "--era"});
    EXPECT_EQ(0u, era.out.find("BC02-22-0104\nBC01-01-0104\n西汉太初01年 正月小 初一\n"));
    const CliOutput lunar = run({"day", "--lunar", "2024-1-1"});
    EXPECT_EQ(r.out, lunar.out);
    const CliOutput hijri = run({"day", "2024-2-10", "--hijri"});
    EXPECT_EQ(std::string::npos, hijri.out.find("春节"));
    CliEnvironment env;
    env.today = {2024, 2, 10};
    EXPECT_EQ(r.out, runCli({"tavomerix"}, env).out);
}

TEST(Cli, CommemorationFileShowsInTheFestivalLineAndReportsBadLines) {
    const std::string path = testing::TempDir() + "tavomerix_days.txt";
    {
        std::ofstream file(path);
        file << "L\t01-01\t2000家宴\n"
             << "S 02-10\t2020纪念\n";
    }
    const CliOutput r = run({"day", "2024-2-10", "--days", path});
    EXPECT_EQ(ExitOk, r.exitCode);
    EXPECT_NE(std::string::npos, r.out.find("\n家宴 纪念 春节 国际气象节\n")) << r.out;
    EXPECT_EQ("", r.err);
    {
        std::ofstream file(path, std::ios::app);
        file << "X\t01-02\t2000坏\n";
    }
    // A malformed line is bad input: nothing on standard output.
    const CliOutput bad = run({"day", "2024-2-10", "--days", path});
    std::remove(path.c_str());
    EXPECT_EQ(ExitUsage, bad.exitCode);
    EXPECT_EQ("", bad.out);
    EXPECT_NE(std::string::npos, bad.err.find(path + ":3: ")) << bad.err;
    // The entries do not outlive the command.
    EXPECT_EQ(std::string::npos, run({"day", "2024-2-10"}).out.find("家宴"));
}

TEST(Cli, MonthCalendar) {
    const CliOutput october1582 = run({"cal", "1582", "10"});
    EXPECT_EQ(ExitOk, october1582.exitCode);
    EXPECT_EQ(std::string::npos, october1582.out.find(" 5 "));  // the dropped days
    EXPECT_NE(std::string::npos, october1582.out.find("4      15"));
    const CliOutput february = run({"cal", "2024", "2"});
    EXPECT_NE(std::string::npos, february.out.find("立春"));  // 2-4
    EXPECT_NE(std::string::npos, february.out.find("正月"));  // 2-10, 初一 shows the month
    const CliOutput year = run({"cal", "2024"});
    EXPECT_NE(std::string::npos, year.out.find("2024年12月"));
}

TEST(Cli, HelpListsEveryCommand) {
    const CliOutput r = run({"--help"});
    EXPECT_EQ(ExitOk, r.exitCode);
    for (const char* command : {"jd DATE", "terms YEAR", "moons YEAR", "months YEAR", "records FIRST",
                                "convert DATE", "ganzhi DATE", "interval DATE1 DATE2", "day [DATE]",
                                "cal [YEAR", "--tz N", "--modern", "--days FILE"}) {
        EXPECT_NE(std::string::npos, r.out.find(command)) << command;
    }
}

TEST(Cli, VersionIsTheProjectVersion) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--version"}, {"terms", "--version"}}) {
        SCOPED_TRACE(args.back());
        const CliOutput r = run(args);
        EXPECT_EQ(ExitOk, r.exitCode);
        EXPECT_EQ(std::string("tavomerix ") + TAVOMERIX_VERSION + "\n", r.out);
        EXPECT_EQ("", r.err);
    }
}

}  // namespace
}  // namespace tavomerix
