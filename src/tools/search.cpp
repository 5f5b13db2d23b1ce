#include "tools/search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "astro/solar_terms.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/date_text.h"
#include "dayinfo/festivals.h"
#include "dayinfo/names.h"
#include "dayinfo/next_term.h"

namespace tavomerix {

namespace {

constexpr std::string_view FestivalItems[4] = {"复活节", "母亲节", "父亲节", "感恩节"};

// Lunar years are built ahead in blocks of this many, so that a cold cache still lets the
// search look at its stop flag every few tenths of a second.
constexpr int PrefetchBlockYears = 32;

// Value of a text of digits, saturating at a billion (far beyond any year or range).
int saturatedNumber(std::string_view digits) {
    long long value = 0;
    for (const char c : digits) value = std::min(value * 10 + (c - '0'), 1000000000LL);
    return static_cast<int>(value);
}

// Builds the lunar years of the span ahead of the scan, one block at a time.
struct LunarPrefetch {
    const LunarCalendar& calendar;
    int next;  // first year not yet requested
    int last;

    void ensure(int year) {
        if (year < next) return;
        const int to = std::min(last, year + PrefetchBlockYears - 1);
        calendar.prefetch(year, to);
        next = to + 1;
    }
};

// The progress text and stop flag of one check point; true when the search must stop.
struct ProgressPoint {
    const SearchHooks& hooks;
    int decimals;
    std::string shown;

