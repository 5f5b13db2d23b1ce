#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "chinese/sexagenary.h"
#include "tools/year_tables.h"

namespace tavomerix {

// The five searches of the search window: four month searches and the condition days.
enum class SearchKind { LeapMonths, ThreeLongMonths, ThreeShortMonths, FourLongMonths, Days };

// Latest year any search reaches, and the most years a day search scans.
constexpr int LastSearchYear = 5000;
constexpr int MaxDaySearchYears = 100;

// The ten lists of the day search, in the window's order.
enum class DayList {
    CivilMonth,
    CivilDay,
    Weekday,
    SolarTerm,
    Festival,
    LunarMonth,
    LunarDay,
    GanzhiYear,
    GanzhiMonth,
    GanzhiDay,
};
constexpr int DayListCount = 10;

// Item texts of a list after its empty first item ("1月" .. "12月", "星期一" .. "星期日",
// "甲子年" .. "癸亥年", ...); item number k is entry k - 1.
std::vector<std::string> dayListItems(DayList list);

// The chosen item number of every list (0 = the empty item, any value), indexed by DayList:
// civil month 1..12, civil day 1..31, weekday 1..7 (1 = 星期一), TermNumber 1..24,
// festival 1..4 (复活节, 母亲节, 父亲节, 感恩节), MonthCode 1..24, lunar day 1..30 and
// the three cycle numbers 1..60.
struct DayConditions {
    int item[DayListCount] = {};

    int& operator[](DayList list) { return item[static_cast<int>(list)]; }
    int operator[](DayList list) const { return item[static_cast<int>(list)]; }
};

// True when at least one list is off its empty item.
bool anyCondition(const DayConditions& conditions);

// The input fields as the window holds them.
struct SearchFields {
    std::string startText;       // "起始年份": a positive number
    bool bc = false;             // "公元前"
    std::string rangeText;       // "查询范围": number of years
    std::string leapFilterText;  // leap-month filter "1".."12" (leap-month search only)
};

// What "查询" does with the fields: whether a search starts, over which years, and the
// fields as the window shows them afterwards (rejected texts emptied, a shortened range
// written back, a bad leap filter erased).
struct SearchStart {
    bool start = false;
    int startYear = 0;  // astronomical
    int range = 0;      // years, at least 1 when start
    int leapMonth = 0;  // leap-month filter 1..12, 0 = any
    SearchFields fields;
};

// Validates the fields for a search of the kind: start year in [minYear, 5000], a range
// ending after 5000 shortened to end there, a day-search range limited to 100 years, a
// day search with no condition not started.
SearchStart validateSearch(SearchKind kind, const SearchFields& fields, int minYear,
                           const DayConditions& conditions = {});

// Hooks of a running search, called once per year (month searches) or day (day search):
// `progress` with "    正在查询，已完成 12.5%..." and the percentage whenever the shown
// text changes, then `stopRequested`; true stops the search.
struct SearchHooks {
    std::function<void(std::string_view text, double percent)> progress;
    std::function<bool()> stopRequested;
};

// The result of a finished search: the whole text for the output box and the number of
// hits (leap months, runs or days).
struct SearchResult {
    std::string text;
    int count = 0;
};

// What a search reads besides its fields: the calendar (zone and regime) and where
// sexagenary years begin.
struct SearchSettings {
    const LunarCalendar& calendar;
    GanzhiYearStart ganzhiYearStart = GanzhiYearStart::LunarNewYear;
};

// Runs a month search over lunar years startYear .. startYear + range - 1 (leapMonth
// filters the leap-month search, 0 = any) or the day search over the civil days of those
// years, with the given line end. Years are expected to be validated. nullopt when stopped.
std::optional<SearchResult> runSearch(const SearchSettings& settings, SearchKind kind,
                                      int startYear, int range, int leapMonth,
                                      const DayConditions& conditions, const SearchHooks& hooks,
                                      std::string_view lineEnd = WindowLineEnd);

// "AD" + 4-digit year for years >= 1, "BC" + 4-digit (1 - year) otherwise: "AD2023",
// "BC0001" for year 0.
std::string searchYearTag(int year);

// Yearly data of the day search for one civil year, built once per year and read per day.
struct SearchYearData {
    const LunarCalendar* calendar = nullptr;
    int year = 0;
    GanzhiYearStart ganzhiYearStart = GanzhiYearStart::LunarNewYear;
};

// The data of civil year `year` (-8999..9000) of a calendar; the term days come from the
// calendar's yearly term tables.
SearchYearData searchYearData(const LunarCalendar& calendar, int year, GanzhiYearStart start);

// True when day n (Julian Day number) of the data's year meets every chosen list, as the
// day search tests it.
bool dayMeetsConditions(const DayConditions& conditions, const SearchYearData& data, int n);

// What the day search reads for one civil day.
struct SearchDayFacts {
    int termNumber = 0;    // TermNumber of the term falling on the day, 0 for none
    std::string termText;  // next-term text of the day when a term falls on it, else ""
    int ganzhiYear = 0;    // cycle numbers 1..60, 0 when missing
    int ganzhiMonth = 0;
    int ganzhiDay = 0;
    LunarDate lunarDate;       // the lunar date, LunarDate{} when none
    std::string festivalText;  // civil festivals of the day
};

// The facts of day n (Julian Day number) of the data's year, from the yearly data; equal to
// what nextTermText, ganzhiYear/Month/Day, solarToLunar and solarFestivalText give.
SearchDayFacts searchDayFacts(const SearchYearData& data, int n);

}  // namespace tavomerix
