#include "tools/search.h"

#include <gtest/gtest.h>

#include "astro/solar_terms.h"
#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "dayinfo/festivals.h"
#include "dayinfo/next_term.h"

namespace tavomerix {
namespace {

constexpr int MinYear = -100;
const SearchHooks NoHooks{};

// The widget's defaults: UTC+8, the historical reckoning, years from 正月初一.
const SearchSettings Defaults{LunarCalendar::shared({8, Regime::Historical})};

std::string search(SearchKind kind, int start, int range, int leapMonth = 0,
                   const DayConditions& conditions = {}) {
    const auto result =
        runSearch(Defaults, kind, start, range, leapMonth, conditions, NoHooks, "\n");
    return result ? result->text : "(stopped)";
}

TEST(SearchInput, FieldsAsTheWindowRewritesThem) {
    // clang-format off
    const struct {
        const char* note;
        SearchKind kind;
        SearchFields fields;
        bool start;
        int startYear, range, leapMonth;
        SearchFields shown;
    } Cases[] = {
        {"plain", SearchKind::LeapMonths, {"2000", false, "31", "4"}, true, 2000, 31, 4,
         {"2000", false, "31", "4"}},
        {"range passing 5000 ends at 5000", SearchKind::FourLongMonths, {"4990", false, "20", ""},
         true, 4990, 11, 0, {"4990", false, "11", ""}},
        {"huge range", SearchKind::ThreeLongMonths, {"1", false, "99999999999999999999", ""}, true,
         1, 5000, 0, {"1", false, "5000", ""}},
        {"start 5001 emptied", SearchKind::LeapMonths, {"5001", false, "10", ""}, false, 0, 0, 0,
         {"", false, "10", ""}},
        {"zero start rejected", SearchKind::LeapMonths, {"0", false, "10", ""}, false, 0, 0, 0,
         {"", false, "10", ""}},
        {"101 BC is the earliest year", SearchKind::LeapMonths, {"101", true, "10", ""}, true, -100,
         10, 0, {"101", true, "10", ""}},
        {"102 BC is too early", SearchKind::LeapMonths, {"102", true, "10", ""}, false, 0, 0, 0,
         {"", true, "10", ""}},
        {"1 BC is year 0", SearchKind::ThreeShortMonths, {"1", true, "3", ""}, true, 0, 3, 0,
         {"1", true, "3", ""}},
        {"no range, no search", SearchKind::LeapMonths, {"2000", false, "", ""}, false, 0, 0, 0,
         {"2000", false, "", ""}},
        {"malformed range emptied", SearchKind::LeapMonths, {"2000", false, "1e3", ""}, false, 0, 0,
         0, {"2000", false, "", ""}},
        {"leading zeros kept", SearchKind::LeapMonths, {"02000", false, "010", ""}, true, 2000, 10,
         0, {"02000", false, "010", ""}},
        {"filter 13 erased", SearchKind::LeapMonths, {"2000", false, "10", "13"}, true, 2000, 10, 0,
         {"2000", false, "10", ""}},
        {"filter 05 erased", SearchKind::LeapMonths, {"2000", false, "10", "05"}, true, 2000, 10, 0,
         {"2000", false, "10", ""}},
        {"filter 12 kept", SearchKind::LeapMonths, {"2000", false, "10", "12"}, true, 2000, 10, 12,
         {"2000", false, "10", "12"}},
        {"day search limited to 100", SearchKind::Days, {"1900", false, "250", ""}, true, 1900, 100,
         0, {"1900", false, "100", ""}},
        {"day search near 5000", SearchKind::Days, {"4990", false, "250", ""}, true, 4990, 11, 0,
         {"4990", false, "11", ""}},
    };
    // clang-format on
    DayConditions any;
    any[DayList::Weekday] = 1;
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.note);
        const SearchStart s = validateSearch(c.kind, c.fields, MinYear, any);
        EXPECT_EQ(c.start, s.start);
        if (c.start) {
            EXPECT_EQ(c.startYear, s.startYear);
            EXPECT_EQ(c.range, s.range);
            EXPECT_EQ(c.leapMonth, s.leapMonth);
        }
        EXPECT_EQ(c.shown.startText, s.fields.startText);
        EXPECT_EQ(c.shown.rangeText, s.fields.rangeText);
        EXPECT_EQ(c.shown.leapFilterText, s.fields.leapFilterText);
    }
}

TEST(SearchInput, DaySearchWithoutConditionDoesNotStart) {
    const SearchStart s = validateSearch(SearchKind::Days, {"1900", false, "250", ""}, MinYear);
    EXPECT_FALSE(s.start);
    EXPECT_EQ("100", s.fields.rangeText);  // the range is still written back
}