    bool reached(double percent) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.*f", decimals, percent);
        std::string text = "    正在查询，已完成 ";
        text.append(digits).append("%...");
        if (text != shown) {
            shown = std::move(text);
            if (hooks.progress) hooks.progress(shown, percent);
        }
        return hooks.stopRequested && hooks.stopRequested();
    }
};

// Civil texts of day 1 and the last day of a month (MonthCode) of a lunar year.
std::string monthSpanText(const LunarCalendar& calendar, int lunarYear, int monthCode,
                          bool longMonth) {
    const auto civil = [&](int day) {
        return formatDateCode(
            lunarToSolar(calendar, lunarDateOfMonthCode(lunarYear, monthCode, day)));
    };
    return civil(1) + " ～ " + civil(longMonth ? 30 : 29);
}

std::optional<SearchResult> leapMonthSearch(const LunarCalendar& calendar, int startYear, int range,
                                            int filter, const SearchHooks& hooks,
                                            std::string_view lineEnd) {
    ProgressPoint progress{hooks, 1, {}};
    LunarPrefetch prefetch{calendar, startYear, startYear + range - 1};
    SearchResult result;
    std::string lines;
    for (int y = startYear; y < startYear + range; ++y) {
        prefetch.ensure(y);
        const LunarYear& lunar = calendar.lunarYear(y);
        const int leap = lunar.leapMonth;
        if (leap != 0 && (filter == 0 || filter == leap)) {
            const bool longMonth = lunar.monthDaysAt(leap + 1) == 30;
            ++result.count;
            lines.append(lineEnd).append(searchYearTag(y));
            lines.append(lunarMonthText(12 + leap + (longMonth ? 24 : 0))).append("    ");
            lines.append(monthSpanText(calendar, y, 12 + leap, longMonth));
        }
        if (progress.reached(100.0 * (y - startYear) / range)) return std::nullopt;
    }
    result.text = "    共找到 " + std::to_string(result.count) + " 个农历闰";
    result.text += filter == 0 ? std::string("月") : std::string(lunarMonthName(filter));
    if (result.count > 0) result.text.append(lineEnd).append(lines);
    return result;
}

std::optional<SearchResult> monthRunSearch(const LunarCalendar& calendar, SearchKind kind,
                                           int startYear, int range, const SearchHooks& hooks,
                                           std::string_view lineEnd) {
    const int length = kind == SearchKind::FourLongMonths ? 4 : 3;
    const bool wantLong = kind != SearchKind::ThreeShortMonths;
    const std::string runName = length == 4 ? "四连大月" : wantLong ? "三连大月" : "三连小月";
    struct Slot {
        int year = 0;
        int sizedCode = 0;
    };
    std::array<Slot, 4> slots{};
    int filled = 0;
    ProgressPoint progress{hooks, 1, {}};
    LunarPrefetch prefetch{calendar, startYear, startYear + range - 1};
    SearchResult result;
    std::string runs;
    for (int y = startYear; y < startYear + range; ++y) {
        prefetch.ensure(y);
        for (int sequence = 1; sequence <= 13; ++sequence) {
            const int code = calendar.monthAtSequence(y, sequence);
            if (code == 0) break;
            if ((code > 24) != wantLong) {
                filled = 0;
                continue;
            }
            slots[filled++] = {y, code};
            if (filled < length) continue;
            ++result.count;
            runs.append(lineEnd).append(lineEnd);
            runs.append("第" + std::to_string(result.count) + "组" + runName + "：");
            for (int i = 0; i < length; ++i) {
                const int monthCode = monthCodeOf(slots[i].sizedCode);
                runs.append(lineEnd).append("    ").append(searchYearTag(slots[i].year));
                runs.append(lunarMonthText(slots[i].sizedCode)).append("→");
                runs.append(
                    monthSpanText(calendar, slots[i].year, monthCode, slots[i].sizedCode > 24));
            }
            filled = 0;
        }
        if (progress.reached(100.0 * (y - startYear) / range)) return std::nullopt;
    }
    result.text = "    共找到 " + std::to_string(result.count) + " 组" + runName;
    if (result.count > 0) result.text.append(lineEnd).append(runs);
    return result;
}

// The term falling on day n, {instant, 0} when none does.
TermEvent termOnDay(const LunarCalendar& calendar, int n) {
    const TermEvent next = calendar.nextTerm(n);
    if (next.number == 0 || std::floor(next.instant) != n) return {next.instant, 0};
    return next;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// One found day: its civil date, lunar date, weekday, term, festivals and sexagenary text.
void appendDayEntry(std::string& text, const SearchYearData& data, int n,
                    std::string_view lineEnd) {
    const CivilDate c = civilDateFromDayNumber(n);
    const SearchDayFacts facts = searchDayFacts(data, n);
    text.append(lineEnd)
        .append(lineEnd)
        .append("公历日期：")
        .append(formatDateCode(c.year, c.month, c.day));
    text.append(lineEnd).append("    对应农历→").append(lunarMonthCodeText(facts.lunarDate));
    text.append(lineEnd).append("    对应星期→").append(weekdayNameOfDay(n));
    if (!facts.termText.empty()) {
        text.append(lineEnd)
            .append("    对应节气→")
            .append(facts.termText.substr(std::string_view("今日").size()));
    }
    if (!facts.festivalText.empty())
        text.append(lineEnd).append("    对应节日→").append(facts.festivalText);
    text.append(lineEnd).append("    对应干支→");
    text.append(ganzhiTextOfNumbers(facts.ganzhiYear, facts.ganzhiMonth, facts.ganzhiDay));
}

// True when day n satisfies every chosen list; the cheap tests run first.
bool dayMatches(const DayConditions& cond, const SearchYearData& data, int n, const CivilDate& c) {
    using L = DayList;
    if (cond[L::CivilMonth] != 0 && cond[L::CivilMonth] != c.month) return false;
    if (cond[L::CivilDay] != 0 && cond[L::CivilDay] != c.day) return false;
    if (cond[L::Weekday] != 0 && cond[L::Weekday] != weekdayOfDayNumber(n) + 1) return false;
    if (cond[L::GanzhiDay] != 0 && cond[L::GanzhiDay] != ganzhiDayOfDayNumber(n)) return false;
    const bool needLunar = cond[L::LunarMonth] != 0 || cond[L::LunarDay] != 0 ||
                           ((cond[L::GanzhiYear] != 0 || cond[L::GanzhiMonth] != 0) &&
                            data.ganzhiYearStart == GanzhiYearStart::LunarNewYear);
    const LunarCalendar& calendar = *data.calendar;
    LunarDate lunar;
    if (needLunar) lunar = lunarDateOfDay(calendar, n);
    if (cond[L::LunarMonth] != 0 && (!lunar.valid() || cond[L::LunarMonth] != lunar.monthCode()))
        return false;
    if (cond[L::LunarDay] != 0 && (!lunar.valid() || cond[L::LunarDay] != lunar.day)) return false;
    if (cond[L::GanzhiYear] != 0 || cond[L::GanzhiMonth] != 0) {
        const SexagenaryDay ganzhi =
            sexagenaryDay(calendar, CivilDay(c, n), lunar, data.ganzhiYearStart);
        if (cond[L::GanzhiYear] != 0 && cond[L::GanzhiYear] != ganzhi.year) return false;
        if (cond[L::GanzhiMonth] != 0 && cond[L::GanzhiMonth] != ganzhi.month) return false;
    }
    if (cond[L::SolarTerm] != 0) {
        const TermEvent term = termOnDay(calendar, n);
        if (term.number == 0) return false;
        const std::string text = nextTermTextOf(c.year, n, term.instant, term.number);
        if (!contains(text, "今日" + std::string(solarTermName(cond[L::SolarTerm])))) return false;
    }
    if (cond[L::Festival] != 0 &&
        !hasFestival(festivalNames(calendar, CivilDay(c, n), LunarDate{}, nullptr),
                     FestivalItems[cond[L::Festival] - 1]))
        return false;
    return true;
}

std::optional<SearchResult> daySearch(const SearchSettings& settings, int startYear, int range,
                                      const DayConditions& conditions, const SearchHooks& hooks,
                                      std::string_view lineEnd) {
    const int lastYear = startYear + range - 1;
    const int first = julianDayNumber(startYear, 1, 1);
    const int last = julianDayNumber(lastYear, 12, 31);
    if (first == InvalidDayNumber || last == InvalidDayNumber) return SearchResult{};
    ProgressPoint progress{hooks, 2, {}};
    LunarPrefetch prefetch{settings.calendar, startYear - 1, lastYear};
    SearchYearData data{};
    data.year = startYear - 1;
    SearchResult result;
    std::string entries;
    for (int n = first; n <= last; ++n) {
        const CivilDate c = civilDateFromDayNumber(n);
        if (c.year != data.year) {
            prefetch.ensure(c.year - 1);
            data = searchYearData(settings.calendar, c.year, settings.ganzhiYearStart);
        }
        if (dayMatches(conditions, data, n, c)) {
            ++result.count;
            appendDayEntry(entries, data, n, lineEnd);
        }
        if (progress.reached(100.0 * (n - first) / std::max(1, last - first))) return std::nullopt;
    }
    result.text = "    共找到 " + std::to_string(result.count) + " 个条件日";
    if (result.count > 0) result.text.append(lineEnd).append(entries);
    return result;
}

}  // namespace

std::vector<std::string> dayListItems(DayList list) {
    std::vector<std::string> items;
    const auto numbered = [&items](int count, std::string_view suffix) {
        for (int i = 1; i <= count; ++i) items.push_back(std::to_string(i) + std::string(suffix));
    };
    const auto cycle = [&items](std::string_view suffix) {
        for (int i = 1; i <= 60; ++i) items.push_back(ganzhiName(i) + std::string(suffix));
    };
    switch (list) {
        case DayList::CivilMonth:
            numbered(12, "月");
            break;
        case DayList::CivilDay:
            numbered(31, "日");
            break;
        case DayList::Weekday:
            items.assign(std::begin(WeekdayNames), std::end(WeekdayNames));
            break;
        case DayList::SolarTerm:
            items.assign(std::begin(SolarTermNames), std::end(SolarTermNames));
            break;
        case DayList::Festival:
            items.assign(std::begin(FestivalItems), std::end(FestivalItems));
            break;
        case DayList::LunarMonth:
            items.assign(std::begin(LunarMonthNames), std::end(LunarMonthNames));
            for (std::string_view name : LunarMonthNames) items.push_back("闰" + std::string(name));
            break;
        case DayList::LunarDay:
            items.assign(std::begin(LunarDayNames), std::end(LunarDayNames));
            break;
        case DayList::GanzhiYear:
            cycle("年");
            break;
        case DayList::GanzhiMonth:
            cycle("月");
            break;
        case DayList::GanzhiDay:
            cycle("日");
            break;
    }
    return items;
}

bool anyCondition(const DayConditions& conditions) {
    return std::any_of(std::begin(conditions.item), std::end(conditions.item),
                       [](int item) { return item != 0; });
}

SearchStart validateSearch(SearchKind kind, const SearchFields& fields, int minYear,
                           const DayConditions& conditions) {
    SearchStart s;
    s.fields = fields;
    s.fields.startText = checkNumberText(fields.startText);
    s.fields.rangeText = checkNumberText(fields.rangeText);
    if (s.fields.startText.empty()) return s;
    const int typed = saturatedNumber(s.fields.startText);
    const int startYear = fields.bc ? 1 - typed : typed;
    if (startYear < minYear || startYear > LastSearchYear) {
        s.fields.startText.clear();
        return s;
    }
    if (s.fields.rangeText.empty()) return s;
    int range = std::min(saturatedNumber(s.fields.rangeText), LastSearchYear - startYear + 1);
    if (kind == SearchKind::Days) range = std::min(range, MaxDaySearchYears);
    if (range != saturatedNumber(s.fields.rangeText)) s.fields.rangeText = std::to_string(range);
    if (kind == SearchKind::Days && !anyCondition(conditions)) return s;
    if (kind == SearchKind::LeapMonths) {
        const std::string& filter = s.fields.leapFilterText;
        const bool accepted = !filter.empty() && filter[0] != '0' && filter.size() <= 2 &&
                              checkNumberText(filter) == filter && saturatedNumber(filter) <= 12;
        if (accepted) {
            s.leapMonth = saturatedNumber(filter);
        } else {
            s.fields.leapFilterText.clear();
        }
    }
    s.start = true;
    s.startYear = startYear;
    s.range = range;
    return s;
}

std::optional<SearchResult> runSearch(const SearchSettings& settings, SearchKind kind,
                                      int startYear, int range, int leapMonth,
                                      const DayConditions& conditions, const SearchHooks& hooks,
                                      std::string_view lineEnd) {
    if (range < 1) return SearchResult{};
    const LunarCalendar& calendar = settings.calendar;
    switch (kind) {
        case SearchKind::LeapMonths:
            return leapMonthSearch(calendar, startYear, range, leapMonth, hooks, lineEnd);
        case SearchKind::ThreeLongMonths:
        case SearchKind::ThreeShortMonths:
        case SearchKind::FourLongMonths:
            return monthRunSearch(calendar, kind, startYear, range, hooks, lineEnd);
        case SearchKind::Days:
            return daySearch(settings, startYear, range, conditions, hooks, lineEnd);
    }
    return SearchResult{};
}

std::string searchYearTag(int year) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "%s%04d", year >= 1 ? "AD" : "BC", year >= 1 ? year : 1 - year);
    return tag;
}

