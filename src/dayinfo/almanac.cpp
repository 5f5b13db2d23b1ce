#include "dayinfo/almanac.h"

#include <algorithm>
#include <initializer_list>

#include "calendar/arithmetic.h"
#include "chinese/sexagenary.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

// Stem 0..9 (0 = 甲) and branch 0..11 (0 = 子) of sexagenary number 1..60.
int stemOf(int ganzhi) { return (ganzhi - 1) % 10; }
int branchOf(int ganzhi) { return (ganzhi - 1) % 12; }

// Branch 0..11 of the month that TermNumber k (1..24) falls in: the 节 k = 1, 3, .., 23
// (小寒 .. 大雪) open the months 丑, 寅, .., 子, and each 气 stays in the month of the 节
// before it.
int monthBranchOfTerm(int k) { return ((k - 1) / 2 + 1) % 12; }

// Branch 0..11 of the 青龙 day in a month of branch m: 申 in the 子 month, two branches on
// for each month after, so that 午 months again have 申 (戌 in 丑/未 .. 午 in 巳/亥).
int azureDragonBranch(int m) { return (8 + 2 * m) % 12; }

Almanac almanacOf(int n, const TermInEffect& term) {
    if (term.number == 0) return {};
    return almanacOfDay(n, term.number, n - term.dayNumber);
}

}  // namespace

Almanac almanacOfDay(int n, int term, int daysSinceTerm) {
    if (n < MinDayNumber || n > MaxDayNumber || term < 1 || term > 24 || daysSinceTerm < 0 ||
        daysSinceTerm > MaxDaysSinceTerm) {
        return {};
    }
    Almanac a;
    a.dayNumber = n;
    a.ganzhi = ganzhiDayOfDayNumber(n);
    a.ganzhiName = ganzhiName(a.ganzhi);
    const int stem = stemOf(a.ganzhi);
    const int branch = branchOf(a.ganzhi);

    a.naYin = (a.ganzhi - 1) / 2 + 1;
    a.naYinName = NaYinNames[a.naYin - 1];

    const int monthBranch = monthBranchOfTerm(term);
    a.monthBranch = monthBranch + 1;
    a.monthBranchName = EarthlyBranches[monthBranch];
    a.officer = floorMod(branch - monthBranch, 12) + 1;
    a.officerName = DayOfficerNames[a.officer - 1];

    const int mansion = floorMod(n + 11, 28);  // 0 = 角; 2024-02-10 (JD 2460351) is 氐
    a.mansion = mansion + 1;
    a.mansionName = LunarMansionNames[mansion];
    a.mansionAuspicious = AuspiciousMansions[mansion];
    a.mansionLuck = a.mansionAuspicious ? "吉" : "凶";

    const int clash = (branch + 6) % 12;
    a.clashBranch = clash + 1;
    a.clashAnimal = ZodiacAnimals[clash];
    a.clashGanzhi = ganzhiOfStemBranch((stem + 4) % 10, clash);
    a.clashGanzhiName = ganzhiName(a.clashGanzhi);
    a.shaDirection = ShaDirections[branch % 4];

    a.pengzuStemTaboo = PengzuStemTaboos[stem];
    a.pengzuBranchTaboo = PengzuBranchTaboos[branch];
    a.joyGodDirection = JoyGodDirections[stem % 5];
    a.fortuneGodDirection = FortuneGodDirections[stem % 5];
    a.wealthGodDirection = WealthGodDirections[stem / 2];

    const int spirit = floorMod(branch - azureDragonBranch(monthBranch), 12);
    a.spirit = spirit + 1;
    a.spiritName = DaySpiritNames[spirit];
    a.yellowPath = DaySpiritYellowPath[spirit];
    a.pathName = a.yellowPath ? "黄道" : "黑道";

    a.term = term;
    a.termName = solarTermName(term);
    a.daysSinceTerm = daysSinceTerm;
    const int pentad = std::min(daysSinceTerm / 5, 2);
    a.pentad = pentad + 1;
    a.pentadOrdinal = PentadOrdinalNames[pentad];
    a.pentadName = PentadNames[3 * (term - 1) + pentad];
    return a;
}

Almanac almanac(const LunarCalendar& calendar, const CivilDate& date) {
    return almanac(calendar, civilDay(date));
}

Almanac almanac(const LunarCalendar& calendar, const CivilDay& day) {
    if (!isDayInfoDate(day.date) || day.dayNumber == InvalidDayNumber) return {};
    const int n = day.dayNumber;
    return almanacOf(n, termInEffect(calendar, n, calendar.nextTerm(n)));
}

Almanac almanac(const DayFacts& facts) {
    if (!facts.valid()) return {};
    return almanacOf(facts.civil.dayNumber, facts.term);
}

std::string almanacText(const Almanac& a) {
    if (!a.valid()) return "";
    std::string text;
    text.reserve(400);
    const auto line = [&text](std::initializer_list<std::string_view> parts) {
        for (const std::string_view piece : parts) text += piece;
        text += '\n';
    };
    line({a.ganzhiName, "日  纳音 ", a.naYinName});
    line({"建除 ", a.officerName, "  二十八宿 ", a.mansionName, "(", a.mansionLuck, ")"});
    line({"冲", a.clashAnimal, "(", a.clashGanzhiName, ")  煞", a.shaDirection});
    line({"彭祖百忌 ", a.pengzuStemTaboo, " ", a.pengzuBranchTaboo});
    line({"喜神 ", a.joyGodDirection, "  福神 ", a.fortuneGodDirection, "  财神 ",
          a.wealthGodDirection});
    line({"值神 ", a.spiritName, "(", a.pathName, ")"});
    line({a.termName, " ", a.pentadOrdinal, " ", a.pentadName});
    return text;
}

}  // namespace tavomerix
