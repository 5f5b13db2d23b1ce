#include "dayinfo/almanac_rules.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstdint>

#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"

namespace tavomerix {
namespace {

// The tokens of a day (what the 宜 and 忌 lists of an activity name): the spirits of both
// lists, the officer, stem and branch days, and the composite tokens after them.
constexpr int SpiritCount = static_cast<int>(std::size(AuspiciousSpiritNames));
constexpr int StarCount = static_cast<int>(std::size(BalefulStarNames));
constexpr int FirstStar = SpiritCount;
constexpr int FirstOfficer = FirstStar + StarCount;
constexpr int FirstStem = FirstOfficer + 12;
constexpr int FirstBranch = FirstStem + 10;
constexpr std::string_view CompositeTokens[] = {
    "收仓",     "冬月危日", "冬月午日", "冬月申日", "冬月执日",
    "冬月收日", "春月执日", "春月危日", "春月收日",
};
constexpr int FirstComposite = FirstBranch + 12;
constexpr int TokenCount = FirstComposite + static_cast<int>(std::size(CompositeTokens));
using Tokens = std::bitset<TokenCount>;

// How a spirit rule's data reads. Sequence: twelve characters, the value for 正月 ..
// 十二月 ("—" for none). Labelled: items of a label and its values, the label 正 .. 十二
// (a month), 春 夏 秋 冬 (its three months), 阳 or 阴 (the six months of that kind) or 每
// (every month). Harmony: the two other branches of the month's 三合 group. PathGod: the
// yellow- or black-path god named in the data is the day's 值神.
enum class Form { Sequence, Labelled, Harmony, PathGod };
enum class Value { Stem, Branch, Ganzhi, Officer };

struct SpiritRule {
    std::string_view name;
    Form form;
    Value value;
    std::string_view data;
};

// clang-format off
constexpr SpiritRule SpiritRules[] = {
    // 吉神 by month and day stem.
    {"天德", Form::Sequence, Value::Stem, "丁—壬辛—甲癸—丙乙—庚"},
    {"天德合", Form::Sequence, Value::Stem, "壬—丁丙—己戊—辛庚—乙"},
    {"月德", Form::Sequence, Value::Stem, "丙甲壬庚丙甲壬庚丙甲壬庚"},
    {"月德合", Form::Sequence, Value::Stem, "辛己丁乙辛己丁乙辛己丁乙"},
    {"月空", Form::Sequence, Value::Stem, "壬庚丙甲壬庚丙甲壬庚丙甲"},
    {"月恩", Form::Sequence, Value::Stem, "丙丁庚己戊辛壬癸庚乙甲辛"},
    {"四相", Form::Labelled, Value::Stem, "春丙丁 夏戊己 秋壬癸 冬甲乙"},
    // 吉神 by season or month and day branch.
    {"时德", Form::Sequence, Value::Branch, "午午午辰辰辰子子子寅寅寅"},
    {"王日", Form::Sequence, Value::Branch, "寅寅寅巳巳巳申申申亥亥亥"},
    {"官日", Form::Sequence, Value::Branch, "卯卯卯午午午酉酉酉子子子"},
    {"守日", Form::Sequence, Value::Branch, "辰辰辰未未未戌戌戌丑丑丑"},
    {"相日", Form::Sequence, Value::Branch, "巳巳巳申申申亥亥亥寅寅寅"},
    {"民日", Form::Sequence, Value::Branch, "午午午酉酉酉子子子卯卯卯"},
    {"母仓", Form::Labelled, Value::Branch, "春亥子 夏寅卯 秋辰戌丑未 冬申酉"},
    {"三合", Form::Harmony, Value::Branch, ""},
    {"临日", Form::Sequence, Value::Branch, "午亥申丑戌卯子巳寅未辰酉"},
    {"驿马", Form::Sequence, Value::Branch, "申巳寅亥申巳寅亥申巳寅亥"},
    {"天后", Form::Sequence, Value::Branch, "申巳寅亥申巳寅亥申巳寅亥"},
    {"天马", Form::Sequence, Value::Branch, "午申戌子寅辰午申戌子寅辰"},
    {"六合", Form::Sequence, Value::Branch, "亥戌酉申未午巳辰卯寅丑子"},
    {"五富", Form::Sequence, Value::Branch, "亥寅巳申亥寅巳申亥寅巳申"},
    {"天仓", Form::Sequence, Value::Branch, "寅丑子亥戌酉申未午巳辰卯"},
    {"阳德", Form::Sequence, Value::Branch, "戌子寅辰午申戌子寅辰午申"},
    {"阴德", Form::Sequence, Value::Branch, "酉未巳卯丑亥酉未巳卯丑亥"},
    {"六仪", Form::Sequence, Value::Branch, "辰卯寅丑子亥戌酉申未午巳"},
    {"解神", Form::Sequence, Value::Branch, "申申戌戌子子寅寅辰辰午午"},
    {"要安", Form::Sequence, Value::Branch, "寅申卯酉辰戌巳亥午子未丑"},
    {"玉宇", Form::Sequence, Value::Branch, "卯酉辰戌巳亥午子未丑申寅"},
    {"金堂", Form::Sequence, Value::Branch, "辰戌巳亥午子未丑申寅酉卯"},
    {"敬安", Form::Sequence, Value::Branch, "未丑申寅酉卯戌辰亥巳子午"},
    {"普护", Form::Sequence, Value::Branch, "申寅酉卯戌辰亥巳子午丑未"},
    {"福生", Form::Sequence, Value::Branch, "酉卯戌辰亥巳子午丑未寅申"},
    {"圣心", Form::Sequence, Value::Branch, "亥巳子午丑未寅申卯酉辰戌"},
    {"益后", Form::Sequence, Value::Branch, "子午丑未寅申卯酉辰戌巳亥"},
    {"续世", Form::Sequence, Value::Branch, "丑未寅申卯酉辰戌巳亥午子"},
    // 吉神 by the day officer.
    {"吉期", Form::Labelled, Value::Officer, "每除"},
    {"天巫", Form::Labelled, Value::Officer, "每满"},
    {"福德", Form::Labelled, Value::Officer, "每满"},
    {"时阴", Form::Labelled, Value::Officer, "每定"},
    {"天喜", Form::Labelled, Value::Officer, "每成"},
    {"天医", Form::Labelled, Value::Officer, "每成"},
    {"时阳", Form::Labelled, Value::Officer, "每开"},
    {"生气", Form::Labelled, Value::Officer, "每开"},
    // 吉神 by day 干支.
    {"天恩", Form::Labelled, Value::Ganzhi, "每甲子乙丑丙寅丁卯戊辰己卯庚辰辛巳壬午癸未己酉庚戌辛亥壬子癸丑"},
    {"天赦", Form::Labelled, Value::Ganzhi, "春戊寅 夏甲午 秋戊申 冬甲子"},
    {"天愿", Form::Labelled, Value::Ganzhi,
     "正乙亥 二甲戌 三乙酉 四丙申 五丁未 六戊午 七己巳 八庚辰 九辛卯 十壬寅 十一癸丑 十二甲子"},
    {"五合", Form::Labelled, Value::Branch, "每寅卯"},
    {"除神", Form::Labelled, Value::Branch, "每申酉"},
    {"鸣吠", Form::Labelled, Value::Ganzhi, "每庚午壬午甲午丙午壬申甲申丙申庚申乙酉丁酉己酉辛酉癸酉"},
    {"鸣吠对", Form::Labelled, Value::Ganzhi, "每丙寅庚寅壬寅甲寅丁卯辛卯癸卯乙卯丙子庚子壬子"},
    {"不将", Form::Labelled, Value::Ganzhi,
     "正丙寅丁卯丙子丁丑己卯丁亥己丑庚寅辛卯己亥庚子辛丑辛亥 "
     "二乙丑丙寅乙亥丙子丁丑丙戌丁亥己丑庚寅己亥庚子庚戌 "
     "三甲子乙丑甲戌乙亥丙子丁丑乙酉丙戌丁亥己丑丁酉己亥己酉 "
     "四甲子甲戌乙亥丙子甲申乙酉丙戌丁亥戊子丙申丁酉戊戌戊申 "
     "五癸酉甲戌乙亥癸未甲申乙酉丙戌乙未丙申戊戌戊申癸亥 "
     "六壬申癸酉甲戌壬午癸未甲申乙酉甲午乙未戊戌戊申戊午壬戌 "
     "七壬申癸酉壬午癸未甲申乙酉癸巳甲午乙未乙巳戊申戊午 "
     "八戊辰辛未壬申辛巳壬午癸未甲申壬辰癸巳甲午甲辰戊申戊午 "
     "九戊辰庚午辛未庚辰辛巳壬午癸未辛卯壬辰癸巳癸卯戊午 "
     "十己巳庚午己卯庚辰辛巳壬午庚寅辛卯壬辰癸巳壬寅癸卯 "
     "十一丁卯己巳丁丑己卯庚辰辛巳己丑庚寅辛卯壬辰辛丑壬寅丁巳 "
     "十二丙寅丁卯丙子丁丑己卯庚辰己丑庚寅辛卯庚子辛丑丙辰"},
    // The six gods of the yellow path (天德 listed as 宝光).
    {"青龙", Form::PathGod, Value::Branch, "青龙"},
    {"明堂", Form::PathGod, Value::Branch, "明堂"},
    {"金匮", Form::PathGod, Value::Branch, "金匮"},
    {"宝光", Form::PathGod, Value::Branch, "天德"},
    {"玉堂", Form::PathGod, Value::Branch, "玉堂"},
    {"司命", Form::PathGod, Value::Branch, "司命"},

    // 凶煞 by the day officer.
    {"月建", Form::Labelled, Value::Officer, "每建"},
    {"小时", Form::Labelled, Value::Officer, "每建"},
    {"土府", Form::Labelled, Value::Officer, "每建"},
    {"月破", Form::Labelled, Value::Officer, "每破"},
    {"大耗", Form::Labelled, Value::Officer, "每破"},
    {"小耗", Form::Labelled, Value::Officer, "每执"},
    {"死神", Form::Labelled, Value::Officer, "每平"},
    {"死气", Form::Labelled, Value::Officer, "每定"},
    {"血支", Form::Labelled, Value::Officer, "每闭"},
    {"天罡", Form::Labelled, Value::Officer, "阳平 阴收"},
    {"河魁", Form::Labelled, Value::Officer, "阳收 阴平"},
    // 凶煞 by month and day branch.
    {"月厌", Form::Sequence, Value::Branch, "戌酉申未午巳辰卯寅丑子亥"},
    {"地火", Form::Sequence, Value::Branch, "戌酉申未午巳辰卯寅丑子亥"},
    {"厌对", Form::Sequence, Value::Branch, "辰卯寅丑子亥戌酉申未午巳"},
    {"招摇", Form::Sequence, Value::Branch, "辰卯寅丑子亥戌酉申未午巳"},
    {"月煞", Form::Sequence, Value::Branch, "丑戌未辰丑戌未辰丑戌未辰"},
    {"月虚", Form::Sequence, Value::Branch, "丑戌未辰丑戌未辰丑戌未辰"},
    {"劫煞", Form::Sequence, Value::Branch, "亥申巳寅亥申巳寅亥申巳寅"},
    {"灾煞", Form::Sequence, Value::Branch, "子酉午卯子酉午卯子酉午卯"},
    {"天火", Form::Sequence, Value::Branch, "子酉午卯子酉午卯子酉午卯"},
    {"大时", Form::Sequence, Value::Branch, "卯子酉午卯子酉午卯子酉午"},
    {"大败", Form::Sequence, Value::Branch, "卯子酉午卯子酉午卯子酉午"},
    {"咸池", Form::Sequence, Value::Branch, "卯子酉午卯子酉午卯子酉午"},
    {"天吏", Form::Sequence, Value::Branch, "酉午卯子酉午卯子酉午卯子"},
    {"致死", Form::Sequence, Value::Branch, "酉午卯子酉午卯子酉午卯子"},
    {"游祸", Form::Sequence, Value::Branch, "巳寅亥申巳寅亥申巳寅亥申"},
    {"月刑", Form::Sequence, Value::Branch, "巳子辰申午丑寅酉未亥卯戌"},
    {"月害", Form::Sequence, Value::Branch, "巳辰卯寅丑子亥戌酉申未午"},
    {"天贼", Form::Sequence, Value::Branch, "丑子亥戌酉申未午巳辰卯寅"},
    {"血忌", Form::Sequence, Value::Branch, "丑未寅申卯酉辰戌巳亥午子"},
    {"土符", Form::Sequence, Value::Branch, "丑巳酉寅午戌卯未亥辰申子"},
    {"大煞", Form::Sequence, Value::Branch, "戌巳午未寅卯辰亥子丑申酉"},
    {"归忌", Form::Sequence, Value::Branch, "丑寅子丑寅子丑寅子丑寅子"},
    {"往亡", Form::Sequence, Value::Branch, "寅巳申亥卯午酉子辰未戌丑"},
    {"九空", Form::Sequence, Value::Branch, "辰丑戌未辰丑戌未辰丑戌未"},
    {"九坎", Form::Sequence, Value::Branch, "辰丑戌未卯子酉午寅亥申巳"},
    {"九焦", Form::Sequence, Value::Branch, "辰丑戌未卯子酉午寅亥申巳"},
    {"四击", Form::Sequence, Value::Branch, "戌戌戌丑丑丑辰辰辰未未未"},
    {"五虚", Form::Labelled, Value::Branch, "春巳酉丑 夏申子辰 秋亥卯未 冬寅午戌"},
    {"重日", Form::Labelled, Value::Branch, "每巳亥"},
    {"五离", Form::Labelled, Value::Branch, "每申酉"},
    {"天狗", Form::Sequence, Value::Branch, "——————戌—————"},
    // 凶煞 by month and day stem, or fixed 干支.
    {"复日", Form::Sequence, Value::Stem, "甲乙戊丙丁己庚辛戊壬癸己"},
    {"四废", Form::Labelled, Value::Ganzhi, "春庚申辛酉 夏壬子癸亥 秋甲寅乙卯 冬丙午丁巳"},
    {"四忌", Form::Labelled, Value::Ganzhi, "春甲子 夏丙子 秋庚子 冬壬子"},
    {"四穷", Form::Labelled, Value::Ganzhi, "春乙亥 夏丁亥 秋辛亥 冬癸亥"},
    {"八龙", Form::Labelled, Value::Ganzhi, "春甲子乙亥"},
    {"七鸟", Form::Labelled, Value::Ganzhi, "夏丙子丁亥"},
    {"九虎", Form::Labelled, Value::Ganzhi, "秋庚子辛亥"},
    {"六蛇", Form::Labelled, Value::Ganzhi, "冬壬子癸亥"},
    {"四耗", Form::Labelled, Value::Ganzhi, "春壬子 夏乙卯 秋戊午 冬辛酉"},
    {"五墓", Form::Labelled, Value::Ganzhi,
     "正乙未 二乙未 三戊辰 四丙戌 五丙戌 六戊辰 七辛丑 八辛丑 九戊辰 十壬辰 十一壬辰 十二戊辰"},
    {"八风", Form::Labelled, Value::Ganzhi, "春丁丑丁巳 夏甲辰甲申 秋丁未丁亥 冬甲戌甲寅"},
    {"触水龙", Form::Labelled, Value::Ganzhi, "每丙子癸未癸丑"},
    {"八专", Form::Labelled, Value::Ganzhi, "每甲寅丁未己未庚申癸丑"},
    {"地囊", Form::Labelled, Value::Ganzhi,
     "正庚子庚午 二乙未癸丑 三甲子壬午 四己卯己酉 五壬戌甲辰 六丙辰丙戌 七丁巳丁亥 "
     "八丙寅丙申 九辛丑辛未 十戊寅戊申 十一辛卯辛酉 十二癸酉乙卯"},
    // The six gods of the black path (玄武 listed as 元武).
    {"天刑", Form::PathGod, Value::Branch, "天刑"},
    {"朱雀", Form::PathGod, Value::Branch, "朱雀"},
    {"白虎", Form::PathGod, Value::Branch, "白虎"},
    {"天牢", Form::PathGod, Value::Branch, "天牢"},
    {"元武", Form::PathGod, Value::Branch, "玄武"},
    {"勾陈", Form::PathGod, Value::Branch, "勾陈"},
    // The 阴阳 days of the 堪舆经.
    {"大会", Form::Labelled, Value::Ganzhi, "正甲戌 二乙酉 五丙午 六丁巳 七庚辰 八辛卯 十一壬子 十二癸亥"},
    {"小会", Form::Labelled, Value::Ganzhi, "二己卯 三戊辰 四己巳 五戊午 八己酉 九戊戌 十己亥 十一戊子"},
    {"行狠", Form::Labelled, Value::Ganzhi, "三甲申 四乙未 九庚寅 十辛丑"},
    {"了戾", Form::Labelled, Value::Ganzhi, "三丙申 四丁未 九壬寅 十癸丑"},
    {"孤辰", Form::Labelled, Value::Ganzhi, "三戊申庚申壬申 四己未辛未癸未 九甲寅丙寅戊寅 十乙丑丁丑己丑"},
    {"单阴", Form::Labelled, Value::Ganzhi, "三戊辰"},
    {"纯阳", Form::Labelled, Value::Ganzhi, "四己巳"},
    {"孤阳", Form::Labelled, Value::Ganzhi, "九戊戌"},
    {"纯阴", Form::Labelled, Value::Ganzhi, "十己亥"},
    {"岁薄", Form::Labelled, Value::Ganzhi, "四丙午戊午 十壬子戊子"},
    {"逐阵", Form::Labelled, Value::Ganzhi, "六丙午戊午 十二壬子戊子"},
    {"阴阳交破", Form::Labelled, Value::Ganzhi, "四癸亥 十丁巳"},
    {"阴阳击冲", Form::Labelled, Value::Ganzhi, "五壬子 十一丙午"},
    {"阳破阴冲", Form::Labelled, Value::Ganzhi, "六癸丑 十二丁未"},
    {"阴道冲阳", Form::Labelled, Value::Ganzhi, "二己酉 八己卯"},
    {"阴位", Form::Labelled, Value::Ganzhi, "三庚辰 九甲戌"},
    {"三阴", Form::Labelled, Value::Ganzhi, "正辛酉 七乙卯"},
    {"阳错", Form::Labelled, Value::Ganzhi,
     "正甲寅 二乙卯 三甲辰 四丁巳己巳 六丁未己未 七庚申 八辛酉 九庚戌 十癸亥 十二癸丑"},
    {"阴错", Form::Labelled, Value::Ganzhi,
     "正庚戌 二辛酉 三庚申 四丁未己未 六丁巳己巳 七甲辰 八乙卯 九甲寅 十癸丑 十二癸亥"},
    {"阴阳俱错", Form::Labelled, Value::Ganzhi, "五丙午 十一壬子"},
    {"绝阴", Form::Labelled, Value::Ganzhi, "四戊辰"},
    {"绝阳", Form::Labelled, Value::Ganzhi, "十戊戌"},
};

// The activities of 协纪's 用事 table in printing order: their printed names, what favours
// them (宜) and what forbids them (忌). 〔德〕 stands for 天德 月德 天德合 月德合 天赦 天愿,
// 〔德〕−天愿 for the first five, 〔重〕 for 月破 平日 收日 劫煞 灾煞 月煞 月刑 月厌 四废,
// 〔重〕−收日 for those without 收日; "—" is an empty list.
struct ActivityRule {
    std::string_view names;
    std::string_view favouredBy;
    std::string_view forbiddenBy;
};
constexpr ActivityRule ActivityRules[] = {
    {"祭祀", "〔德〕 月恩 四相 时德 天巫 开日 普护 福生 圣心 益后 续世", "天狗 寅日"},
    {"祈福", "〔德〕 月恩 四相 时德 天巫 开日 普护 福生 圣心 益后 续世", "〔重〕 月建 月害 大时 游祸 天吏"},
    {"求嗣", "〔德〕 月恩 四相 时德 开日 益后 续世", "〔重〕 月建 月害 大时 游祸 天吏"},
    {"会亲友", "〔德〕 天恩 月恩 四相 时德 王日 民日 三合 福德 天喜 开日 六合 五合", "〔重〕 闭日 月害 五离 酉日"},
    {"入学", "成日 开日", "—"},
    {"冠笄", "定日", "〔重〕 大时 天吏 五墓 丑日"},
    {"出行", "〔德〕 月恩 四相 时德 王日 驿马 天马 建日 吉期 天喜 开日", "〔重〕 闭日 大时 天吏 天贼 五墓 往亡 巳日"},
    {"赴任", "〔德〕 月恩 四相 时德 王日 官日 守日 相日 临日 建日 吉期 天喜 开日", "〔重〕 满日 闭日 大时 天吏 五墓 往亡"},
    {"订盟", "〔德〕 月恩 四相 时德 民日 三合 天喜 六合 五合", "〔重〕 月建 满日 闭日 月害 大时 天吏 四忌 四穷 五墓 五离 八专"},
    {"纳采 问名", "〔德〕 月恩 四相 时德 民日 三合 天喜", "〔重〕 月建 满日 闭日 月害 大时 天吏 四忌 四穷 五墓 五离 八专"},
    {"嫁娶", "〔德〕 三合 天喜 六合 不将", "〔重〕 闭日 月害 厌对 大时 天吏 四忌 四穷 五墓 往亡 八专 亥日"},
    {"进人口", "天愿 民日 三合 满日 收日 六合 天仓", "〔重〕−收日 死神 闭日 月害 大时 天吏 四穷 五墓 九空 往亡"},
    {"移徙 入宅", "〔德〕 月恩 四相 时德 民日 驿马 天马 成日 开日", "〔重〕 闭日 大时 天吏 五墓 归忌 往亡"},
    {"安床", "危日", "〔重〕 闭日 大时 天吏 五墓 申日"},
    {"解除", "〔德〕−天愿 月恩 四相 时德 除日 开日 解神 除神", "月建 平日 死神 收日 劫煞 灾煞 月煞 月刑 月厌 大时 游祸 天吏 死气 四废 五墓"},
    {"沐浴", "除日 解神 除神 亥日 子日", "—"},
    {"理发", "除日 解神 除神", "月建 月破 劫煞 灾煞 月煞 月刑 月厌 丁日"},
    {"整手足甲", "除日 解神 除神", "月建 月破 劫煞 灾煞 月煞 月刑 月厌"},
    {"求医 治病", "〔德〕−天愿 月恩 四相 时德 天后 除日 破日 天医 开日 解神 除神",
     "月建 平日 死神 收日 满日 闭日 劫煞 灾煞 月煞 月刑 月害 月厌 大时 游祸 天吏 死气 四废 五墓 往亡 未日"},
    {"针灸", "—", "血支 血忌"},
    {"裁衣", "〔德〕 月恩 四相 时德 王日 三合 满日 开日 复日", "〔重〕"},
    {"筑堤", "成日 闭日", "〔重〕 土府 大时 天吏 土符 地囊"},
    {"修造 动土", "〔德〕 月恩 四相 时德 三合 开日", "〔重〕 月建 土府 闭日 大时 天吏 五墓 土符 地囊"},
    {"竖柱 上梁", "〔德〕 月恩 四相 时德 三合 开日", "〔重〕 月建 闭日 大时 天吏 五墓"},
    {"造仓", "〔德〕 三合 满日 收仓",
     "〔重〕−收日 月建 土府 大耗 月虚 月害 大时 天吏 小耗 天贼 四耗 四穷 五虚 九空 土符 地囊"},
    {"盖屋", "—", "天火 午日"},
    {"经络", "天愿 三合 满日 六合 五富", "〔重〕 月害 庚日"},
    {"开市", "天愿 民日 满日 成日 开日 五富", "〔重〕 大耗 闭日 月害 大时 天吏 小耗 四耗 四穷 五墓 九空"},
    {"立券 交易", "天愿 民日 三合 满日 六合 五富 五合", "〔重〕 大耗 月害 大时 天吏 小耗 四耗 四穷 五墓 九空 五离"},
    {"纳财", "母仓 天愿 月恩 四相 时德 民日 三合 满日 收日 六合 五富 天仓",
     "〔重〕−收日 大耗 月害 大时 天吏 小耗 四耗 四穷 九空"},
    {"开仓 出货财", "月恩 四相 时德 满日 五富",
     "〔重〕 月建 大耗 闭日 月虚 月害 大时 天吏 小耗 天贼 四耗 四穷 五虚 九空 甲日"},
    {"置产", "开日", "〔重〕 月建 土府 死神 闭日 月害 大时 天吏 死气 五墓 土符 地囊"},
    {"开渠", "开日", "〔重〕 土府 闭日 土符 地囊 壬日"},
    {"掘井", "开日", "〔重〕 土府 闭日 土符 地囊 卯日"},
    {"安碓磑", "三合 开日", "土府 月破 劫煞 灾煞 月煞 月刑 月厌 四废 土符 地囊"},
    {"补垣", "满日 闭日", "月破 劫煞 灾煞 月煞 月刑 月厌 四废 九坎 土府 土符 地囊"},
    {"塞穴", "满日 闭日", "月破 劫煞 灾煞 月煞 月刑 月厌 四废 九坎"},
    {"扫舍", "除日 除神", "—"},
    {"修饰垣墙", "平日", "土府 月破 劫煞 灾煞 月煞 月刑 月厌 四废 土符 地囊"},
    {"平治道涂", "平日", "土府 月厌 土符 地囊"},
    {"破屋 坏垣", "月破", "月建 土府 劫煞 灾煞 月煞 月刑 月厌 土符 地囊"},
    {"伐木", "冬月危日 冬月午日 冬月申日", "月建 月破 月厌 生气"},
    {"捕捉", "执日 收日", "往亡"},
    {"畋猎", "冬月执日 冬月危日 冬月收日", "〔德〕−天愿 生气 往亡"},
    {"取渔", "春月执日 春月危日 春月收日", "〔德〕−天愿 生气 招摇 咸池 八风 九坎 往亡 触水龙"},
    {"乘船", "—", "招摇 咸池 八风 九坎 触水龙"},
    {"栽种", "〔德〕 母仓 月恩 四相 时德 民日 开日 五富",
     "〔重〕−收日 月建 土府 死神 地火 大时 天吏 死气 五墓 九焦 土符 地囊 乙日"},
    {"牧养", "〔德〕 母仓 月恩 四相 时德 民日 开日 五富", "〔重〕−收日 死神 月害 大时 天吏 五墓"},
    {"纳畜", "〔德〕 母仓 民日 三合 收日 六合 五富 天仓", "〔重〕−收日 死神 月害 大时 天吏 五墓"},
    {"破土", "鸣吠 鸣吠对", "〔重〕 月建 土府 月害 五墓 土符 地囊 复日 重日"},
    {"安葬", "〔德〕 六合 鸣吠", "〔重〕 月建 月害 四忌 四穷 五墓 复日 重日"},
    {"启钻", "鸣吠对", "〔重〕 月建 月害 五墓 复日 重日"},
};
// clang-format on
static_assert(std::size(ActivityRules) == 52);

// The minor works that stay allowed on a day where everything else is forbidden: 祭祀 解除
// 沐浴 理发 整手足甲 补垣 塞穴 扫舍 修饰垣墙 平治道涂 破屋坏垣 伐木 (positions in ActivityRules).
constexpr int MinorWorks[] = {0, 14, 15, 16, 17, 35, 36, 37, 38, 39, 40, 41};

constexpr std::string_view VirtueNames = "天德 月德 天德合 月德合 天赦 天愿";
constexpr std::string_view HeavyNames = "月破 平日 收日 劫煞 灾煞 月煞 月刑 月厌 四废";
// Tokens whose 忌 no 德 lifts; the stem and branch days and the 德 themselves join them.
constexpr std::string_view StubbornNames =
    "月破 大耗 游祸 天贼 四击 四废 四忌 四穷 五墓 九坎 九焦 土府 土符 地囊 大煞 归忌 血忌 血支 "
    "往亡 八专 触水龙 天火 地火 招摇 咸池 八风 生气 天狗";
// The 阴阳 days that forbid everything.
constexpr std::string_view ForbiddingYinYangNames =
    "大会 小会 单阴 纯阳 孤阳 纯阴 阴位 阴阳交破 阴阳击冲 阳破阴冲 阴道冲阳 三阴 阴阳俱错 绝阴 "
    "绝阳";

// Days after each 节 (小寒 .. 大雪 in TermNumber order) of its 气往亡.
constexpr int TermRuinDays[] = {30, 7, 14, 21, 8, 16, 24, 9, 18, 27, 10, 20};

// UTF-8 characters of a text, spaces dropped.
std::vector<std::string_view> charactersOf(std::string_view text) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (text[i] != ' ') out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < text.size();) {
        const size_t end = std::min(text.find(' ', i), text.size());
        if (end > i) out.push_back(text.substr(i, end - i));
        i = end + 1;
    }
    return out;
}

