#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "cli/cli.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"

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

// The core's seven lines of a day (their texts are tested there).
std::string almanacLines(CivilDate date, Regime regime = Regime::Historical) {
    return almanacText(almanac(LunarCalendar::shared({8, regime}), date));
}

// The seven lines, then 宜, 忌, 吉神 and 凶煞.
std::string almanacWithLists(CivilDate date, Regime regime = Regime::Historical) {
    const LunarCalendar& calendar = LunarCalendar::shared({8, regime});
    const Almanac a = almanac(calendar, date);
    return almanacText(a) + almanacListsText(almanacLists(calendar, a));
}

TEST(CliAlmanac, PrintsTheDateAndTheAlmanacLines) {
    const std::string example = "2024-02-10\n" + almanacWithLists({2024, 2, 10});
    ASSERT_NE(std::string::npos, example.find("立春 二候 蛰虫始振"));
    // 101 BC: the historical reckoning puts 惊蛰 on 03-10, modern astronomy on 03-08, so the
    // day lies in different 节 months under --modern.
    const struct {
        std::vector<std::string> args;
        std::string out;
    } Cases[] = {
        {{"almanac", "2024-2-10"}, example},
        {{"almanac", "--lunar", "2024-1-1"}, example},
        {{"almanac", "-100-3-8"}, "-0100-03-08\n" + almanacWithLists({-100, 3, 8})},
        {{"almanac", "-100-3-8", "--modern"},
         "-0100-03-08\n" + almanacWithLists({-100, 3, 8}, Regime::Modern)},
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
    EXPECT_EQ(run({"day", "2024-2-10"}).out + almanacWithLists({2024, 2, 10}),
              run({"day", "2024-2-10", "--almanac"}).out);
    EXPECT_EQ(
        run({"day", "-100-3-8", "--modern"}).out + almanacWithLists({-100, 3, 8}, Regime::Modern),
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

TEST(CliAlmanac, HoursAndTheirConvention) {
    const std::string plain = run({"almanac", "2024-2-10"}).out;
    const std::string late = run({"almanac", "2024-2-10", "--hours"}).out;
    const std::string early = run({"almanac", "2024-2-10", "--hours", "--early-zi"}).out;
    ASSERT_EQ(0u, late.find(plain));
    ASSERT_EQ(0u, early.find(plain));
    EXPECT_EQ(13, std::count(late.begin() + plain.size(), late.end(), '\n'));
    EXPECT_EQ(12, std::count(early.begin() + plain.size(), early.end(), '\n'));
    EXPECT_EQ(late, run({"almanac", "2024-2-10", "--hours", "--late-zi"}).out);
    EXPECT_NE(std::string::npos, late.find("\n早子 00:00-00:59 甲子 天牢(黑道) 凶\n"));
    EXPECT_NE(std::string::npos, late.find("\n晚子 23:00-23:59 丙子 白虎(黑道) 凶\n"));
    EXPECT_NE(std::string::npos, early.find("\n子 23:00-00:59 甲子 天牢(黑道) 凶\n"));
    EXPECT_NE(std::string::npos, plain.find("\n宜 祭祀 祈福 会亲友 裁衣 经络\n"));

    const nlohmann::json a = jsonOf({"almanac", "2024-2-10", "--early-zi"});
    EXPECT_EQ("early", a["zi_hour"]);
    ASSERT_EQ(12u, a["hours"].size());
    EXPECT_EQ("子 23:00-00:59 甲子 天牢(黑道) 凶", a["hours"][0]["text"]);
    EXPECT_EQ("23:00", a["hours"][0]["start"]);
    EXPECT_EQ(nlohmann::json::array({"祭祀", "祈福", "会亲友", "裁衣", "经络"}), a["favoured"]);
    EXPECT_TRUE(a["forbidden"].is_array());
    EXPECT_EQ(nlohmann::json::array({"守日", "天巫", "福德", "六仪", "金堂", "金匮"}),
              a["auspicious_spirits"]);
    EXPECT_EQ(6u, a["baleful_stars"].size());
    EXPECT_EQ(false, a["all_forbidden"]);
    const nlohmann::json d = jsonOf({"almanac", "2025-6-30"});
    EXPECT_EQ(true, d["all_forbidden"]);
    EXPECT_EQ(nlohmann::json::array({"诸事不宜"}), d["forbidden"]);
    EXPECT_EQ(13u, d["hours"].size());
}

TEST(CliPillars, PrintsThePillarsTheJieAndTheCorrection) {
    const CliOutput o = run({"pillars", "1990-05-17", "14:30", "--longitude", "116.4"});
    ASSERT_EQ(ExitOk, o.exitCode) << o.err;
    EXPECT_EQ(0u, o.out.find("庚午年 辛巳月 壬午日 丁未时\n年柱 庚午 路旁土\n月柱 辛巳 白蜡金\n"
                             "日柱 壬午 杨柳木\n时柱 丁未 天河水\n节 立夏 1990-05-06 "))
        << o.out;
    EXPECT_NE(std::string::npos,
              o.out.find("\n民用时 1990-05-17 14:30:00 UTC+8\n真太阳时 1990-05-17 14:"));
    EXPECT_NE(std::string::npos, o.out.find(" 东经 116.4°\n校正 -10分"));
    EXPECT_NE(std::string::npos, o.out.find("(经度 -14分24秒, 时差 +3分"));
    EXPECT_EQ(std::string::npos, run({"pillars", "1990-05-17", "14:30"}).out.find("真太阳时"));
    EXPECT_NE(std::string::npos,
              run({"pillars", "2024-2-10", "00:10", "--longitude=-73.5", "--tz", "-5"})
                  .out.find("西经 73.5°"));

    // 立春 2024 at 16:27:02 (UTC+8): the year and month turn between 16:27:02 and 16:27:03.
    EXPECT_EQ(0u, run({"pillars", "2024-02-04", "16:27:02"}).out.find("癸卯年 乙丑月"));
    EXPECT_EQ(0u, run({"pillars", "2024-02-04", "16:27:03"}).out.find("甲辰年 丙寅月"));
    EXPECT_EQ(0u, run({"pillars", "2024-02-10", "23:30", "--early-zi"})
                      .out.find("甲辰年 丙寅月 乙巳日 丙子时"));
    EXPECT_EQ(0u, run({"pillars", "2024-02-10", "23:30"}).out.find("甲辰年 丙寅月 甲辰日 丙子时"));

    const nlohmann::json j = jsonOf({"pillars", "1990-05-17", "14:30:00", "--longitude", "116.4"});
    EXPECT_EQ("庚午", j["pillars"]["year"]["name"]);
    EXPECT_EQ("天河水", j["pillars"]["hour"]["na_yin_name"]);
    EXPECT_EQ("立夏", j["jie"]["name"]);
    EXPECT_EQ(-864, j["true_solar_time"]["longitude_seconds"]);
    EXPECT_EQ("late", j["zi_hour"]);
    EXPECT_TRUE(jsonOf({"pillars", "1990-05-17", "14:30"})["true_solar_time"].is_null());
    for (const char* degrees : {"+116.4", "1.164e2", "116.40"}) {
        EXPECT_EQ(j["true_solar_time"], jsonOf({"pillars", "1990-05-17", "14:30", "--longitude",
                                                degrees})["true_solar_time"])
            << degrees;
    }
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
        {{"almanac", "2024-2-10", "--early-zi", "--late-zi"}, "exclude each other"},
        {{"pillars", "2024-2-10", "24:00"}, "bad time '24:00'"},
        {{"pillars", "2024-2-10", "12:61"}, "bad time '12:61'"},
        {{"pillars", "2024-2-10", "12:30:60"}, "'12:30:60'"},
        {{"pillars", "2024-2-10", "12"}, "'12'"},
        {{"pillars", "2024-2-10", "1:2:3:4"}, "'1:2:3:4'"},
        {{"pillars", "2024-2-10", "12:3x"}, "'12:3x'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "180.5"}, "bad longitude '180.5'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "-181"}, "'-181'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "nan"}, "'nan'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "116.4E"}, "'116.4E'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "0x74"}, "'0x74'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", " 116"}, "' 116'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "+-116"}, "'+-116'"},
        {{"pillars", "2024-2-10", "12:30", "--longitude", "1e-400"}, "'1e-400'"},
        {{"pillars", "9001-1-1", "12:30"}, "'9001-1-1' is outside the years -8999..9000"},
        {{"pillars", "-9000-12-31", "12:30"}, "'-9000-12-31' is outside"},
        {{"pillars", "2024-2-30", "12:30"}, "'2024-2-30'"},
        {{"pillars", "2024-2-10"}, "pillars"},
        {{"pillars", "2024-2-10", "12:30", "--hours"}, "'--hours'"},
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