SearchYearData searchYearData(const LunarCalendar& calendar, int year, GanzhiYearStart start) {
    SearchYearData data;
    data.calendar = &calendar;
    data.year = year;
    data.ganzhiYearStart = start;
    return data;
}

bool dayMeetsConditions(const DayConditions& conditions, const SearchYearData& data, int n) {
    return dayMatches(conditions, data, n, civilDateFromDayNumber(n));
}

SearchDayFacts searchDayFacts(const SearchYearData& data, int n) {
    SearchDayFacts facts;
    const CivilDate c = civilDateFromDayNumber(n);
    const LunarCalendar& calendar = *data.calendar;
    const TermEvent term = termOnDay(calendar, n);
    if (term.number != 0) {
        facts.termNumber = term.number;
        facts.termText = nextTermTextOf(c.year, n, term.instant, term.number);
    }
    facts.lunarDate = lunarDateOfDay(calendar, n);
    const SexagenaryDay ganzhi =
        sexagenaryDay(calendar, CivilDay(c, n), facts.lunarDate, data.ganzhiYearStart);
    facts.ganzhiYear = ganzhi.year;
    facts.ganzhiMonth = ganzhi.month;
    facts.ganzhiDay = ganzhi.day;
    facts.festivalText = solarFestivalText(calendar, c);
    return facts;
}

}  // namespace tavomerix