TEST(SearchLists, Items) {
    // clang-format off
    const struct {
        DayList list;
        size_t count;
        const char* first;
        const char* last;
    } Cases[] = {
        {DayList::CivilMonth, 12, "1月", "12月"},   {DayList::CivilDay, 31, "1日", "31日"},
        {DayList::Weekday, 7, "星期一", "星期日"},  {DayList::SolarTerm, 24, "小寒", "冬至"},
        {DayList::Festival, 4, "复活节", "感恩节"}, {DayList::LunarMonth, 24, "正月", "闰腊月"},
        {DayList::LunarDay, 30, "初一", "三十"},    {DayList::GanzhiYear, 60, "甲子年", "癸亥年"},
        {DayList::GanzhiMonth, 60, "甲子月", "癸亥月"}, {DayList::GanzhiDay, 60, "甲子日", "癸亥日"},
    };
    // clang-format on
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.first);
        const std::vector<std::string> items = dayListItems(c.list);
        ASSERT_EQ(c.count, items.size());
        EXPECT_EQ(c.first, items.front());
        EXPECT_EQ(c.last, items.back());
    }
    EXPECT_EQ("闰正月", dayListItems(DayList::LunarMonth)[12]);
    EXPECT_EQ("丙寅月", dayListItems(DayList::GanzhiMonth)[2]);
}

TEST(SearchYearTag, AdAndBc) {
    EXPECT_EQ("AD2023", searchYearTag(2023));
    EXPECT_EQ("AD0001", searchYearTag(1));
    EXPECT_EQ("BC0001", searchYearTag(0));
    EXPECT_EQ("BC0101", searchYearTag(-100));
}

// The published leap months of 2000..2030.
TEST(LeapMonthSearch, PublishedLeapMonths2000To2030) {
    EXPECT_EQ(
        "    共找到 11 个农历闰月\n\n"
        "AD2001闰四月小    AD05-23-2001 ～ AD06-20-2001\n"
        "AD2004闰二月小    AD03-21-2004 ～ AD04-18-2004\n"
        "AD2006闰七月小    AD08-24-2006 ～ AD09-21-2006\n"
        "AD2009闰五月小    AD06-23-2009 ～ AD07-21-2009\n"
        "AD2012闰四月小    AD05-21-2012 ～ AD06-18-2012\n"
        "AD2014闰九月小    AD10-24-2014 ～ AD11-21-2014\n"
        "AD2017闰六月大    AD07-23-2017 ～ AD08-21-2017\n"
        "AD2020闰四月小    AD05-23-2020 ～ AD06-20-2020\n"
        "AD2023闰二月小    AD03-22-2023 ～ AD04-19-2023\n"
        "AD2025闰六月小    AD07-25-2025 ～ AD08-22-2025\n"
        "AD2028闰五月小    AD06-23-2028 ～ AD07-21-2028",
        search(SearchKind::LeapMonths, 2000, 31));
}

TEST(LeapMonthSearch, FilterAndNoHit) {
    EXPECT_EQ(
        "    共找到 3 个农历闰四月\n\n"
        "AD2001闰四月小    AD05-23-2001 ～ AD06-20-2001\n"
        "AD2012闰四月小    AD05-21-2012 ～ AD06-18-2012\n"
        "AD2020闰四月小    AD05-23-2020 ～ AD06-20-2020",
        search(SearchKind::LeapMonths, 2000, 31, 4));
    EXPECT_EQ("    共找到 0 个农历闰五月", search(SearchKind::LeapMonths, 2010, 10, 5));
    EXPECT_EQ("    共找到 0 个农历闰月", search(SearchKind::LeapMonths, 2024, 1));
    // The window's own line ends.
    const auto crlf = runSearch(Defaults, SearchKind::LeapMonths, 2023, 1, 0, {}, NoHooks);
    ASSERT_TRUE(crlf);
    EXPECT_EQ("    共找到 1 个农历闰月\r\n\r\nAD2023闰二月小    AD03-22-2023 ～ AD04-19-2023",
              crlf->text);
}

// 冬月 and 腊月 of 2036 and 正月, 二月 of 2037 are long: the run crosses the year boundary,
// each month keeps its own year, and the fourth long month starts no second run.
TEST(MonthRunSearch, RunAcrossYearBoundary) {
    const std::string months =
        "    AD2036冬月大→AD12-17-2036 ～ AD01-15-2037\n"
        "    AD2036腊月大→AD01-16-2037 ～ AD02-14-2037\n"
        "    AD2037正月大→AD02-15-2037 ～ AD03-16-2037";
    EXPECT_EQ("    共找到 1 组三连大月\n\n\n第1组三连大月：\n" + months,
              search(SearchKind::ThreeLongMonths, 2036, 2));
    EXPECT_EQ("    共找到 1 组四连大月\n\n\n第1组四连大月：\n" + months +
                  "\n    AD2037二月大→AD03-17-2037 ～ AD04-15-2037",
              search(SearchKind::FourLongMonths, 2036, 2));
    // Without 2036 the window starts empty at 正月 of 2037.
    EXPECT_EQ(std::string::npos, search(SearchKind::ThreeLongMonths, 2037, 1).find("AD2037正月大"));
}

