#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/days_file.h"
#include "temp_file.h"

namespace tavomerix {
namespace {

CliOutput run(std::vector<std::string> args, CliEnvironment env = {}) {
    args.insert(args.begin(), "tavomerix");
    return runCli(args, env);
}

// Every statutory day of 2031 off, and 2031-01-26 (a Sunday) a working day.
constexpr const char* Year2031 =
    "date\tholiday\tday\n"
    "2031-01-01\t元旦\toff\n"
    "2031-01-22\t春节\toff\n2031-01-23\t春节\toff\n2031-01-24\t春节\toff\n"
    "2031-01-25\t春节\toff\n2031-01-26\t春节\twork\n"
    "2031-04-05\t清明节\toff\n2031-05-01\t劳动节\toff\n2031-05-02\t劳动节\toff\n"
    "2031-06-24\t端午节\toff\n"
    "2031-10-01\t中秋节、国庆节\toff\n2031-10-02\t国庆节\toff\n2031-10-03\t国庆节\toff\n";

TEST(HolidaysCommand, PublishedAndUnpublishedYears) {
    const CliOutput y2026 = run({"holidays", "2026"});
    EXPECT_EQ(ExitOk, y2026.exitCode);
    EXPECT_EQ(
        "2026: notice https://www.gov.cn/zhengce/zhengceku/202511/content_7047091.htm\n"
        "元旦    休 2026-01-01 ～ 2026-01-03 (3 days)  班 2026-01-04  statutory 2026-01-01\n"
        "春节    休 2026-02-15 ～ 2026-02-23 (9 days)  班 2026-02-14, 2026-02-28  statutory "
        "2026-02-16 ～ 2026-02-19\n"
        "清明节  休 2026-04-04 ～ 2026-04-06 (3 days)  statutory 2026-04-05\n"
        "劳动节  休 2026-05-01 ～ 2026-05-05 (5 days)  班 2026-05-09  statutory 2026-05-01 ～ "
        "2026-05-02\n"
        "端午节  休 2026-06-19 ～ 2026-06-21 (3 days)  statutory 2026-06-19\n"
        "中秋节  休 2026-09-25 ～ 2026-09-27 (3 days)  statutory 2026-09-25\n"
        "国庆节  休 2026-10-01 ～ 2026-10-07 (7 days)  班 2026-09-20, 2026-10-10  statutory "
        "2026-10-01 ～ 2026-10-03\n",
        y2026.out);
    EXPECT_EQ(
        "2031: arrangement not yet published; the statutory days alone\n"
        "元旦    statutory 2031-01-01\n"
        "春节    statutory 2031-01-22 ～ 2031-01-25\n"
        "清明节  statutory 2031-04-05\n"
        "劳动节  statutory 2031-05-01 ～ 2031-05-02\n"
        "端午节  statutory 2031-06-24\n"
        "中秋节  statutory 2031-10-01\n"
        "国庆节  statutory 2031-10-01 ～ 2031-10-03\n",
        run({"holidays", "2031"}).out);
    const nlohmann::json json =
        nlohmann::json::parse(run({"holidays", "2025", "--format", "json"}).out);
    EXPECT_TRUE(json["published"].get<bool>());
    EXPECT_EQ("春节", json["holidays"][1]["name"]);
    EXPECT_EQ(8u, json["holidays"][1]["days_off"].size());
    EXPECT_EQ(4u, json["holidays"][1]["statutory_days"].size());  // 除夕 among them from 2025
    EXPECT_EQ(ExitUsage, run({"holidays", "1999"}).exitCode);
    EXPECT_EQ(ExitUsage, run({"holidays"}).exitCode);
}

// The day rows of `holidays --format tsv`: every day off and working day once (a day of two
// statutory holidays once for each), the statutory flag only on statutory days.
TEST(HolidaysCommand, TsvRows) {
    const struct {
        const char* year;
        int rows;
        std::vector<std::string> present;
    } Cases[] = {
        {"2026",
         39,
         {"2026-02-14\t春节\twork\t0", "2026-02-15\t春节\toff\t0", "2026-02-16\t春节\toff\t1",
          "2026-09-20\t国庆节\twork\t0", "2026-10-03\t国庆节\toff\t1"}},
        {"2031", 13, {"2031-10-01\t中秋节\toff\t1", "2031-10-01\t国庆节\toff\t1"}},
    };
    for (const auto& c : Cases) {
        const CliOutput out = run({"holidays", c.year, "--format", "tsv"});
        ASSERT_EQ(ExitOk, out.exitCode) << c.year;
        EXPECT_EQ(out.out.rfind("date\tholiday\tday\tstatutory\n", 0), 0U) << c.year;
        EXPECT_EQ(std::count(out.out.begin(), out.out.end(), '\n'), c.rows + 1) << c.year;
        for (const std::string& row : c.present) {
            EXPECT_NE(out.out.find(row + "\n"), std::string::npos) << row;
        }
    }
}

TEST(WorkdayCommand, StatusesAndExitCodes) {
    CliEnvironment today;
    today.today = {2026, 2, 16};
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* out;
    } Cases[] = {
        {{"workday", "2026-02-14"}, ExitOk, "2026-02-14  星期六  班  调休上班  春节\n"},
        {{"workday", "2026-02-16"}, ExitFailure, "2026-02-16  星期一  休  法定节假日  春节\n"},
        {{"workday", "2026-02-21"}, ExitFailure, "2026-02-21  星期六  休  放假  春节\n"},
        {{"workday", "2026-03-02"}, ExitOk, "2026-03-02  星期一  工作日\n"},
        {{"workday", "2026-03-07"}, ExitFailure, "2026-03-07  星期六  周末\n"},
        {{"workday", "2031-01-22"},
         ExitFailure,
         "2031-01-22  星期三  休  法定节假日  春节  (arrangement not yet published)\n"},
        {{"workday", "2031-01-26"},
         ExitFailure,
         "2031-01-26  星期日  周末  (arrangement not yet published)\n"},
        {{"workday", "today"}, ExitFailure, "2026-02-16  星期一  休  法定节假日  春节\n"},
        {{"workday"}, ExitFailure, "2026-02-16  星期一  休  法定节假日  春节\n"},
        {{"workday", "2026-2-30"}, ExitUsage, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args.back());
        const CliOutput out = run(c.args, today);
        EXPECT_EQ(c.exitCode, out.exitCode);
        EXPECT_EQ(c.out, out.out);
    }
    const nlohmann::json json =
        nlohmann::json::parse(run({"workday", "2026-02-14", "--format", "json"}).out);
    EXPECT_EQ("arranged_workday", json["status"]);
    EXPECT_TRUE(json["working_day"].get<bool>());
}

TEST(IntervalCommand, WorkingDays) {
    const struct {
        const char* from;
        const char* to;
        const char* out;
    } Cases[] = {
        {"2024-1-1", "2025-1-1", "251\n"},
        {"2025-1-1", "2026-1-1", "248\n"},
        {"2025-1-1", "2024-1-1", "-251\n"},
        {"2026-2-14", "2026-2-15", "1\n"},  // a working Saturday
        {"2026-2-15", "2026-2-24", "0\n"},  // 春节 2026
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(c.out, run({"interval", c.from, c.to, "--workdays"}).out);
    }
    const nlohmann::json json = nlohmann::json::parse(
        run({"interval", "2024-1-1", "2025-1-1", "--workdays", "--format", "json"}).out);
    EXPECT_EQ(366, json["days"]);
    EXPECT_EQ(251, json["workdays"]);
    EXPECT_EQ("366\n", run({"interval", "2024-1-1", "2025-1-1"}).out);  // unchanged without
}

TEST(HolidayMarks, CalendarAndDayJson) {
    const std::string cal = run({"cal", "2026", "2"}).out;
    EXPECT_NE(std::string::npos, cal.find("    14班    15休"));
    EXPECT_NE(std::string::npos, cal.find("  23休      24"));
    const std::string coloured = run({"cal", "2026", "2", "--color", "always"}).out;
    EXPECT_EQ(std::string::npos, coloured.find("班"));
    EXPECT_NE(std::string::npos, coloured.find("    \033[34m14\033[0m  "));
    EXPECT_NE(std::string::npos, coloured.find("\033[31m16\033[0m"));
    const nlohmann::json month =
        nlohmann::json::parse(run({"cal", "2026", "2", "--format", "json"}).out);
    EXPECT_EQ("班", month["days"][13]["holiday"]["mark"]);
    EXPECT_EQ("statutory", month["days"][15]["holiday"]["status"]);
    const nlohmann::json day =
        nlohmann::json::parse(run({"day", "2024-2-10", "--format", "json"}).out);
    EXPECT_EQ("春节", day["holiday"]["holiday"]);
    EXPECT_TRUE(day["holiday"]["published"].get<bool>());
    // The day view's five lines do not show it.
    EXPECT_EQ(run({"day", "2024-2-10"}).out,
              run({"day", "2024-2-10", "--holidays", TempFile("empty", "").path()}).out);
}

TEST(HolidayFileOption, BadFilesChangeNothing) {
    const std::string directory = testing::TempDir() + "tavomerix_holidays_dir";
    mkdir(directory.c_str(), 0700);
    const TempFile badDate("date", "2031-02-30\t春节\toff\n");
    const TempFile badStatus("status", "2031-01-01\t元旦\trest\n");
    const TempFile halfYear("half", "2031-01-01\t元旦\toff\n");
    const TempFile large("large", std::string(DaysFileSizeLimit + 1, '#'));
    const TempFile oneBad("onebad", std::string(Year2031) + "2032-01-01\t元旦\tfree\n");
    const struct {
        std::string path;
        const char* error;
    } Cases[] = {
        {badDate.path(), ":1: "},
        {badStatus.path(), ":1: "},
        {halfYear.path(), "2031"},
        {large.path(), "is larger than 1 MiB"},
        {directory, "is a directory"},
        {testing::TempDir() + "tavomerix_holidays_missing", "cannot be opened"},
        {oneBad.path(), ":15: "},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.path);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"holidays", "2031", "--holidays", c.path},
              std::vector<std::string>{"holidays", "--check", c.path},
              std::vector<std::string>{"workday", "2031-01-26", "--holidays", c.path}}) {
            const CliOutput out = run(args);
            EXPECT_EQ(ExitUsage, out.exitCode);
            EXPECT_EQ("", out.out);
            EXPECT_NE(std::string::npos, out.err.find(c.error)) << out.err;
            EXPECT_EQ(out.err.find('\n'), out.err.size() - 1) << out.err;  // one line
        }
    }
    rmdir(directory.c_str());
}

