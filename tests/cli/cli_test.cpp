#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "dayinfo/date_text.h"
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
        {{"convert", "2023-3-22"}, "2023-闰02-01\n"},  // 闰二月初一
        {{"convert", "2024-2-10"}, "2024-01-01\n"},    // 春节 2024
        {{"convert", "2024-2-9"}, "2023-12-30\n"},     // 除夕, a long 腊月
        {{"convert", "--lunar", "2023-14-1"}, "2023-03-22\n"},
        {{"convert", "--lunar", "2023-闰2-1"}, "2023-03-22\n"},
        {{"convert", "--lunar", "2023-闰02-01"}, "2023-03-22\n"},  // as convert prints it
        {{"convert", "--lunar", "2023-12-30"},
         "2024-02-09\n"},  // last months fall in the next civil year
        {{"convert", "-103-2-22"}, "-0103-01-01\n"},
        {{"convert", "--lunar", "-0103-01-01"}, "-0103-02-22\n"},  // Julian, astronomical year
        {{"jd", "-0103-02-22"}, "1683490\n"},
        {{"ganzhi", "2000-1-1"}, "己卯(兔)年丙子月戊午日\n"},
        {{"ganzhi", "2024-2-4"}, "癸卯(兔)年乙丑月戊戌日\n"},              // before the new year
        {{"ganzhi", "2024-2-4", "--lichun"}, "甲辰(龙)年丙寅月戊戌日\n"},  // 立春 day
        {{"ganzhi", "--lunar", "2024-1-1"}, "甲辰(龙)年丙寅月甲辰日\n"},
        {{"interval", "2000-1-1", "1999-1-1"}, "-365\n"},  // DATE2 - DATE1
        {{"interval", "2025-01-01", "2024-01-01"}, "-366\n"},
        {{"interval", "2024-01-01", "2025-01-01"}, "366\n"},
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
        {{"convert", "--lunar", "2024-闰2-1"}, "'2024-闰2-1'"},
        {{"convert", "--lunar", "2024-闰13-1"}, "'2024-闰13-1'"},
        {{"convert", "--lunar", "闰2024-2-1"}, "'闰2024-2-1'"},
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

TEST(Cli, DayViewPrintsFiveLines) {
    const CliOutput r = run({"day", "2024-2-10"});
    EXPECT_EQ(ExitOk, r.exitCode);
    EXPECT_EQ(
        "2024-02-10\n二○二四年 正月小 初一\n星期六 水瓶座  甲辰(龙)年丙寅月甲辰日\n"
        "春节 国际气象节\n2月19日雨水 六九第6天\n",
        r.out);
    const CliOutput era = run({"day", "-103-2-22", "--era"});
    EXPECT_EQ(0u, era.out.find("-0103-02-22\n西汉太初01年 正月小 初一\n"));
    const CliOutput lunar = run({"day", "--lunar", "2024-1-1"});
    EXPECT_EQ(r.out, lunar.out);
    const CliOutput hijri = run({"day", "2024-2-10", "--hijri"});
    EXPECT_EQ(std::string::npos, hijri.out.find("春节"));
    CliEnvironment env;
    env.today = {2024, 2, 10};
    EXPECT_EQ(r.out, runCli({"tavomerix"}, env).out);
    // A day without festivals keeps its empty festival line.
    const CliOutput plain = run({"day", "2024-2-12"});
    EXPECT_EQ(5, std::count(plain.out.begin(), plain.out.end(), '\n'));
    EXPECT_NE(std::string::npos, plain.out.find("\n\n")) << plain.out;
    // A leap month in words, and back through --lunar.
    const CliOutput leap = run({"day", "2025-7-25"});
    EXPECT_EQ(0u, leap.out.find("2025-07-25\n二○二五年 闰六月小 初一\n")) << leap.out;
    EXPECT_EQ(leap.out, run({"day", "--lunar", "2025-闰6-1"}).out);
    EXPECT_EQ(leap.out, run({"day", "--lunar", "2025-18-1"}).out);
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
    for (const char* command :
         {"jd DATE", "terms FIRST", "moons FIRST", "months FIRST", "records FIRST", "convert DATE",
          "ganzhi DATE", "interval DATE1 DATE2", "day [DATE]", "almanac [DATE]", "cal [YEAR",
          "search KIND", "calc MODE", "help [COMMAND]", "--tz N", "--modern", "-h, --help",
          "--version", "Julian"}) {
        EXPECT_NE(std::string::npos, r.out.find(command)) << command;
    }
    EXPECT_EQ(r.out, run({"-h"}).out);
    EXPECT_EQ(r.out, run({"help"}).out);
}

// Every line of a text, for the width checks.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

TEST(Cli, EachCommandHasItsOwnHelpUnderEightyColumns) {
    for (const char* command : {"day", "almanac", "convert", "ganzhi", "jd", "interval", "terms",
                                "moons", "months", "records", "cal", "search", "calc"}) {
        SCOPED_TRACE(command);
        const CliOutput byCommand = run({"help", command});
        EXPECT_EQ(ExitOk, byCommand.exitCode);
        EXPECT_EQ(0u, byCommand.out.find(std::string("usage: tavomerix ") + command + " "));
        EXPECT_NE(std::string::npos,
                  byCommand.out.find(std::string("\n  tavomerix ") + command));  // example
        EXPECT_EQ(byCommand.out, run({command, "--help"}).out);
        EXPECT_EQ(byCommand.out, run({command, "-h"}).out);
        for (const std::string& line : linesOf(byCommand.out))
            EXPECT_LT(gbkWidth(line), 80) << line;
    }
    for (const std::string& line : linesOf(run({"--help"}).out))
        EXPECT_LT(gbkWidth(line), 80) << line;
    const CliOutput unknown = run({"help", "frobnicate"});
    EXPECT_EQ(ExitUsage, unknown.exitCode);
    EXPECT_EQ("tavomerix: no command 'frobnicate' (see tavomerix --help)\n", unknown.err);
}