// 八月, 闰八月 and 九月 of 1634 are all long: the leap month continues the run.
TEST(MonthRunSearch, LongLeapMonthContinuesRun) {
    EXPECT_EQ(
        "    共找到 1 组三连大月\n\n\n第1组三连大月：\n"
        "    AD1634八月大→AD08-23-1634 ～ AD09-21-1634\n"
        "    AD1634闰八月大→AD09-22-1634 ～ AD10-21-1634\n"
        "    AD1634九月大→AD10-22-1634 ～ AD11-20-1634",
        search(SearchKind::ThreeLongMonths, 1634, 1));
}

// Runs never overlap and never share a month; every run lists its months in order.
TEST(MonthRunSearch, RunsDoNotOverlap) {
    for (const SearchKind kind :
         {SearchKind::ThreeLongMonths, SearchKind::ThreeShortMonths, SearchKind::FourLongMonths}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const std::string text = search(kind, 1900, 200);
        const int length = kind == SearchKind::FourLongMonths ? 4 : 3;
        size_t months = 0;
        for (size_t at = text.find("→"); at != std::string::npos; at = text.find("→", at + 1))
            ++months;
        const auto count = runSearch(Defaults, kind, 1900, 200, 0, {}, NoHooks, "\n")->count;
        EXPECT_GT(count, 0);
        EXPECT_EQ(static_cast<size_t>(count * length), months);
        EXPECT_EQ(std::string::npos,
                  text.find(kind == SearchKind::ThreeShortMonths ? "大→" : "小→"));
    }
    EXPECT_EQ("    共找到 0 组四连大月", search(SearchKind::FourLongMonths, 2000, 1));
}

TEST(DaySearch, EntryTexts) {
    DayConditions newYear;
    newYear[DayList::CivilMonth] = 1;
    newYear[DayList::CivilDay] = 1;
    EXPECT_EQ(
        "    共找到 1 个条件日\n\n\n公历日期：AD01-01-2000\n    对应农历→AD11-25-1999\n"
        "    对应星期→星期六\n    对应节日→元旦节\n    对应干支→己卯(兔)年丙子月戊午日",
        search(SearchKind::Days, 2000, 1, 0, newYear));
    DayConditions solstice;
    solstice[DayList::SolarTerm] = 24;
    solstice[DayList::LunarMonth] = 11;
    EXPECT_EQ(
        "    共找到 1 个条件日\n\n\n公历日期：AD12-21-2000\n    对应农历→AD11-26-2000\n"
        "    对应星期→星期四\n    对应节气→冬至 21:37:26\n    对应节日→国际篮球日\n"
        "    对应干支→庚辰(龙)年戊子月癸丑日",
        search(SearchKind::Days, 2000, 1, 0, solstice));
}

TEST(DaySearch, KnownCounts) {
    const auto count = [](int start, int range, DayList list, int item) {
        DayConditions c;
        c[list] = item;
        return runSearch(Defaults, SearchKind::Days, start, range, 0, c, NoHooks, "\n")->count;
    };
    EXPECT_EQ(10, count(2000, 10, DayList::Festival, 4));    // 感恩节 every November
    EXPECT_EQ(0, count(1800, 10, DayList::Festival, 4));     // not before 1863
    EXPECT_EQ(10, count(2000, 10, DayList::SolarTerm, 24));  // 冬至 once a year
    EXPECT_EQ(10, count(2000, 10, DayList::Festival, 1));    // 复活节 once a year
    EXPECT_EQ(13, count(2000, 1, DayList::LunarDay, 1));     // 初一: 13 new moons in 2000
    EXPECT_EQ(53, count(2023, 1, DayList::Weekday, 7));      // 2023 began on a Sunday
    EXPECT_EQ(6, count(2000, 1, DayList::GanzhiDay, 1));     // 甲子 days: 366 / 60
    // 2024 is 甲辰: with the new-year rule from 2024-02-10 on.
    EXPECT_EQ(326, count(2024, 1, DayList::GanzhiYear, 41));
}

TEST(DaySearch, ThanksgivingDates) {
    DayConditions c;
    c[DayList::Festival] = 4;
    const std::string text = search(SearchKind::Days, 2020, 4, 0, c);
    for (const char* day : {"AD11-26-2020", "AD11-25-2021", "AD11-24-2022", "AD11-23-2023"}) {
        SCOPED_TRACE(day);
        EXPECT_NE(std::string::npos, text.find(std::string("公历日期：") + day));
    }
}

