#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/day_facts.h"

namespace tavomerix {

// Almanac name tables, UTF-8, 0-based: entry k - 1 names number k of the Almanac fields.

// 纳音 of the sexagenary pairs: entry i names days 2i + 1 and 2i + 2 (甲子乙丑 海中金 ..).
constexpr std::string_view NaYinNames[] = {
    "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "涧下水", "城头土",
    "白蜡金", "杨柳木", "泉中水", "屋上土", "霹雳火", "松柏木", "长流水", "沙中金",
    "山下火", "平地木", "壁上土", "金箔金", "覆灯火", "天河水", "大驿土", "钗钏金",
    "桑柘木", "大溪水", "沙中土", "天上火", "石榴木", "大海水",
};
// The twelve day officers (建除十二值星), 建 on the day of the month's own branch.
constexpr std::string_view DayOfficerNames[] = {
    "建", "除", "满", "平", "定", "执", "破", "危", "成", "收", "开", "闭",
};
// The twenty-eight lunar mansions (二十八宿), 角 first.
constexpr std::string_view LunarMansionNames[] = {
    "角", "亢", "氐", "房", "心", "尾", "箕", "斗", "牛", "女", "虚", "危", "室", "壁",
    "奎", "娄", "胃", "昴", "毕", "觜", "参", "井", "鬼", "柳", "星", "张", "翼", "轸",
};
// True for the fourteen auspicious (吉) mansions, in the order of LunarMansionNames.
constexpr bool AuspiciousMansions[] = {
    true,  false, false, true,  false, true,  true, true, false, false, false, false, true,  true,
    false, true,  true,  false, true,  false, true, true, false, false, false, true,  false, true,
};
// 彭祖百忌 of the ten stems and of the twelve branches.
constexpr std::string_view PengzuStemTaboos[] = {
    "甲不开仓财物耗散", "乙不栽植千株不长", "丙不修灶必见灾殃", "丁不剃头头必生疮",
    "戊不受田田主不祥", "己不破券二比并亡", "庚不经络织机虚张", "辛不合酱主人不尝",
    "壬不泱水更难提防", "癸不词讼理弱敌强",
};
constexpr std::string_view PengzuBranchTaboos[] = {
    "子不问卜自惹祸殃", "丑不冠带主不还乡", "寅不祭祀神鬼不尝", "卯不穿井水泉不香",
    "辰不哭泣必主重丧", "巳不远行财物伏藏", "午不苫盖屋主更张", "未不服药毒气入肠",
    "申不安床鬼祟入房", "酉不会客醉坐颠狂", "戌不吃犬作怪上床", "亥不嫁娶不利新郎",
};
// 煞 direction by the day branch mod 4: 申子辰 南, 巳酉丑 东, 寅午戌 北, 亥卯未 西.
constexpr std::string_view ShaDirections[] = {"南", "东", "北", "西"};
// Directions of the gods of joy (喜神) and of fortune (福神) by the day stem mod 5 (甲己,
// 乙庚, 丙辛, 丁壬, 戊癸), and of the god of wealth (财神) by the stem pair (甲乙 .. 壬癸).
constexpr std::string_view JoyGodDirections[] = {"东北", "西北", "西南", "正南", "东南"};
constexpr std::string_view FortuneGodDirections[] = {"正北", "西南", "西北", "东南", "东北"};
constexpr std::string_view WealthGodDirections[] = {"东北", "西南", "正北", "正东", "正南"};
// The twelve day spirits (十二天神), 青龙 first; true in DaySpiritYellowPath for the six of
// the yellow path (黄道, auspicious), false for the black path (黑道).
constexpr std::string_view DaySpiritNames[] = {
    "青龙", "明堂", "天刑", "朱雀", "金匮", "天德", "白虎", "玉堂", "天牢", "玄武", "司命", "勾陈",
};
constexpr bool DaySpiritYellowPath[] = {
    true, true, false, false, true, true, false, true, false, false, true, false,
};
// The seventy-two pentads (七十二候), three per solar term in TermNumber order from 小寒:
// entry 3(k - 1) + p - 1 names pentad p of term k.
constexpr std::string_view PentadNames[] = {
    "雁北乡",   "鹊始巢",           "雉始雊",        // 小寒
    "鸡始乳",   "征鸟厉疾",         "水泽腹坚",      // 大寒
    "东风解冻", "蛰虫始振",         "鱼陟负冰",      // 立春
    "獭祭鱼",   "候雁北",           "草木萌动",      // 雨水
    "桃始华",   "仓庚鸣",           "鹰化为鸠",      // 惊蛰
    "玄鸟至",   "雷乃发声",         "始电",          // 春分
    "桐始华",   "田鼠化为鴽",       "虹始见",        // 清明
    "萍始生",   "鸣鸠拂其羽",       "戴胜降于桑",    // 谷雨
    "蝼蝈鸣",   "蚯蚓出",           "王瓜生",        // 立夏
    "苦菜秀",   "靡草死",           "麦秋至",        // 小满
    "螳螂生",   "鵙始鸣",           "反舌无声",      // 芒种
    "鹿角解",   "蜩始鸣",           "半夏生",        // 夏至
    "温风至",   "蟋蟀居壁",         "鹰始挚",        // 小暑
    "腐草为萤", "土润溽暑",         "大雨行时",      // 大暑
    "凉风至",   "白露降",           "寒蝉鸣",        // 立秋
    "鹰乃祭鸟", "天地始肃",         "禾乃登",        // 处暑
    "鸿雁来",   "玄鸟归",           "群鸟养羞",      // 白露
    "雷始收声", "蛰虫坯户",         "水始涸",        // 秋分
    "鸿雁来宾", "雀入大水为蛤",     "菊有黄花",      // 寒露
    "豺乃祭兽", "草木黄落",         "蛰虫咸俯",      // 霜降
    "水始冰",   "地始冻",           "雉入大水为蜃",  // 立冬
    "虹藏不见", "天气上升地气下降", "闭塞而成冬",    // 小雪
    "鹖鴠不鸣", "虎始交",           "荔挺出",        // 大雪
    "蚯蚓结",   "麋角解",           "水泉动",        // 冬至
};
constexpr std::string_view PentadOrdinalNames[] = {"初候", "二候", "三候"};

static_assert(std::size(NaYinNames) == 30);
static_assert(std::size(DayOfficerNames) == 12);
static_assert(std::size(LunarMansionNames) == 28 && std::size(AuspiciousMansions) == 28);
static_assert(std::count(std::begin(AuspiciousMansions), std::end(AuspiciousMansions), true) == 14);
static_assert(std::size(PengzuStemTaboos) == 10 && std::size(PengzuBranchTaboos) == 12);
static_assert(std::size(ShaDirections) == 4);
static_assert(std::size(JoyGodDirections) == 5 && std::size(FortuneGodDirections) == 5 &&
              std::size(WealthGodDirections) == 5);
static_assert(std::size(DaySpiritNames) == 12 && std::size(DaySpiritYellowPath) == 12);
static_assert(std::count(std::begin(DaySpiritYellowPath), std::end(DaySpiritYellowPath), true) ==
              6);
static_assert(std::size(PentadNames) == 72 && std::size(PentadOrdinalNames) == 3);

// Longest stretch in days from a solar term to the next one that the almanac accepts; the
// terms of every regime lie closer together.
constexpr int MaxDaysSinceTerm = 31;

// The almanac (黄历) entries of one day: numbers are 1-based and 0 when there is no value,
// texts point into the tables above ("" when there is none). Almanac{} is the neutral
// result.
struct Almanac {
    int dayNumber = InvalidDayNumber;  // Julian Day number of the day
    int ganzhi = 0;                    // sexagenary number of the day, 1 = 甲子 .. 60 = 癸亥
    std::string ganzhiName;            // "甲辰"
    int naYin = 0;                     // 1 = 海中金 .. 30 = 大海水
    std::string_view naYinName;
    int monthBranch = 0;  // branch of the 节 month, 1 = 子 .. 12 = 亥 (立春 .. 惊蛰: 3 = 寅)
    std::string_view monthBranchName;
    int officer = 0;  // day officer, 1 = 建 .. 12 = 闭
    std::string_view officerName;
    int mansion = 0;  // lunar mansion, 1 = 角 .. 28 = 轸
    std::string_view mansionName;
    bool mansionAuspicious = false;
    std::string_view mansionLuck;        // "吉" or "凶"
    int clashBranch = 0;                 // branch six places on from the day's, 1 = 子 .. 12 = 亥
    std::string_view clashAnimal;        // its animal, "狗"
    int clashGanzhi = 0;                 // sexagenary number of stem four on and the clash branch
    std::string clashGanzhiName;         // "戊戌"
    std::string_view shaDirection;       // "南", "东", "北" or "西"
    std::string_view pengzuStemTaboo;    // "甲不开仓财物耗散"
    std::string_view pengzuBranchTaboo;  // "辰不哭泣必主重丧"
    std::string_view joyGodDirection;    // 喜神, "东北"
    std::string_view fortuneGodDirection;  // 福神
    std::string_view wealthGodDirection;   // 财神
    int spirit = 0;                        // day spirit, 1 = 青龙 .. 12 = 勾陈
    std::string_view spiritName;
    bool yellowPath = false;    // the spirit is of the yellow path (黄道)
    std::string_view pathName;  // "黄道" or "黑道"
    int term = 0;               // TermNumber of the solar term in effect, 1 = 小寒 .. 24
    std::string_view termName;
    int daysSinceTerm = -1;          // days since that term's day, 0 on the day itself; -1 for none
    int pentad = 0;                  // 1..3, the term's 候: days since the term / 5, at most 3
    std::string_view pentadOrdinal;  // "初候", "二候" or "三候"
    std::string_view pentadName;     // "蛰虫始振"