template <size_t N>
constexpr int indexIn(const std::string_view (&names)[N], std::string_view name) {
    for (size_t i = 0; i < N; ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// Token number of a name; -1 for none.
constexpr int tokenOf(std::string_view name) {
    if (const int i = indexIn(AuspiciousSpiritNames, name); i >= 0) return i;
    if (const int i = indexIn(BalefulStarNames, name); i >= 0) return FirstStar + i;
    if (const int i = indexIn(CompositeTokens, name); i >= 0) return FirstComposite + i;
    if (name.size() == 6 && name.substr(3) == "日") {
        const std::string_view head = name.substr(0, 3);
        if (const int i = indexIn(DayOfficerNames, head); i >= 0) return FirstOfficer + i;
        if (const int i = indexIn(HeavenlyStems, head); i >= 0) return FirstStem + i;
        if (const int i = indexIn(EarthlyBranches, head); i >= 0) return FirstBranch + i;
    }
    return -1;
}

// Token number of a name known when compiling.
consteval int tok(std::string_view name) {
    const int t = tokenOf(name);
    if (t < 0) throw "no such token";
    return t;
}

Tokens tokensOf(std::string_view names) {
    Tokens tokens;
    for (const std::string_view word : wordsOf(names)) {
        if (word == "〔德〕" || word == "〔德〕−天愿") {
            for (const std::string_view v : wordsOf(VirtueNames)) {
                if (word == "〔德〕" || v != "天愿") tokens.set(tokenOf(v));
            }
        } else if (word == "〔重〕" || word == "〔重〕−收日") {
            for (const std::string_view h : wordsOf(HeavyNames)) {
                if (word == "〔重〕" || h != "收日") tokens.set(tokenOf(h));
            }
        } else if (word != "—") {
            tokens.set(tokenOf(word));  // an unknown name throws: the tables are checked
        }
    }
    return tokens;
}

// Month numbers 0..11 (正月 = 0) of a label at the start of an item, and its length.
struct Label {
    unsigned months = 0;  // bit k for month k
    size_t length = 0;
};

Label labelOf(std::string_view item) {
    constexpr std::string_view Months[] = {"正", "二", "三", "四", "五",   "六",
                                           "七", "八", "九", "十", "十一", "十二"};
    for (int k = 11; k >= 0; --k) {  // 十一 and 十二 before 十
        if (item.substr(0, Months[k].size()) == Months[k]) return {1u << k, Months[k].size()};
    }
    constexpr std::string_view Seasons[] = {"春", "夏", "秋", "冬"};
    for (int s = 0; s < 4; ++s) {
        if (item.substr(0, 3) == Seasons[s]) return {7u << (3 * s), 3};
    }
    if (item.substr(0, 3) == "阳") return {0x555, 3};
    if (item.substr(0, 3) == "阴") return {0xAAA, 3};
    return {0xFFF, 3};  // 每
}

// Index of a one-character value: stem 0..9, branch 0..11 or officer 0..11; -1 for "—".
int valueIndex(Value value, std::string_view character) {
    if (value == Value::Stem) return indexIn(HeavenlyStems, character);
    if (value == Value::Officer) return indexIn(DayOfficerNames, character);
    return indexIn(EarthlyBranches, character);
}

// The values a rule gives each month: stems, branches, officers or sexagenary numbers
// 0..59.
using MonthValues = std::array<std::vector<int>, 12>;

MonthValues monthValues(const SpiritRule& rule) {
    MonthValues values;
    if (rule.form == Form::Sequence) {
        const std::vector<std::string_view> chars = charactersOf(rule.data);
        for (int k = 0; k < 12; ++k) {
            const int v = valueIndex(rule.value, chars.at(k));
            if (v >= 0) values[k].push_back(v);
        }
        return values;
    }
    for (const std::string_view item : wordsOf(rule.data)) {
        const Label label = labelOf(item);
        const std::vector<std::string_view> chars = charactersOf(item.substr(label.length));
        std::vector<int> items;
        if (rule.value == Value::Ganzhi) {
            for (size_t i = 0; i + 1 < chars.size(); i += 2) {
                items.push_back(ganzhiOfStemBranch(indexIn(HeavenlyStems, chars[i]),
                                                   indexIn(EarthlyBranches, chars[i + 1])) -
                                1);
            }
        } else {
            for (const std::string_view c : chars) items.push_back(valueIndex(rule.value, c));
        }
        for (int k = 0; k < 12; ++k) {
            if (label.months & (1u << k))
                values[k].insert(values[k].end(), items.begin(), items.end());
        }
    }
    return values;
}

// Branch 0..11 of month k (0 = 正月 = 寅).
int monthBranchOf(int k) { return (k + 2) % 12; }

// Tokens of the 720 cases of 节 month and day 干支 that need nothing else.
struct CaseTable {
    std::array<std::array<Tokens, 60>, 12> cases;
};

CaseTable buildCases() {
    CaseTable table;
    for (const SpiritRule& rule : SpiritRules) {
        const int token = tokenOf(rule.name);
        const MonthValues values = rule.form == Form::Sequence || rule.form == Form::Labelled
                                       ? monthValues(rule)
                                       : MonthValues{};
        const int god = indexIn(DaySpiritNames, rule.data);
        for (int k = 0; k < 12; ++k) {
            const int m = monthBranchOf(k);
            for (int g = 0; g < 60; ++g) {
                const int stem = g % 10, branch = g % 12, officer = floorMod(branch - m, 12);
                bool on = false;
                if (rule.form == Form::Harmony) {
                    on = branch == (m + 4) % 12 || branch == (m + 8) % 12;
                } else if (rule.form == Form::PathGod) {
                    on = floorMod(branch - (2 * m + 8), 12) == god;
                } else {
                    const int of = rule.value == Value::Stem      ? stem
                                   : rule.value == Value::Branch  ? branch
                                   : rule.value == Value::Officer ? officer
                                                                  : g;
                    on = std::find(values[k].begin(), values[k].end(), of) != values[k].end();
                }
                if (on) table.cases[k][g].set(token);
            }
        }
    }
    for (int k = 0; k < 12; ++k) {
        for (int g = 0; g < 60; ++g) {
            Tokens& t = table.cases[k][g];
            t.set(FirstOfficer + floorMod(g % 12 - monthBranchOf(k), 12));
            t.set(FirstStem + g % 10);
            t.set(FirstBranch + g % 12);
        }
    }
    return table;
}

struct ActivityTable {
    std::array<Tokens, std::size(ActivityRules)> favouredBy, forbiddenBy;
    std::array<std::array<std::string_view, 2>, std::size(ActivityRules)> names;  // "" for none
    Tokens virtues, heavy, stubborn, forbiddingYinYang;
};

ActivityTable buildActivities() {
    ActivityTable table;
    for (size_t i = 0; i < std::size(ActivityRules); ++i) {
        table.favouredBy[i] = tokensOf(ActivityRules[i].favouredBy);
        table.forbiddenBy[i] = tokensOf(ActivityRules[i].forbiddenBy);
        const std::vector<std::string_view> names = wordsOf(ActivityRules[i].names);
        std::copy(names.begin(), names.end(), table.names[i].begin());
    }
    table.virtues = tokensOf(VirtueNames);
    table.heavy = tokensOf(HeavyNames);
    table.stubborn = tokensOf(StubbornNames) | table.virtues;
    for (int i = FirstStem; i < FirstComposite; ++i) table.stubborn.set(i);
    table.forbiddingYinYang = tokensOf(ForbiddingYinYangNames);
    return table;
}

const CaseTable& cases() {
    static const CaseTable table = buildCases();
    return table;
}

const ActivityTable& activities() {
    static const ActivityTable table = buildActivities();
    return table;
}

// The printed names of activity i, appended to `out`.
void appendActivity(std::vector<std::string_view>& out, const ActivityTable& table, size_t i) {
    out.push_back(table.names[i][0]);
    if (!table.names[i][1].empty()) out.push_back(table.names[i][1]);
}

// Outcome of one activity: 1 宜, -1 忌, 0 not printed.
int decide(const Tokens& day, const ActivityTable& table, size_t i, bool virtue) {
    const bool favoured = (day & table.favouredBy[i]).any();
    const Tokens against = day & table.forbiddenBy[i];
    if (!against.any()) return favoured ? 1 : 0;
    if (!favoured) return -1;
    return virtue && !(against & table.stubborn).any() ? 1 : -1;
}

}  // namespace

AlmanacMarks almanacMarks(const LunarCalendar& calendar, int n, const LunarDate& lunar) {
    AlmanacMarks marks;
    if (lunar.valid()) {
        marks.lastLunarDay = lunar.day == calendar.monthLength(lunar.year, lunar.monthCode());
    }
    // The terms from 31 days before to 18 days after the day (气往亡 comes at most 30 days
    // after its 节), read once from the term tables of the civil years they lie in.
    const CivilDate date = civilDateFromDayNumber(n);
    const int firstYear = date.month == 1 ? date.year - 1 : date.year;
    const int lastYear = date.month == 12 ? date.year + 1 : date.year;
    for (int year = firstYear; year <= lastYear; ++year) {
        const TermYearTable* table = calendar.termTable(year);
        if (table == nullptr) continue;
        for (int i = 0; i < table->count; ++i) {
            const TermEvent& e = table->terms[static_cast<size_t>(i)];
            const int offset = floorToInt(e.instant) - n;
            if (offset == 1) {
                marks.dayBeforeMidSeason |= e.number % 6 == 0;    // 春分 夏至 秋分 冬至
                marks.dayBeforeSeasonStart |= e.number % 6 == 3;  // 立春 立夏 立秋 立冬
            }
            // 土王用事: the 18 days before a 立 day.
            if (e.number % 6 == 3 && offset >= 1 && offset <= 18) marks.earthRule = true;
            if (e.number % 2 == 1 && offset == -TermRuinDays[(e.number - 1) / 2]) {
                marks.termGoingToRuin = true;
            }
        }
    }
    return marks;
}

namespace {

// What a day's tokens decide: its spirits (the name tokens) and, by position in
// ActivityRules, the activities it favours and forbids.
struct Outcome {
    std::uint64_t auspicious = 0;            // bit i: AuspiciousSpiritNames[i]
    std::array<std::uint64_t, 2> baleful{};  // bit i of word i / 64: BalefulStarNames[i]
    std::uint64_t favoured = 0, forbidden = 0;
    bool allForbidden = false, nothingElse = false, virtue = false;
};
static_assert(std::size(ActivityRules) <= 64);

Outcome outcomeOf(int m, int g, const AlmanacMarks& marks) {
    const int k = floorMod(m - 2, 12);
    const ActivityTable& table = activities();
    Tokens day = cases().cases[k][g];
    const int branch = g % 12;
    const int officer = floorMod(branch - m, 12);
    if (marks.earthRule && (branch == 5 || branch == 6)) day.set(tok("母仓"));  // 巳 午
    if (marks.dayBeforeMidSeason) day.set(tok("四离"));
    if (marks.dayBeforeSeasonStart) day.set(tok("四绝"));
    if (marks.termGoingToRuin) day.set(tok("气往亡"));
    if (marks.lastLunarDay) day.set(tok("晦日"));
    Outcome o;
    for (int i = 0; i < FirstOfficer; ++i) {
        if (!day[static_cast<size_t>(i)]) continue;
        if (i < FirstStar) {
            o.auspicious |= std::uint64_t{1} << i;
        } else {
            o.baleful[static_cast<size_t>((i - FirstStar) / 64)] |= std::uint64_t{1}
                                                                    << ((i - FirstStar) % 64);
        }
    }
    // Tokens that name no spirit of the day: 气往亡 forbids what 往亡 forbids.
    if (marks.termGoingToRuin) day.set(tok("往亡"));
    const auto has = [&day](int t) { return day[static_cast<size_t>(t)]; };
    if ((has(tok("收日")) || has(tok("母仓")) || has(tok("六合")) || has(tok("五富")) ||
         has(tok("天仓"))) &&
        (has(tok("月德")) || has(tok("四相")) || has(tok("时德")) || has(tok("开日")))) {
        day.set(tok("收仓"));
    }
    if (k >= 9) {  // 亥 子 丑 months
        if (officer == 7) day.set(tok("冬月危日"));
        if (branch == 6) day.set(tok("冬月午日"));
        if (branch == 8) day.set(tok("冬月申日"));
        if (officer == 5) day.set(tok("冬月执日"));
        if (officer == 9) day.set(tok("冬月收日"));
    }
    if (k == 1 || k == 2) {  // 卯 辰 months
        if (officer == 5) day.set(tok("春月执日"));
        if (officer == 7) day.set(tok("春月危日"));
        if (officer == 9) day.set(tok("春月收日"));
    }

    o.virtue = (day & table.virtues).any();
    const bool breaking = has(tok("月破"));
    o.allForbidden =
        (day & table.forbiddingYinYang).any() ||                              // the 阴阳 days
        (breaking && (has(tok("灾煞")) || has(tok("月刑"))) && !o.virtue) ||  // saved by a 德
        (breaking && has(tok("灾煞")) && has(tok("月厌"))) || (has(tok("四废")) && breaking) ||
        (has(tok("月煞")) && (has(tok("平日")) || has(tok("闭日"))) && !o.virtue) ||  // 德 saves
        (has(tok("月厌")) && has(tok("建日")) && !has(tok("天赦"))) ||  // saved by 天赦 only
        has(tok("四离")) || has(tok("四绝")) || has(tok("晦日"));
    if (o.allForbidden) {
        for (const int i : MinorWorks) {
            const auto at = static_cast<size_t>(i);
            if ((day & table.favouredBy[at]).any() &&
                !(day & table.forbiddenBy[at] & table.stubborn).any()) {
                o.favoured |= std::uint64_t{1} << at;
            }
        }
        o.nothingElse = o.favoured != 0;
        return o;
    }
    for (size_t i = 0; i < std::size(ActivityRules); ++i) {
        const int outcome = decide(day, table, i, o.virtue);
        if (outcome > 0) o.favoured |= std::uint64_t{1} << i;
        if (outcome < 0) o.forbidden |= std::uint64_t{1} << i;
    }
    o.nothingElse = !o.virtue && (day & table.heavy).any() && o.favoured != 0;
    return o;
}

// The outcomes of the 720 cases on days without marks, the most days.
struct OutcomeTable {
    std::array<std::array<Outcome, 60>, 12> cases;
};

OutcomeTable buildOutcomes() {
    OutcomeTable table;
    for (int m = 0; m < 12; ++m) {
        for (int g = 0; g < 60; ++g) table.cases[m][g] = outcomeOf(m, g, {});
    }
    return table;
}

AlmanacLists listsOf(const Outcome& o) {
    const ActivityTable& table = activities();
    AlmanacLists lists;
    lists.allForbidden = o.allForbidden;
    lists.nothingElse = o.nothingElse;
    lists.virtue = o.virtue;
    lists.auspicious.reserve(16);
    lists.baleful.reserve(16);
    for (std::uint64_t bits = o.auspicious; bits != 0; bits &= bits - 1) {
        lists.auspicious.push_back(AuspiciousSpiritNames[std::countr_zero(bits)]);
    }
    for (size_t word = 0; word < o.baleful.size(); ++word) {
        for (std::uint64_t bits = o.baleful[word]; bits != 0; bits &= bits - 1) {
            lists.baleful.push_back(
                BalefulStarNames[64 * word + static_cast<size_t>(std::countr_zero(bits))]);
        }
    }
    const auto activitiesOf = [&table](std::uint64_t bits, std::vector<std::string_view>& out) {
        out.reserve(std::size(ActivityNames) + 1);
        for (; bits != 0; bits &= bits - 1) {
            appendActivity(out, table, static_cast<size_t>(std::countr_zero(bits)));
        }
    };
    activitiesOf(o.favoured, lists.favoured);
    if (o.allForbidden) {
        lists.favoured.push_back(o.nothingElse ? NothingElseText : NothingFavouredText);
        lists.forbidden.push_back(NothingFavouredText);
        return lists;
    }
    activitiesOf(o.forbidden, lists.forbidden);
    if (o.nothingElse) lists.favoured.push_back(NothingElseText);
    return lists;
}

}  // namespace

AlmanacLists almanacLists(int monthBranch, int ganzhi, const AlmanacMarks& marks) {
    if (monthBranch < 1 || monthBranch > 12 || ganzhi < 1 || ganzhi > 60) return {};
    if (marks == AlmanacMarks{}) {
        static const OutcomeTable table = buildOutcomes();
        return listsOf(table.cases[monthBranch - 1][ganzhi - 1]);
    }
    return listsOf(outcomeOf(monthBranch - 1, ganzhi - 1, marks));
}

AlmanacLists almanacLists(const LunarCalendar& calendar, const Almanac& almanac) {
    if (!almanac.valid()) return {};
    const int n = almanac.dayNumber;
    return almanacLists(almanac.monthBranch, almanac.ganzhi,
                        almanacMarks(calendar, n, lunarDateOfDay(calendar, n)));
}

std::string almanacListsText(const AlmanacLists& lists) {
    const std::pair<std::string_view, const std::vector<std::string_view>*> Lines[] = {
        {"宜", &lists.favoured},
        {"忌", &lists.forbidden},
        {"吉神", &lists.auspicious},
        {"凶煞", &lists.baleful}};
    size_t size = 0;
    for (const auto& [head, names] : Lines) {
        size += head.size() + 1 + (names->empty() ? 1 + EmptyListText.size() : 0);
        for (const std::string_view name : *names) size += 1 + name.size();
    }
    std::string text(size, ' ');
    char* at = text.data();
    const auto put = [&at](std::string_view piece) {
        at = std::copy(piece.begin(), piece.end(), at);
    };
    for (const auto& [head, names] : Lines) {
        put(head);
        if (names->empty()) {
            ++at;  // the space before 无
            put(EmptyListText);
        }
        for (const std::string_view name : *names) {
            ++at;  // the space before each name
            put(name);
        }
        *at++ = '\n';
    }
    return text;
}

namespace {

void appendHourText(std::string& text, const AlmanacHour& h) {
    text.append(h.label).append(" ").append(clockMinuteText(h.startMinute)).append("-");
    text.append(clockMinuteText(h.endMinute)).append(" ").append(h.ganzhiName).append(" ");
    text.append(h.spiritName).append("(").append(h.pathName).append(") ").append(h.luck);
}

}  // namespace

std::string almanacHourText(const AlmanacHour& hour) {
    std::string text;
    appendHourText(text, hour);
    return text;
}

std::string almanacHoursText(std::span<const AlmanacHour> hours) {
    std::string text;
    text.reserve(48 * hours.size());
    for (const AlmanacHour& hour : hours) text.append(hour.text).append("\n");
    return text;
}

namespace {

// The hour tables of the sixty day 干支 under both conventions, with their texts.
struct HourTables {
    std::array<std::string, 60> ganzhiNames;
    std::array<std::array<std::vector<AlmanacHour>, 2>, 60> rows;
    std::array<std::array<std::vector<std::string>, 2>, 60> texts;
};

HourTables buildHourTables() {
    HourTables t;
    for (int g = 0; g < 60; ++g) t.ganzhiNames[static_cast<size_t>(g)] = ganzhiName(g + 1);
    // One hour of branch h whose 干支 and god come from the hours of the day with 干支 g.
    const auto hour = [&t](int g, int h, std::string_view label, int start, int end) {
        AlmanacHour row;
        row.branch = h + 1;
        row.label = label;
        row.startMinute = start;
        row.endMinute = end;
        row.ganzhi = ganzhiOfStemBranch((2 * (g % 10 % 5) + h) % 10, h);
        row.ganzhiName = t.ganzhiNames[static_cast<size_t>(row.ganzhi - 1)];
        const int spirit = floorMod(h - (2 * (g % 12) + 8), 12);  // 青龙 at (2z + 8) mod 12
        row.spirit = spirit + 1;
        row.spiritName = DaySpiritNames[spirit];
        row.yellowPath = DaySpiritYellowPath[spirit];
        row.pathName = row.yellowPath ? "黄道" : "黑道";
        row.luck = row.yellowPath ? "吉" : "凶";
        return row;
    };
    for (int g = 0; g < 60; ++g) {
        for (const ZiHour zi : {ZiHour::Late, ZiHour::Early}) {
            const size_t convention = zi == ZiHour::Early ? 1 : 0;
            std::vector<AlmanacHour>& rows = t.rows[static_cast<size_t>(g)][convention];
            rows.push_back(zi == ZiHour::Late ? hour(g, 0, "早子", 0, 59)
                                              : hour(g, 0, EarthlyBranches[0], 23 * 60, 59));
            for (int h = 1; h < 12; ++h) {
                rows.push_back(
                    hour(g, h, EarthlyBranches[h], (2 * h - 1) * 60, (2 * h + 1) * 60 - 1));
            }
            if (zi == ZiHour::Late)
                rows.push_back(hour((g + 1) % 60, 0, "晚子", 23 * 60, 24 * 60 - 1));
            std::vector<std::string>& texts = t.texts[static_cast<size_t>(g)][convention];
            texts.reserve(rows.size());  // the rows' views into these strings stay valid
            for (AlmanacHour& row : rows) {
                texts.push_back(almanacHourText(row));
                row.text = texts.back();
            }
        }
    }
    return t;
}

}  // namespace

std::span<const AlmanacHour> almanacHours(int n, ZiHour zi) {
    static const HourTables tables = buildHourTables();
    return tables
        .rows[static_cast<size_t>(ganzhiDayOfDayNumber(n) - 1)][zi == ZiHour::Early ? 1 : 0];
}

}  // namespace tavomerix
