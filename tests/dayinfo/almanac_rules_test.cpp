#include "dayinfo/almanac_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "chinese/year_events.h"
#include "dayinfo/almanac.h"

namespace tavomerix {
namespace {

const LunarCalendar& calendarOf(Regime regime) { return LunarCalendar::shared({8, regime}); }

std::string joined(const std::vector<std::string_view>& names) {
    std::string text;
    for (const std::string_view n : names) text += (text.empty() ? "" : " ") + std::string(n);
    return text;
}

bool listed(const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

int ganzhiNamed(std::string_view name) {
    for (int g = 1; g <= 60; ++g) {
        if (ganzhiName(g) == name) return g;
    }
    return 0;
}

int branchNamed(std::string_view name) {
    return static_cast<int>(
               std::find(std::begin(EarthlyBranches), std::end(EarthlyBranches), name) -
               std::begin(EarthlyBranches)) +
           1;
}

// The worked examples of the rules, in both regimes (the same astronomy in these years).
TEST(AlmanacRules, WorkedExamples) {
    const struct {
        CivilDate date;
        const char *auspicious, *baleful, *favoured, *forbidden;
    } Cases[] = {
        {{1949, 10, 1},
         "月空 天恩 时德 阳德 民日 玉宇 司命",
         "河魁 死神 天吏 致死 往亡",
         "祭祀 沐浴 修饰垣墙 平治道涂 馀事勿取",
         "祈福 求嗣 会亲友 冠笄 出行 赴任 订盟 纳采 问名 嫁娶 进人口 移徙 入宅 安床 解除 求医 治病 "
         "裁衣 筑堤 修造 动土 竖柱 上梁 造仓 经络 开市 立券 交易 纳财 开仓 出货财 置产 开渠 掘井 "
         "捕捉 "
         "畋猎 取渔 栽种 牧养 纳畜 破土 安葬 启钻"},
        {{2024, 2, 4},
         "阳德 三合 天喜 天医 司命",
         "月厌 地火 四击 大煞",
         "入学 馀事勿取",
         "祈福 求嗣 会亲友 冠笄 出行 赴任 订盟 纳采 问名 嫁娶 进人口 移徙 入宅 安床 解除 理发 "
         "整手足甲 "
         "求医 治病 裁衣 筑堤 修造 动土 竖柱 上梁 造仓 经络 开市 立券 交易 纳财 开仓 出货财 置产 "
         "开渠 "
         "掘井 安碓磑 补垣 塞穴 修饰垣墙 平治道涂 破屋 坏垣 伐木 栽种 牧养 纳畜 破土 安葬 启钻"},
        {{2024, 2, 10},
         "守日 天巫 福德 六仪 金堂 金匮",
         "厌对 招摇 九空 九坎 九焦 复日",
         "祭祀 祈福 会亲友 裁衣 经络",
         "赴任 订盟 纳采 问名 嫁娶 进人口 求医 治病 造仓 开市 立券 交易 纳财 开仓 出货财 补垣 塞穴 "
         "取渔 乘船 栽种 破土 安葬 启钻"},
        {{2025, 2, 12},
         "天德合 月空 天恩 母仓 时阳 生气 益后 青龙 鸣吠对",
         "灾煞 天火 四耗",
         "祭祀 祈福 求嗣 会亲友 入学 出行 赴任 订盟 纳采 问名 嫁娶 移徙 入宅 解除 沐浴 求医 治病 "
         "裁衣 "
         "修造 动土 竖柱 上梁 造仓 开市 纳财 置产 掘井 安碓磑 栽种 牧养 纳畜 破土 安葬 启钻",
         "冠笄 进人口 安床 理发 整手足甲 筑堤 盖屋 经络 立券 交易 开仓 出货财 开渠 补垣 塞穴 "
         "修饰垣墙 "
         "破屋 坏垣 伐木 畋猎 取渔"},
        {{2025, 6, 30},
         "阳德 官日 金堂 司命 鸣吠",
         "月建 小时 土府 月刑 月厌 地火 土符",
         "诸事不宜",
         "诸事不宜"},
        {{2025, 12, 15},
         "阳德 六仪 续世 解神 司命",
         "月破 大耗 灾煞 天火 厌对 招摇 五虚 血忌",
         "祭祀 解除 沐浴 破屋 坏垣 馀事勿取",
         "诸事不宜"},
    };
    for (const Regime regime : {Regime::Historical, Regime::Modern}) {
        for (const auto& c : Cases) {
            SCOPED_TRACE(c.date.year * 10000 + c.date.month * 100 + c.date.day);
            const LunarCalendar& calendar = calendarOf(regime);
            const AlmanacLists lists = almanacLists(calendar, almanac(calendar, c.date));
            EXPECT_EQ(c.auspicious, joined(lists.auspicious));
            EXPECT_EQ(c.baleful, joined(lists.baleful));
            EXPECT_EQ(c.favoured, joined(lists.favoured));
            EXPECT_EQ(c.forbidden, joined(lists.forbidden));
        }
    }
    const LunarCalendar& calendar = calendarOf(Regime::Historical);
    EXPECT_EQ(
        "宜 诸事不宜\n忌 诸事不宜\n吉神 阳德 官日 金堂 司命 鸣吠\n"
        "凶煞 月建 小时 土府 月刑 月厌 地火 土符\n",
        almanacListsText(almanacLists(calendar, almanac(calendar, CivilDate{2025, 6, 30}))));
    EXPECT_EQ("宜 无\n忌 无\n吉神 无\n凶煞 无\n", almanacListsText({}));
}

TEST(AlmanacRules, WorkedExampleHours) {
    const struct {
        CivilDate date;
        const char* hours;  // 早子 .. 亥, 晚子: 干支, god and luck
    } Cases[] = {
        {{1949, 10, 1},
         "甲子金匮吉 乙丑天德吉 丙寅白虎凶 丁卯玉堂吉 戊辰天牢凶 己巳玄武凶 庚午司命吉 辛未勾陈凶 "
         "壬申青龙吉 癸酉明堂吉 甲戌天刑凶 乙亥朱雀凶 丙子天刑凶"},
        {{2024, 2, 4},
         "壬子天牢凶 癸丑玄武凶 甲寅司命吉 乙卯勾陈凶 丙辰青龙吉 丁巳明堂吉 戊午天刑凶 己未朱雀凶 "
         "庚申金匮吉 辛酉天德吉 壬戌白虎凶 癸亥玉堂吉 甲子白虎凶"},
        {{2024, 2, 10},
         "甲子天牢凶 乙丑玄武凶 丙寅司命吉 丁卯勾陈凶 戊辰青龙吉 己巳明堂吉 庚午天刑凶 辛未朱雀凶 "
         "壬申金匮吉 癸酉天德吉 甲戌白虎凶 乙亥玉堂吉 丙子白虎凶"},
        {{2025, 2, 12},
         "庚子金匮吉 辛丑天德吉 壬寅白虎凶 癸卯玉堂吉 甲辰天牢凶 乙巳玄武凶 丙午司命吉 丁未勾陈凶 "
         "戊申青龙吉 己酉明堂吉 庚戌天刑凶 辛亥朱雀凶 壬子天刑凶"},
        {{2025, 6, 30},
         "丙子金匮吉 丁丑天德吉 戊寅白虎凶 己卯玉堂吉 庚辰天牢凶 辛巳玄武凶 壬午司命吉 癸未勾陈凶 "
         "甲申青龙吉 乙酉明堂吉 丙戌天刑凶 丁亥朱雀凶 戊子天刑凶"},
        {{2025, 12, 15},
         "壬子金匮吉 癸丑天德吉 甲寅白虎凶 乙卯玉堂吉 丙辰天牢凶 丁巳玄武凶 戊午司命吉 己未勾陈凶 "
         "庚申青龙吉 辛酉明堂吉 壬戌天刑凶 癸亥朱雀凶 甲子天刑凶"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.hours);
        std::string text;
        for (const AlmanacHour& h : almanacHours(julianDayNumber(c.date), ZiHour::Late)) {
            text += (text.empty() ? "" : " ") + std::string(h.ganzhiName) +
                    std::string(h.spiritName) + std::string(h.luck);
        }
        EXPECT_EQ(c.hours, text);
    }
    const int n = julianDayNumber(2024, 2, 10);
    const std::span<const AlmanacHour> late = almanacHours(n, ZiHour::Late);
    const std::span<const AlmanacHour> early = almanacHours(n, ZiHour::Early);
    ASSERT_EQ(13u, late.size());
    ASSERT_EQ(12u, early.size());
    EXPECT_EQ("早子 00:00-00:59 甲子 天牢(黑道) 凶", almanacHourText(late.front()));
    EXPECT_EQ("晚子 23:00-23:59 丙子 白虎(黑道) 凶", almanacHourText(late.back()));
    EXPECT_EQ("子 23:00-00:59 甲子 天牢(黑道) 凶", almanacHourText(early.front()));
    EXPECT_EQ("亥 21:00-22:59 乙亥 玉堂(黄道) 吉", almanacHourText(early.back()));
    // Under 早子时 the late 子 hour opens the next day's table unchanged.
    const AlmanacHour next = almanacHours(n + 1, ZiHour::Early).front();
    EXPECT_EQ(late.back().ganzhi, next.ganzhi);
    EXPECT_EQ(late.back().spirit, next.spirit);
    EXPECT_EQ(late.back().startMinute, next.startMinute);
}

// One case per kind of rule row: by month and stem, by season, by month and branch, the
// 三合 group, the officers (阳 and 阴 months), fixed 干支 in every month, a season or a
// month, branches of every month, the path gods under their list names, and the marks.
TEST(AlmanacRules, OneCasePerRowKind) {
    AlmanacMarks earth;
    earth.earthRule = true;
    AlmanacMarks eve;
    eve.dayBeforeMidSeason = true;
    AlmanacMarks ruin;
    ruin.termGoingToRuin = true;
    const struct {
        const char* month;  // branch of the 节 month
        const char* ganzhi;
        AlmanacMarks marks;
        const char* name;
        bool listed;
    } Cases[] = {
        {"寅", "丁卯", {}, "天德", true},     {"卯", "丁卯", {}, "天德", false},  // 仲月: none
        {"巳", "辛巳", {}, "天德", true},     {"巳", "戊子", {}, "四相", true},
        {"寅", "戊子", {}, "四相", false},    {"申", "甲子", {}, "时德", true},
        {"戌", "乙未", {}, "母仓", true},     {"寅", "乙未", {}, "母仓", false},
        {"丑", "乙巳", earth, "母仓", true},  {"丑", "乙巳", {}, "母仓", false},
        {"丑", "甲辰", earth, "母仓", false}, {"寅", "甲午", {}, "三合", true},
        {"寅", "甲寅", {}, "三合", false},    {"寅", "乙卯", {}, "吉期", true},
        {"寅", "乙巳", {}, "天罡", true},     {"寅", "乙巳", {}, "河魁", false},
        {"卯", "甲午", {}, "河魁", true},     {"卯", "甲午", {}, "天罡", false},
        {"午", "己酉", {}, "天恩", true},     {"午", "甲戌", {}, "天恩", false},
        {"子", "甲子", {}, "天赦", true},     {"寅", "甲子", {}, "天赦", false},
        {"亥", "壬寅", {}, "天愿", true},     {"子", "癸丑", {}, "天愿", true},
        {"酉", "丙寅", {}, "五合", true},     {"寅", "丙寅", {}, "不将", true},
        {"寅", "丙辰", {}, "不将", false},    {"寅", "己巳", {}, "宝光", true},
        {"寅", "己巳", {}, "天德", false},    {"寅", "己酉", {}, "元武", true},
        {"申", "甲戌", {}, "天狗", true},     {"酉", "甲戌", {}, "天狗", false},
        {"辰", "戊辰", {}, "五墓", true},     {"寅", "甲子", {}, "八龙", true},
        {"巳", "甲子", {}, "八龙", false},    {"寅", "甲戌", {}, "大会", true},
        {"卯", "甲戌", {}, "大会", false},    {"寅", "丙寅", eve, "四离", true},
        {"寅", "丙子", ruin, "气往亡", true}, {"寅", "丙子", ruin, "往亡", false},
        {"申", "乙酉", {}, "往亡", true},     {"子", "丙子", {}, "触水龙", true},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::string(c.month) + " " + c.ganzhi + " " + c.name);
        const AlmanacLists lists =
            almanacLists(branchNamed(c.month), ganzhiNamed(c.ganzhi), c.marks);
        EXPECT_EQ(c.listed, listed(lists.auspicious, c.name) || listed(lists.baleful, c.name));
    }
    EXPECT_TRUE(almanacLists(branchNamed("寅"), ganzhiNamed("丙寅"), eve).allForbidden);
    EXPECT_FALSE(almanacLists(0, 1, {}).allForbidden);
    EXPECT_TRUE(almanacLists(13, 1, {}).auspicious.empty());
    EXPECT_TRUE(almanacLists(3, 61, {}).auspicious.empty());
}

// 不将's lists are the stems before 月厌 on the compass (and 己 or 戊) against the five
// branches after it.
TEST(AlmanacRules, NeitherOverbearingFollowsItsCompassRule) {
    constexpr std::string_view Compass[] = {"壬", "子", "癸", "丑", "艮", "寅", "甲", "卯",
                                            "乙", "辰", "巽", "巳", "丙", "午", "丁", "未",
                                            "坤", "申", "庚", "酉", "辛", "戌", "乾", "亥"};
    for (int k = 0; k < 12; ++k) {
        const int m = (k + 2) % 12;
        const int loathing = (10 - k + 12) % 12;                   // 月厌: 正月 戌, backward
        std::set<int> stems = {k / 3 == 0 || k / 3 == 3 ? 5 : 4};  // 己 or 戊
        const int at = static_cast<int>(
            std::find(std::begin(Compass), std::end(Compass), EarthlyBranches[loathing]) -
            std::begin(Compass));
        for (int i = 1; stems.size() < 5; ++i) {
            const std::string_view point = Compass[(at - i + 24) % 24];
            const auto stem = std::find(std::begin(HeavenlyStems), std::end(HeavenlyStems), point);
            if (stem != std::end(HeavenlyStems))
                stems.insert(static_cast<int>(stem - HeavenlyStems));
        }
        for (int g = 1; g <= 60; ++g) {
            const bool after = (((g - 1) % 12 - loathing + 12) % 12) >= 1 &&
                               (((g - 1) % 12 - loathing + 12) % 12) <= 5;
            const bool expected = stems.count((g - 1) % 10) == 1 && after;
            EXPECT_EQ(expected, listed(almanacLists(m + 1, g, {}).auspicious, "不将"))
                << k << " " << ganzhiName(g);
        }
    }
}

// Every spirit of both lists arises in some case, and every list keeps its printing order.
TEST(AlmanacRules, EverySpiritArisesInOrder) {
    AlmanacMarks all{true, true, true, true, true};
    std::set<std::string_view> seen;
    for (int m = 1; m <= 12; ++m) {
        for (int g = 1; g <= 60; ++g) {
            for (const AlmanacMarks& marks : {AlmanacMarks{}, all}) {
                const AlmanacLists lists = almanacLists(m, g, marks);
                seen.insert(lists.auspicious.begin(), lists.auspicious.end());
                seen.insert(lists.baleful.begin(), lists.baleful.end());
                const auto position = [](const auto& names, std::string_view n) {
                    return std::find(std::begin(names), std::end(names), n) - std::begin(names);
                };
                for (size_t i = 1; i < lists.auspicious.size(); ++i) {
                    EXPECT_LT(position(AuspiciousSpiritNames, lists.auspicious[i - 1]),
                              position(AuspiciousSpiritNames, lists.auspicious[i]));
                }
                for (size_t i = 1; i < lists.baleful.size(); ++i) {
                    EXPECT_LT(position(BalefulStarNames, lists.baleful[i - 1]),
                              position(BalefulStarNames, lists.baleful[i]));
                }
            }
        }
    }
    for (const std::string_view name : AuspiciousSpiritNames)
        EXPECT_EQ(1u, seen.count(name)) << name;
    for (const std::string_view name : BalefulStarNames) EXPECT_EQ(1u, seen.count(name)) << name;
}

// The composite tokens: 收仓 for 造仓, the winter and spring months of 伐木 and 取渔.
TEST(AlmanacRules, CompositeTokensFavour) {
    const struct {
        const char* month;
        const char* ganzhi;
        const char* activity;
        bool favoured;
    } Cases[] = {
        {"寅", "丙子", "造仓", true},   // 母仓 with 四相 (and 开日)
        {"卯", "庚子", "造仓", false},  // 收日 and 母仓 without a partner
        {"子", "辛未", "伐木", true},   // 冬月危日
        {"寅", "甲申", "伐木", false},  // 危日 outside winter
        {"卯", "丙申", "取渔", true},   // 春月执日
        {"寅", "丁未", "取渔", false},  // 执日 of 正月
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::string(c.month) + c.ganzhi + c.activity);
        EXPECT_EQ(c.favoured,
                  listed(almanacLists(branchNamed(c.month), ganzhiNamed(c.ganzhi), {}).favoured,
                         c.activity));
    }
}

// Cases of the 诸事皆忌 table from a day's own lists.
int forbiddingCase(const AlmanacLists& l, std::string_view officer) {
    const auto b = [&l](std::string_view n) { return listed(l.baleful, n); };
    const auto a = [&l](std::string_view n) { return listed(l.auspicious, n); };
    const bool virtue =
        a("天德") || a("月德") || a("天德合") || a("月德合") || a("天赦") || a("天愿");
    for (const char* n : {"大会", "小会", "单阴", "纯阳", "孤阳", "纯阴", "阴位", "阴阳交破",
                          "阴阳击冲", "阳破阴冲", "阴道冲阳", "三阴", "阴阳俱错", "绝阴", "绝阳"}) {
        if (b(n)) return 1;
    }
    if (b("月破") && b("灾煞") && b("月厌")) return 3;
    if (b("四废") && b("月破")) return 4;
    if (b("四离") || b("四绝") || b("晦日")) return 7;
    if (b("月破") && (b("灾煞") || b("月刑"))) return virtue ? -2 : 2;
    if (b("月煞") && (officer == "平" || officer == "闭")) return virtue ? -5 : 5;
    if (b("月厌") && officer == "建") return a("天赦") ? -6 : 6;
    return 0;
}

// Every day of a few whole years in both regimes: the 诸事皆忌 days are exactly those of the
// table (saved by a 德 only where it says), the spirits of the solar terms and of the lunar
// date fall on their days, 馀事勿取 closes the 宜 of heavy days without a 德, and the hour
// gods and 干支 run on without a break.
TEST(AlmanacRules, SweepOfWholeYears) {
    constexpr int RuinDays[] = {30, 7, 14, 21, 8, 16, 24, 9, 18, 27, 10, 20};
    std::map<int, int> caseCounts;
    for (const Regime regime : {Regime::Historical, Regime::Modern}) {
        const LunarCalendar& calendar = calendarOf(regime);
        for (const int year : {-100, 1900, 2024}) {
            std::map<int, int> termOnDay;  // day number -> TermNumber
            for (int y = year - 1; y <= year + 1; ++y) {
                for (const TermEvent& e : termsOfYear(calendar, y)) {
                    termOnDay[static_cast<int>(std::floor(e.instant))] = e.number;
                }
            }
            const auto termOn = [&termOnDay](int day) {
                const auto it = termOnDay.find(day);
                return it == termOnDay.end() ? 0 : it->second;
            };
            std::span<const AlmanacHour> before =
                almanacHours(julianDayNumber(year, 1, 1) - 1, ZiHour::Late);
            for (int n = julianDayNumber(year, 1, 1); n < julianDayNumber(year + 1, 1, 1); ++n) {
                SCOPED_TRACE(std::to_string(n) + (regime == Regime::Modern ? " modern" : ""));
                const Almanac a = almanac(calendar, civilDay(civilDateFromDayNumber(n)));
                const AlmanacLists l = almanacLists(calendar, a);
                const int c = forbiddingCase(l, a.officerName);
                ++caseCounts[c];
                EXPECT_EQ(c > 0, l.allForbidden);
                if (l.allForbidden) {
                    EXPECT_EQ(std::vector<std::string_view>{NothingFavouredText}, l.forbidden);
                    for (const std::string_view f : l.favoured) {
                        EXPECT_TRUE(listed({"祭祀", "解除", "沐浴", "理发", "整手足甲", "补垣",
                                            "塞穴", "扫舍", "修饰垣墙", "平治道涂", "破屋", "坏垣",
                                            "伐木", "馀事勿取", "诸事不宜"},
                                           f))
                            << f;
                    }
                } else {
                    const bool heavy = listed(l.baleful, "月破") || a.officerName == "平" ||
                                       a.officerName == "收" || listed(l.baleful, "劫煞") ||
                                       listed(l.baleful, "灾煞") || listed(l.baleful, "月煞") ||
                                       listed(l.baleful, "月刑") || listed(l.baleful, "月厌") ||
                                       listed(l.baleful, "四废");
                    const bool nothingElse = heavy && !l.virtue && l.favoured.size() > 0;
                    EXPECT_EQ(nothingElse,
                              !l.favoured.empty() && l.favoured.back() == NothingElseText);
                }
                const int next = termOn(n + 1);
                EXPECT_EQ(next != 0 && next % 6 == 0, listed(l.baleful, "四离"));
                EXPECT_EQ(next != 0 && next % 6 == 3, listed(l.baleful, "四绝"));
                bool ruin = false;
                for (int j = 1; j <= 23; j += 2) ruin |= termOn(n - RuinDays[(j - 1) / 2]) == j;
                EXPECT_EQ(ruin, listed(l.baleful, "气往亡"));
                bool earth = false;
                for (int d = 1; d <= 18; ++d) earth |= termOn(n + d) % 6 == 3 && termOn(n + d) != 0;
                if (earth && (a.ganzhi - 1) % 12 >= 5 && (a.ganzhi - 1) % 12 <= 6) {
                    EXPECT_TRUE(listed(l.auspicious, "母仓"));
                }
                EXPECT_EQ(lunarDateOfDay(calendar, n + 1).day == 1, listed(l.baleful, "晦日"));

                const std::span<const AlmanacHour> hours = almanacHours(n, ZiHour::Late);
                EXPECT_EQ(before.back().ganzhi, hours.front().ganzhi);
                EXPECT_EQ(before.back().spirit, hours.front().spirit);
                int yellow = 0;
                for (size_t i = 0; i + 1 < hours.size(); ++i) {
                    yellow += hours[i].yellowPath ? 1 : 0;
                    EXPECT_EQ(hours[i].ganzhi % 60 + 1, hours[i + 1].ganzhi);
                    if (i + 2 < hours.size()) {
                        EXPECT_EQ(hours[i].spirit % 12 + 1, hours[i + 1].spirit);
                    }
                }
                EXPECT_EQ(6, yellow);
                before = hours;
            }
        }
    }
    for (const int c : {1, 2, -2, 3, 4, 5, -5, 6, 7}) EXPECT_GT(caseCounts[c], 0) << "case " << c;
}

}  // namespace
}  // namespace tavomerix