    bool valid() const { return ganzhi != 0; }
};

// The almanac of day n (Julian Day number, MinDayNumber..MaxDayNumber) whose solar term in
// effect is TermNumber `term` (1..24), whose day lies `daysSinceTerm` (0..MaxDaysSinceTerm)
// days before n. The 节 month follows from the term. Almanac{} when an input is out of range.
Almanac almanacOfDay(int n, int term, int daysSinceTerm);

// The almanac of a civil day in the calendar's zone and regime: the 节 month and the term
// in effect come from the calendar's term days (the month begins on the 节's own day).
// Almanac{} unless the date is valid and in years -8999..9000.
Almanac almanac(const LunarCalendar& calendar, const CivilDay& day);
Almanac almanac(const LunarCalendar& calendar, const CivilDate& date);
// The almanac of a day's facts, from their term in effect; Almanac{} for facts that are
// not valid.
Almanac almanac(const DayFacts& facts);

// The almanac for people, seven lines each ending in "\n":
//   甲辰日  纳音 覆灯火
//   建除 满  二十八宿 氐(凶)
//   冲狗(戊戌)  煞南
//   彭祖百忌 甲不开仓财物耗散 辰不哭泣必主重丧
//   喜神 东北  福神 正北  财神 东北
//   值神 金匮(黄道)
//   立春 二候 蛰虫始振
// "" for an invalid almanac.
std::string almanacText(const Almanac& almanac);

}  // namespace tavomerix