TEST(Cli, OptionsEndAtDoubleDashAndNegativeNumbersAreValues) {
    // -3 is an option of cal only; after -- it is the year 4 BC.
    const CliOutput three = run({"cal", "-3", "--", "2024", "5"});
    EXPECT_EQ(ExitOk, three.exitCode) << three.err;
    EXPECT_NE(std::string::npos, three.out.find("2024年4月"));
    EXPECT_NE(std::string::npos, three.out.find("2024年6月"));
    const CliOutput yearMinus3 = run({"cal", "--", "-3"});
    EXPECT_EQ(ExitOk, yearMinus3.exitCode) << yearMinus3.err;
    EXPECT_NE(std::string::npos, yearMinus3.out.find("公元前4年12月"));
    EXPECT_EQ(ExitOk, run({"jd", "--", "-103-2-22"}).exitCode);
    const CliOutput dashed = run({"jd", "--", "--tz"});
    EXPECT_EQ(ExitUsage, dashed.exitCode);
    EXPECT_NE(std::string::npos, dashed.err.find("bad date '--tz'"));
}

TEST(Cli, ThreeMonthsAndYearGrid) {
    CliEnvironment env;
    env.today = {2024, 2, 10};
    const CliOutput three = runCli({"tavomerix", "cal", "-3"}, env);
    EXPECT_EQ(ExitOk, three.exitCode);
    const std::vector<std::string> lines = linesOf(three.out);
    ASSERT_FALSE(lines.empty());
    // Three titles on the first line, January to March.
    EXPECT_NE(std::string::npos, lines[0].find("2024年1月"));
    EXPECT_NE(std::string::npos, lines[0].find("2024年2月"));
    EXPECT_NE(std::string::npos, lines[0].find("2024年3月"));
    EXPECT_NE(std::string::npos, three.out.find("正月"));  // 2-10, a lunar first day
    EXPECT_NE(std::string::npos, three.out.find("立春"));
    EXPECT_EQ(std::string::npos, three.out.find('\033'));  // not a terminal
    // The months around a year's end, AD and BC.
    const struct {
        std::vector<std::string> args;
        const char* titles[3];
    } Around[] = {
        {{"cal", "-3", "2024", "12"}, {"2024年11月", "2024年12月", "2025年1月"}},
        {{"cal", "-3", "--", "-1", "1"}, {"公元前3年12月", "公元前2年1月", "公元前2年2月"}},
    };
    for (const auto& c : Around) {
        SCOPED_TRACE(c.titles[0]);
        const std::string first = linesOf(run(c.args).out).at(0);
        size_t at = 0;
        for (const char* title : c.titles) {
            at = first.find(title, at);
            EXPECT_NE(std::string::npos, at) << first;
        }
    }
    EXPECT_EQ(ExitUsage,
              run({"cal", "-3", "-8999", "1"}).exitCode);  // December -9000 has no lunar days
    const CliOutput grid = runCli({"tavomerix", "cal", "-y", "2023"}, env);
    EXPECT_EQ(ExitOk, grid.exitCode);
    const std::vector<std::string> gridLines = linesOf(grid.out);
    int titleRows = 0;
    for (const std::string& line : gridLines) {
        if (line.find("2023年") != std::string::npos) {
            ++titleRows;
            int titles = 0;
            for (size_t at = line.find("2023年"); at != std::string::npos;
                 at = line.find("2023年", at + 1))
                ++titles;
            EXPECT_EQ(3, titles) << line;
        }
    }
    EXPECT_EQ(4, titleRows);
    EXPECT_NE(std::string::npos, grid.out.find("闰二"));  // 2023 has a leap second month
    EXPECT_NE(std::string::npos, grid.out.find("冬至"));
}

TEST(Cli, ColourOnlyWhereWanted) {
    const struct {
        bool terminal, noColour, dumb;
        const char* option;
        bool colour;
    } Cases[] = {
        {true, false, false, nullptr, true},          {false, false, false, nullptr, false},
        {true, true, false, nullptr, false},  // NO_COLOR
        {true, false, true, nullptr, false},  // TERM=dumb
        {true, false, false, "--color=never", false}, {false, false, false, "--color=always", true},
        {true, true, false, "--color=always", true},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.terminal << c.noColour << c.dumb << (c.option ? c.option : ""));
        CliEnvironment env;
        env.today = {2024, 2, 10};
        env.stdoutIsTerminal = c.terminal;
        env.noColour = c.noColour;
        env.dumbTerminal = c.dumb;
        std::vector<std::string> args{"tavomerix", "cal"};
        if (c.option) args.push_back(c.option);
        const CliOutput r = runCli(args, env);
        EXPECT_EQ(ExitOk, r.exitCode) << r.err;
        EXPECT_EQ(c.colour, r.out.find("\033[7m") != std::string::npos);
    }
    EXPECT_EQ(ExitUsage, run({"cal", "--color=sometimes"}).exitCode);
}

TEST(Cli, VersionIsTheProjectVersion) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"terms", "--version"}}) {
        SCOPED_TRACE(args.back());
        const CliOutput r = run(args);
        EXPECT_EQ(ExitOk, r.exitCode);
        EXPECT_EQ(std::string("tavomerix ") + TAVOMERIX_VERSION + "\n", r.out);
        EXPECT_EQ("", r.err);
    }
}

}  // namespace
}  // namespace tavomerix
