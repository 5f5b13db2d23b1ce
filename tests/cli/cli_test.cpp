#include "cli/cli.h"

#include <gtest/gtest.h>

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

TEST(Cli, HelpListsEveryCommand) {
    const CliOutput r = run({"--help"});
    EXPECT_EQ(ExitOk, r.exitCode);
    for (const char* command : {"jd DATE", "terms YEAR", "moons YEAR", "months YEAR", "--tz N", "--modern"}) {
        EXPECT_NE(std::string::npos, r.out.find(command)) << command;
    }
}

}  // namespace
}  // namespace tavomerix