TEST(SearchProgress, TextsAndStop) {
    std::vector<std::string> shown;
    int polls = 0;
    SearchHooks hooks;
    hooks.progress = [&shown](std::string_view text, double) { shown.emplace_back(text); };
    hooks.stopRequested = [&polls] { return ++polls == 5; };
    EXPECT_FALSE(runSearch(Defaults, SearchKind::LeapMonths, 2000, 100, 0, {}, hooks));
    EXPECT_EQ(5, polls);
    ASSERT_EQ(5u, shown.size());
    EXPECT_EQ("    正在查询，已完成 0.0%...", shown[0]);
    EXPECT_EQ("    正在查询，已完成 4.0%...", shown[4]);

    DayConditions c;
    c[DayList::Weekday] = 1;
    shown.clear();
    polls = 0;
    hooks.stopRequested = [&polls] { return ++polls == 400; };
    EXPECT_FALSE(runSearch(Defaults, SearchKind::Days, 2000, 2, 0, c, hooks));
    EXPECT_EQ(400, polls);
    ASSERT_EQ(400u, shown.size());  // 730 steps: the value changes every day
    EXPECT_EQ("    正在查询，已完成 0.00%...", shown.front());
    EXPECT_EQ("    正在查询，已完成 54.66%...", shown.back());  // 399 / 730

    // A finished search shows 100% for its last day and polls once per day.
    shown.clear();
    polls = 0;
    hooks.stopRequested = [&polls] { return ++polls == 0; };
    const auto done = runSearch(Defaults, SearchKind::Days, 2000, 1, 0, c, hooks);
    ASSERT_TRUE(done);
    EXPECT_EQ(52, done->count);  // Mondays of 2000
    EXPECT_EQ(366, polls);
    EXPECT_EQ("    正在查询，已完成 100.00%...", shown.back());
}

// Every day of whole years: what the day search reads from its yearly data equals the
// per-day operations, for both sexagenary rules.
void expectYearDataMatchesDirect(const LunarCalendar& calendar, int year) {
    const CalendarContext& context = calendar.context();
    for (const int fromLichun : {0, 1}) {
        const GanzhiYearStart start =
            fromLichun == 1 ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
        const SearchYearData data = searchYearData(calendar, year, start);
        for (int n = julianDayNumber(year, 1, 1); n <= julianDayNumber(year, 12, 31); ++n) {
            const CivilDate c = civilDateFromDayNumber(n);
            SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day
                                            << " fromLichun " << fromLichun);
            const SearchDayFacts facts = searchDayFacts(data, n);
            const std::string next = nextTermText(context, {c.year, c.month, c.day});
            EXPECT_EQ(next.rfind("今日", 0) == 0 ? next : "", facts.termText);
            EXPECT_EQ(facts.termText.empty(), facts.termNumber == 0);
            // The text names the year, month and day numbers one to one.
            EXPECT_EQ(ganzhiDay({c.year, c.month, c.day}), facts.ganzhiDay);
            EXPECT_EQ(ganzhiText(calendar, {c.year, c.month, c.day}, start),
                      ganzhiTextOfNumbers(facts.ganzhiYear, facts.ganzhiMonth, facts.ganzhiDay));
            EXPECT_EQ(solarToLunar(calendar, {c.year, c.month, c.day}), facts.lunarDate);
            EXPECT_EQ(solarFestivalText(calendar, {c.year, c.month, c.day}), facts.festivalText);
            if (testing::Test::HasFailure()) return;
        }
    }
}

TEST(SearchYearData, HistoricalYearsMatchDirectAnswers) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    // Years with 23 and 25 term days, the first reckoned year, the changes of reckoning
    // around 619, 645 and 666, the calendar reform year and the end of the reckoning.
    const int Years[] = {-103, 618, 619, 644,  645,  665,  666, 832,
                         833,  948, 949, 1582, 1886, 1887, 2000};
    for (const int year : Years) {
        SCOPED_TRACE(year);
        expectYearDataMatchesDirect(calendar, year);
        if (HasFailure()) return;
    }
    int counts[26] = {};
    for (const int year : Years) ++counts[solarTermCount(context, year)];
    EXPECT_GT(counts[23], 0);
    EXPECT_GT(counts[25], 0);
}

TEST(SearchYearData, ModernYearsMatchDirectAnswers) {
    for (const int zone : {8, -5}) {
        const CalendarContext context{zone, Regime::Modern};
        const LunarCalendar& calendar = LunarCalendar::shared(context);
        for (const int year : {1582, 2033, 4999}) {
            SCOPED_TRACE(testing::Message() << year << " zone " << zone);
            expectYearDataMatchesDirect(calendar, year);
            if (HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace tavomerix
