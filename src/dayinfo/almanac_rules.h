#pragma once

#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "dayinfo/almanac.h"

namespace tavomerix {

// The day lists of the almanac after the rules of 《钦定协纪辨方书》: 吉神宜趋, 凶煞宜忌, 宜
// and 忌, and the twelve double hours (时辰). Everything here is a pure function of its
// arguments; the tables are built once on first use and only read afterwards.

// The auspicious spirits (吉神) in the order a day lists them.
constexpr std::string_view AuspiciousSpiritNames[] = {
    "天德合", "月德合", "天德", "月德", "月空", "天恩",   "天赦", "母仓", "月恩", "天愿",
    "四相",   "时德",   "阴德", "阳德", "守日", "王日",   "相日", "民日", "驿马", "三合",
    "临日",   "天后",   "官日", "天马", "天喜", "天医",   "天巫", "时阳", "吉期", "时阴",
    "福德",   "六合",   "五富", "生气", "六仪", "天仓",   "不将", "玉宇", "福生", "益后",
    "敬安",   "金堂",   "续世", "要安", "圣心", "普护",   "解神", "五合", "除神", "玉堂",
    "明堂",   "青龙",   "宝光", "金匮", "司命", "鸣吠对", "鸣吠",
};
// The baleful stars (凶煞) in the order a day lists them; the last four need the days of
// the solar terms or the lunar date.
constexpr std::string_view BalefulStarNames[] = {
    "月破", "月建", "天罡",     "大耗",     "河魁", "小时",   "土府",     "灾煞", "死神",
    "月刑", "天火", "大时",     "月厌",     "大败", "劫煞",   "月害",     "天吏", "致死",
    "咸池", "小耗", "月煞",     "地火",     "月虚", "游祸",   "厌对",     "血支", "招摇",
    "死气", "四击", "天贼",     "四耗",     "四废", "天狗",   "五虚",     "八风", "四穷",
    "四忌", "六蛇", "五墓",     "九空",     "九虎", "绝阳",   "绝阴",     "纯阳", "九坎",
    "八龙", "七鸟", "九焦",     "土符",     "地囊", "大煞",   "归忌",     "血忌", "往亡",
    "复日", "五离", "行狠",     "重日",     "八专", "大会",   "触水龙",   "了戾", "阴阳俱错",
    "白虎", "阴位", "元武",     "阳破阴冲", "朱雀", "岁薄",   "阴道冲阳", "勾陈", "阴阳交破",
    "三阴", "天牢", "阴阳击冲", "孤辰",     "阴错", "天刑",   "逐阵",     "阳错", "小会",
    "纯阴", "单阴", "孤阳",     "四离",     "四绝", "气往亡", "晦日",
};
// The activities of 宜 and 忌 under their almanac names, in printing order.
constexpr std::string_view ActivityNames[] = {
    "祭祀",     "祈福",     "求嗣", "会亲友", "入学", "冠笄",   "出行", "赴任", "订盟",
    "纳采",     "问名",     "嫁娶", "进人口", "移徙", "入宅",   "安床", "解除", "沐浴",
    "理发",     "整手足甲", "求医", "治病",   "针灸", "裁衣",   "筑堤", "修造", "动土",
    "竖柱",     "上梁",     "造仓", "盖屋",   "经络", "开市",   "立券", "交易", "纳财",
    "开仓",     "出货财",   "置产", "开渠",   "掘井", "安碓磑", "补垣", "塞穴", "扫舍",
    "修饰垣墙", "平治道涂", "破屋", "坏垣",   "伐木", "捕捉",   "畋猎", "取渔", "乘船",
    "栽种",     "牧养",     "纳畜", "破土",   "安葬", "启钻",
};
static_assert(std::size(AuspiciousSpiritNames) == 57);
static_assert(std::size(BalefulStarNames) == 88);
static_assert(std::size(ActivityNames) == 60);

// Texts of the 宜 and 忌 lists besides the activities.
constexpr std::string_view NothingElseText = "馀事勿取";      // after the 宜 of a heavy day
constexpr std::string_view NothingFavouredText = "诸事不宜";  // when everything is forbidden
constexpr std::string_view EmptyListText = "无";              // an empty list

// Days a few spirits need besides the 节 month and the day's 干支.
struct AlmanacMarks {
    bool dayBeforeMidSeason = false;    // 四离: the eve of 春分, 夏至, 秋分 or 冬至
    bool dayBeforeSeasonStart = false;  // 四绝: the eve of 立春, 立夏, 立秋 or 立冬
    bool termGoingToRuin = false;  // 气往亡: the set day after a 节 (立春 + 7 .. 小寒 + 30)
    bool earthRule = false;        // within the 18 days of 土王用事 before a 立 day
    bool lastLunarDay = false;     // 晦日: the last day of a lunar month
    friend bool operator==(const AlmanacMarks&, const AlmanacMarks&) = default;
};

// The marks of day n (a Julian Day number of the years -8999..9000) whose lunar date is
// `lunar`, from the calendar's term tables; AlmanacMarks{} where the tables have no terms.
AlmanacMarks almanacMarks(const LunarCalendar& calendar, int n, const LunarDate& lunar);

// A day's spirits and activities, each list in its printing order (names from the tables
// above). favoured ends in 馀事勿取 when `nothingElse`; on a day where everything is
// forbidden (`allForbidden`) favoured holds only the minor works that stay allowed, then
// 馀事勿取, or just 诸事不宜, and forbidden is {诸事不宜}.
struct AlmanacLists {
    std::vector<std::string_view> auspicious;  // 吉神宜趋
    std::vector<std::string_view> baleful;     // 凶煞宜忌
    std::vector<std::string_view> favoured;    // 宜
    std::vector<std::string_view> forbidden;   // 忌
    bool allForbidden = false;                 // 诸事皆忌
    bool nothingElse = false;                  // 馀事勿取 closes the 宜 list
    bool virtue = false;                       // a 德 (天德 月德 and partners, 天赦, 天愿)
};

// The lists of a day in the 节 month of branch monthBranch (1 = 子 .. 12 = 亥, as Almanac)
// whose sexagenary number is `ganzhi` (1..60), the spirits of the term days and the lunar
// date from `marks`; AlmanacLists{} when an input is out of range.
AlmanacLists almanacLists(int monthBranch, int ganzhi, const AlmanacMarks& marks);
// The lists of a day's almanac, its marks from the calendar; AlmanacLists{} for an invalid
// almanac.
AlmanacLists almanacLists(const LunarCalendar& calendar, const Almanac& almanac);

// Four lines for people, each ending in "\n" (an empty list prints 无):
//   宜 祭祀 祈福 会亲友 裁衣 经络
//   忌 赴任 订盟 ..
//   吉神 守日 天巫 福德 六仪 金堂 金匮
//   凶煞 厌对 招摇 九空 九坎 九焦 复日
std::string almanacListsText(const AlmanacLists& lists);

// Where the hour 23:00-24:00 of a civil day belongs. Its 干支 and god are in both cases
// those of the next day's 子 hour.
enum class ZiHour {
    Late,   // 晚子时 (the default): a late 子 hour closing the day, whose day stays the day
    Early,  // 早子时: the next day begins at 23:00 and these minutes open its 子 hour
};

// One double hour (时辰) of a day's table.
struct AlmanacHour {
    int branch = 0;          // 1 = 子 .. 12 = 亥
    std::string_view label;  // "子" .. "亥"; "早子" and "晚子" for the two halves of 晚子时
    int startMinute = 0;     // clock minutes from midnight: 23:00 = 1380 (of the day before
    int endMinute = 0;       // for the early 子 hour), 00:59 = 59; end is the last minute
    int ganzhi = 0;          // sexagenary number of the hour, 五鼠遁
    std::string_view ganzhiName;  // "丙子"
    int spirit = 0;               // hour god, 1 = 青龙 .. 12 = 勾陈 (DaySpiritNames)
    std::string_view spiritName;  // "司命"
    bool yellowPath = false;      // 黄道 (吉) or 黑道 (凶)
    std::string_view pathName;    // "黄道" or "黑道"
    std::string_view luck;        // "吉" or "凶"
    std::string_view text;        // the row for people, as almanacHourText gives it
};

// The hours of day n (any Julian Day number) under a 子-hour convention: 13 rows 早子,
// 丑 .. 亥, 晚子 for ZiHour::Late, 12 rows 子 (from 23:00 of the day before) .. 亥 for
// ZiHour::Early. They depend on the day's 干支 alone; their names and texts point into
// tables built once and kept for the program's lifetime, and so do the rows: a view, not
// a copy.
std::span<const AlmanacHour> almanacHours(int n, ZiHour zi);

// One hour for people: "子 23:00-00:59 丙子 司命(黄道) 吉".
std::string almanacHourText(const AlmanacHour& hour);
// The hours for people, one a line, each ending in "\n".
std::string almanacHoursText(std::span<const AlmanacHour> hours);

}  // namespace tavomerix