TEST(HolidayFileOption, GoodFileAndDefaultFile) {
    const TempFile good("good", Year2031);
    const CliOutput check = run({"holidays", "--check", good.path()});
    EXPECT_EQ(ExitOk, check.exitCode);
    EXPECT_EQ("'" + good.path() + "': sound, 1 year (2031), 13 days\n", check.out);
    EXPECT_EQ(ExitOk, run({"workday", "2031-01-26", "--holidays", good.path()}).exitCode);

    // The default file: used when it exists, silently absent when not, an error when bad.
    CliEnvironment env;
    env.holidaysFile = good.path();
    EXPECT_EQ("2031-01-26  星期日  班  调休上班  春节\n", run({"workday", "2031-01-26"}, env).out);
    EXPECT_NE(std::string::npos,
              run({"holidays", "2031"}, env).out.find("arrangement from the user's holiday file"));
    env.holidaysFile = testing::TempDir() + "tavomerix_holidays_none";
    const CliOutput absent = run({"workday", "2031-01-26"}, env);
    EXPECT_EQ(ExitFailure, absent.exitCode);
    EXPECT_EQ("", absent.err);
    const TempFile bad("default_bad", "2031-01-01\t元旦\n");
    env.holidaysFile = bad.path();
    EXPECT_EQ(ExitUsage, run({"cal", "2031", "1"}, env).exitCode);
    EXPECT_EQ(ExitOk, run({"day", "2031-1-1"}, env).exitCode);  // the day view does not read it
}

TEST(MonthsCommand, NewMoonsNearMidnight) {
    const std::string y2057 = run({"months", "2057"}).out;
    EXPECT_NE(std::string::npos,
              y2057.find("2057-09  九月大  2057-09-28 ～ 2057-10-27  * new moon 23:59:51\n"));
    EXPECT_EQ(y2057.find('*'), y2057.rfind('*'));  // that month alone
    const nlohmann::json months =
        nlohmann::json::parse(run({"months", "2097", "--format", "json"}).out);
    int marked = 0;
    for (const nlohmann::json& m : months) {
        if (m["new_moon_seconds"].is_null()) continue;
        ++marked;
        EXPECT_EQ(7, m["month"]);
        EXPECT_EQ(-27, m["new_moon_seconds"]);
    }
    EXPECT_EQ(1, marked);
    // Days the records fix (moved to the last second of a day) are not marked.
    EXPECT_EQ(std::string::npos, run({"months", "1914"}).out.find('*'));
}

}  // namespace
}  // namespace tavomerix
