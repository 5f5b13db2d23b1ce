#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli.h"

namespace tavomerix {
namespace {

CliOutput run(std::vector<std::string> args, const CliEnvironment& env = {}) {
    args.insert(args.begin(), "tavomerix");
    return runCli(args, env);
}

nlohmann::json jsonOf(std::vector<std::string> args) {
    args.insert(args.end(), {"--format", "json"});
    const CliOutput o = run(args);
    EXPECT_EQ(ExitOk, o.exitCode) << o.err;
    return nlohmann::json::parse(o.out, nullptr, false);
}

constexpr const char* Example =
    "2024-02-10\n"
    "甲辰日  纳音 覆灯火\n"
    "建除 满  二十八宿 氐(凶)\n"
    "冲狗(戊戌)  煞南\n"
    "彭祖百忌 甲不开仓财物耗散 辰不哭泣必主重丧\n"
    "喜神 东北  福神 正北  财神 东北\n"
    "值神 金匮(黄道)\n"
    "立春 二候 蛰虫始振\n";

TEST(CliAlmanac, PrintsTheDateAndTheAlmanacLines) {
    const struct {
        std::vector<std::string> args;
        std::string out;
    } Cases[] = {
        {{"almanac", "2024-2-10"}, Example},
        {{"almanac", "2024-02-10", "--tz", "8"}, Example},
        {{"almanac", "--lunar", "2024-1-1"}, Example},
        {{"almanac", "1949-10-01"},
         "1949-10-01\n甲子日  纳音 海中金\n建除 平  二十八宿 氐(凶)\n冲马(戊午)  煞南\n"
         "彭祖百忌 甲不开仓财物耗散 子不问卜自惹祸殃\n喜神 东北  福神 正北  财神 东北\n"
         "值神 司命(黄道)\n秋分 二候 蛰虫坯户\n"},
        // 101 BC: the historical reckoning puts 惊蛰 on 03-10, modern astronomy on 03-08,
        // so the day lies in different 节 months.
        {{"almanac", "-100-3-8"},
         "-0100-03-08\n癸巳日  纳音 长流水\n建除 平  二十八宿 觜(凶)\n冲猪(丁亥)  煞东\n"
         "彭祖百忌 癸不词讼理弱敌强 巳不远行财物伏藏\n喜神 东南  福神 东北  财神 正南\n"
         "值神 天德(黄道)\n雨水 三候 草木萌动\n"},
        {{"almanac", "-100-3-8", "--modern"},
         "-0100-03-08\n癸巳日  纳音 长流水\n建除 满  二十八宿 觜(凶)\n冲猪(丁亥)  煞东\n"
         "彭祖百忌 癸不词讼理弱敌强 巳不远行财物伏藏\n喜神 东南  福神 东北  财神 正南\n"
         "值神 朱雀(黑道)\n惊蛰 初候 桃始华\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args[1] + (c.args.size() > 2 ? " " + c.args[2] : ""));
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitOk, o.exitCode) << o.err;
        EXPECT_EQ(c.out, o.out);
        EXPECT_EQ("", o.err);
    }
    CliEnvironment env;
    env.today = {2024, 2, 10};
    EXPECT_EQ(Example, run({"almanac"}, env).out);
}

TEST(CliAlmanac, WholeRangeOfTheDayViewInBothRegimes) {
    for (const char* date : {"-8999-1-1", "-500-3-1", "-104-12-31", "0-2-29", "1582-10-15", "9000-12-31"}) {
        for (const bool modern : {false, true}) {
            SCOPED_TRACE(std::string(date) + (modern ? " --modern" : ""));
            std::vector<std::string> args{"almanac", date};
            if (modern) args.push_back("--modern");
            const CliOutput o = run(args);
            EXPECT_EQ(ExitOk, o.exitCode) << o.err;
            EXPECT_EQ(8, std::count(o.out.begin(), o.out.end(), '\n')) << o.out;
            EXPECT_EQ(std::string::npos, o.out.find("()")) << o.out;  // no empty entry
        }
    }
}

TEST(CliAlmanac, JsonCarriesEveryField) {
    const nlohmann::json a = jsonOf({"almanac", "2024-2-10"});
    ASSERT_TRUE(a.is_object());
    const struct {
        const char* key;
        nlohmann::json value;
    } Fields[] = {
        {"jdn", 2460351},
        {"ganzhi", 41},
        {"ganzhi_name", "甲辰"},
        {"na_yin", 21},
        {"na_yin_name", "覆灯火"},
        {"month_branch", 3},
        {"month_branch_name", "寅"},
        {"officer", 3},
        {"officer_name", "满"},
        {"mansion", 3},
        {"mansion_name", "氐"},
        {"mansion_auspicious", false},
        {"mansion_luck", "凶"},
        {"clash_branch", 11},
        {"clash_animal", "狗"},
        {"clash_ganzhi", 35},
        {"clash_ganzhi_name", "戊戌"},
        {"sha_direction", "南"},
        {"pengzu_stem_taboo", "甲不开仓财物耗散"},
        {"pengzu_branch_taboo", "辰不哭泣必主重丧"},
        {"joy_god_direction", "东北"},
        {"fortune_god_direction", "正北"},
        {"wealth_god_direction", "东北"},
        {"spirit", 5},
        {"spirit_name", "金匮"},
        {"yellow_path", true},
        {"path_name", "黄道"},
        {"term", 3},
        {"term_name", "立春"},
        {"days_since_term", 6},
        {"pentad", 2},
        {"pentad_ordinal", "二候"},
        {"pentad_name", "蛰虫始振"},
    };
    for (const auto& f : Fields) {
        ASSERT_TRUE(a.contains(f.key)) << f.key;
        EXPECT_EQ(f.value, a[f.key]) << f.key;
    }
    // The date as the other commands give it, and the lines the text shows.
    EXPECT_EQ("2024-02-10", a["civil"]["iso"]);
    EXPECT_EQ(2460351, a["civil"]["jdn"]);
    EXPECT_EQ("AD02-10-2024", a["civil"]["date_code"]);
    std::string text = "2024-02-10\n";
    for (const auto& line : a["lines"]) text += line.get<std::string>() + "\n";
    EXPECT_EQ(Example, text);
    EXPECT_EQ(std::size(Fields) + 2, a.size());  // nothing unlisted
}

TEST(CliAlmanac, DayViewAppendsTheAlmanac) {
    const std::string view = run({"day", "2024-2-10"}).out;
    const std::string lines = std::string(Example).substr(std::string("2024-02-10\n").size());
    EXPECT_EQ(view + lines, run({"day", "2024-2-10", "--almanac"}).out);
    EXPECT_EQ(run({"day", "-100-3-8", "--modern"}).out +
                  run({"almanac", "-100-3-8", "--modern"}).out.substr(std::string("-0100-03-08\n").size()),
              run({"day", "-100-3-8", "--modern", "--almanac"}).out);

    const nlohmann::json plain = jsonOf({"day", "2024-2-10"});
    EXPECT_FALSE(plain.contains("almanac"));
    nlohmann::json withAlmanac = jsonOf({"day", "2024-2-10", "--almanac"});
    nlohmann::json own = jsonOf({"almanac", "2024-2-10"});
    own.erase("civil");
    EXPECT_EQ(own, withAlmanac["almanac"]);
    withAlmanac.erase("almanac");
    EXPECT_EQ(plain, withAlmanac);
}

TEST(CliAlmanac, BadInputIsOneLineAndExitTwo) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } Cases[] = {
        {{"almanac", "9001-1-1"}, "'9001-1-1' is outside the years -8999..9000"},
        {{"almanac", "-9000-12-31"}, "'-9000-12-31' is outside"},
        {{"almanac", "2024-2-30"}, "no such date '2024-2-30'"},
        {{"almanac", "1582-10-10"}, "'1582-10-10'"},
        {{"almanac", "yesterday"}, "bad date 'yesterday'"},
        {{"almanac", "2024-2-10\n"}, "'2024-2-10\\x0a'"},
        {{"almanac", "--lunar", "2024-闰2-1"}, "'2024-闰2-1'"},
        {{"almanac", "2024-2-10", "2024-2-11"}, "[DATE]"},
        {{"almanac", "2024-2-10", "--format", "tsv"}, "'tsv'"},
        {{"almanac", "2024-2-10", "--tz", "13"}, "'13'"},
        {{"almanac", "2024-2-10", "--era"}, "'--era'"},
        {{"day", "9001-1-1", "--almanac"}, "'9001-1-1' is outside"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.mentions);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitUsage, o.exitCode);
        EXPECT_EQ("", o.out);
        EXPECT_EQ(1, std::count(o.err.begin(), o.err.end(), '\n')) << o.err;
        EXPECT_NE(std::string::npos, o.err.find(c.mentions)) << o.err;
    }
}

}  // namespace
}  // namespace tavomerix
