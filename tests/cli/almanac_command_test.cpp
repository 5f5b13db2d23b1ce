#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "cli/cli.h"
#include "dayinfo/almanac.h"

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

// The core's lines of a day (their texts are tested there).
std::string almanacLines(CivilDate date, Regime regime = Regime::Historical) {
    return almanacText(almanac(LunarCalendar::shared({8, regime}), date));
}

TEST(CliAlmanac, PrintsTheDateAndTheAlmanacLines) {
    const std::string example = "2024-02-10\n" + almanacLines({2024, 2, 10});
    ASSERT_NE(std::string::npos, example.find("立春 二候 蛰虫始振"));
    // 101 BC: the historical reckoning puts 惊蛰 on 03-10, modern astronomy on 03-08, so the
    // day lies in different 节 months under --modern.
    const struct {
        std::vector<std::string> args;
        std::string out;
    } Cases[] = {
        {{"almanac", "2024-2-10"}, example},
        {{"almanac", "--lunar", "2024-1-1"}, example},
        {{"almanac", "-100-3-8"}, "-0100-03-08\n" + almanacLines({-100, 3, 8})},
        {{"almanac", "-100-3-8", "--modern"},
         "-0100-03-08\n" + almanacLines({-100, 3, 8}, Regime::Modern)},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args.back());
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitOk, o.exitCode) << o.err;
        EXPECT_EQ(c.out, o.out);
    }
    EXPECT_NE(run({"almanac", "-100-3-8"}).out, run({"almanac", "-100-3-8", "--modern"}).out);
    CliEnvironment env;
    env.today = {2024, 2, 10};
    EXPECT_EQ(example, run({"almanac"}, env).out);
}

TEST(CliAlmanac, JsonCarriesEveryField) {
    const nlohmann::json a = jsonOf({"almanac", "2024-2-10"});
    ASSERT_TRUE(a.is_object());
    // clang-format off
    for (const char* key :
         {"jdn", "ganzhi", "ganzhi_name", "na_yin", "na_yin_name", "month_branch", "month_branch_name", "officer",
          "officer_name", "mansion", "mansion_name", "mansion_auspicious", "mansion_luck", "clash_branch",
          "clash_animal", "clash_ganzhi", "clash_ganzhi_name", "sha_direction", "pengzu_stem_taboo",
          "pengzu_branch_taboo", "joy_god_direction", "fortune_god_direction", "wealth_god_direction", "spirit",
          "spirit_name", "yellow_path", "path_name", "term", "term_name", "days_since_term", "pentad",
          "pentad_ordinal", "pentad_name", "civil", "lines"}) {
        // clang-format on
        EXPECT_TRUE(a.contains(key)) << key;
    }
    EXPECT_EQ("2024-02-10", a["civil"]["iso"]);
    EXPECT_EQ("甲辰", a["ganzhi_name"]);
    EXPECT_EQ(false, a["mansion_auspicious"]);
    EXPECT_EQ(6, a["days_since_term"]);
    std::string text;
    for (const auto& line : a["lines"]) text += line.get<std::string>() + "\n";
    EXPECT_EQ(almanacLines({2024, 2, 10}), text);
}

TEST(CliAlmanac, DayViewAppendsTheAlmanac) {
    EXPECT_EQ(run({"day", "2024-2-10"}).out + almanacLines({2024, 2, 10}),
              run({"day", "2024-2-10", "--almanac"}).out);
    EXPECT_EQ(run({"day", "-100-3-8", "--modern"}).out + almanacLines({-100, 3, 8}, Regime::Modern),
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
        {{"almanac", "2024-2-10\n"}, "'2024-2-10\\x0a'"},
        {{"almanac", "--lunar", "2024-闰2-1"}, "'2024-闰2-1'"},
        {{"almanac", "2024-2-10", "--format", "tsv"}, "'tsv'"},
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
