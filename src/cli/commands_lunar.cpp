#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "cli/commands.h"
#include "cli/days_file.h"
#include "cli/json_fields.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/date_text.h"
#include "dayinfo/day_facts.h"
#include "dayinfo/day_view.h"
#include "dayinfo/input_messages.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

// Lunar years that `records` builds and writes at a time.
constexpr int RecordChunkYears = 200;

CliOutput conversionRangeError(std::string_view text) {
    return usageError(outsideLunarYearsMessage(quotedArg(text)));
}

// The DATE of `day` and `almanac`: today without one, civil or (--lunar) lunar.
CivilDayArgument dayArgument(const CliRequest& request, const CliEnvironment& env) {
    if (!request.args.empty()) {
        return dateArgument(request.calendar(), request.args[0], request.flag("lunar"));
    }
    CivilDayArgument date;
    date.ok = true;
    date.year = env.today.year;
    date.month = env.today.month;
    date.day = env.today.day;
    date.dayNumber = julianDayNumber(env.today);
    return date;
}

// The civil day a DATE argument names.
CivilDay civilDayOf(const CivilDayArgument& date) {
    return {{date.year, date.month, date.day}, date.dayNumber};
}

// A DATE outside the years of the day view and the almanac (`what`).
CliOutput dayRangeError(const CliRequest& request, std::string_view what) {
    return usageError(outsideDayYearsMessage(
        request.args.empty() ? std::string("today") : quotedArg(request.args[0]), what));
}

// Reads a commemoration file into `days`; on any fault its lines go to `err` (one each).
bool loadDaysFile(const LunarCalendar& calendar, const std::string& path, CommemorationDays& days,
                  std::string& err) {
    DaysFileResult file = readDaysFile(calendar, path);
    for (const std::string& line : file.errorLines) err += line + "\n";
    days = std::move(file.days);
    return file.ok;
}

// The lunar month's name without its size mark: "闰四月" from "闰四月小"; with `compact`
// a leap month loses its 月 ("闰四") to fit the narrow cells of the grids.
std::string monthNameOf(int sizedMonthCode, bool compact) {
    std::string name = lunarMonthCodeName(monthCodeOf(sizedMonthCode));
    if (compact && monthCodeOf(sizedMonthCode) > 12) name.resize(name.size() - 3);  // drop 月
    return name;
}

// Display width of text in columns, escape sequences of colour not counted.
int visibleWidth(std::string_view text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\033') {
            while (i < text.size() && text[i] != 'm') ++i;
            continue;
        }
        plain += text[i];
    }
    return gbkWidth(plain);
}

// Pads a text to a display width (ASCII one column, other characters two), right-aligned.
std::string rightAligned(const std::string& text, int width) {
    const int w = gbkWidth(text);
    return w >= width ? text : std::string(static_cast<size_t>(width - w), ' ') + text;
}

// Colours of a day off and of a working weekend day in `cal`.
constexpr std::string_view RedText = "\033[31m";
constexpr std::string_view BlueText = "\033[34m";

// Cells of `cal`: 8 columns for one month, 5 for months side by side.
constexpr int CalendarCell = 8;
constexpr int CompactCell = 5;

// What `cal` shows under a day: the term falling on it, else the month's name on the
// lunar first day, else the lunar day.
struct CalendarMark {
    std::string text;
    std::string term;  // the term's name, "" for none
    LunarDate lunar;
};
CalendarMark calendarMark(const DayFacts& facts, bool compact) {
    CalendarMark mark;
    mark.lunar = facts.lunar;
    if (mark.lunar.valid()) {
        mark.text = mark.lunar.day == 1 ? monthNameOf(mark.lunar.sizedMonthCode(), compact)
                                        : lunarDayName(mark.lunar.day);
    }
    if (const int term = facts.termOnDay(); term != 0) {
        mark.term = std::string(solarTermName(term));
        mark.text = mark.term;
    }
    return mark;
}

// Width of the content of a `cal` cell, right-aligned before the gap to the next one.
int innerWidth(int cell) { return cell < CalendarCell ? cell - 1 : cell - 2; }

// The title of a month of `cal`, centred, and its weekday header (Monday first).
std::vector<std::string> monthHeading(int year, int month, int cell) {
    const std::string title =
        (year >= 1 ? std::to_string(year) : "公元前" + std::to_string(1 - year)) + "年" +
        std::to_string(month) + "月";
    const int inner = innerWidth(cell);
    const int width = 7 * cell - (cell - inner);
    std::string header;
    for (int i = 0; i < 7; ++i) {
        header += rightAligned(std::string(i == 6 ? "日" : digitName(i + 1)), inner);
        if (i < 6) header.append(static_cast<size_t>(cell - inner), ' ');
    }
    return {
        std::string(static_cast<size_t>(std::max(0, (width - gbkWidth(title)) / 2)), ' ') + title,
        header};
}

// The lines of one month of `cal`: title, weekday header (Monday first), day numbers with
// the lunar day, month or term beneath; every line exactly 7 cells wide less the last
// gap when `padded`.
std::vector<std::string> monthLines(const LunarCalendar& calendar,
                                    const HolidayArrangements& holidays, int year, int month,
                                    int cell, bool colour, const CivilDate& today, bool padded) {
    std::vector<std::string> lines = monthHeading(year, month, cell);
    const int inner = innerWidth(cell);
    const std::string gap(static_cast<size_t>(cell - inner), ' ');
    const int width = 7 * cell - (cell - inner);
    const int todayNumber = julianDayNumber(today.year, today.month, today.day);
    std::string numbers, names;
    int column = 0;
    const auto flush = [&] {
        while (!numbers.empty() && numbers.back() == ' ') numbers.pop_back();
        while (!names.empty() && names.back() == ' ') names.pop_back();
        lines.push_back(numbers);
        lines.push_back(names);
        numbers.clear();
        names.clear();
        column = 0;
    };
    for (int day = 1; day <= 31; ++day) {
        const int jdn = julianDayNumber(year, month, day);
        if (jdn == InvalidDayNumber) continue;
        const int weekday = weekdayOfDayNumber(jdn);  // 0 = Monday
        if (column == 0 && numbers.empty()) {
            numbers.append(static_cast<size_t>(weekday * cell), ' ');
            names.append(static_cast<size_t>(weekday * cell), ' ');
            column = weekday;
        }
        const DayFacts facts =
            dayFacts(calendar, CivilDay({year, month, day}, jdn), nullptr, &holidays);
        const CalendarMark mark = calendarMark(facts, cell < CalendarCell);
        const std::string_view work = dayStatusMark(facts.holiday.status);
        std::string number =
            rightAligned(std::to_string(day) + std::string(colour ? "" : work), inner);
        std::string name = rightAligned(mark.text, inner);
        if (colour && !work.empty()) {  // the digits coloured, not the padding
            const size_t digits = number.find_first_not_of(' ');
            number.insert(digits, work == "班" ? BlueText : RedText);
            number += "\033[0m";
        }
        if (colour && jdn == todayNumber) {
            number = "\033[7m" + number + "\033[0m";
            name = "\033[7m" + name + "\033[0m";
        }
        numbers += number + gap;
        names += name + gap;
        if (++column == 7) flush();
    }
    if (column != 0) flush();
    if (padded) {
        for (std::string& line : lines) {
            const int w = visibleWidth(line);
            if (w < width) line.append(static_cast<size_t>(width - w), ' ');
        }
    }
    return lines;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Months side by side, three apart by three spaces, trailing spaces trimmed.
std::string sideBySide(const std::vector<std::vector<std::string>>& months) {
    size_t rows = 0;
    for (const auto& m : months) rows = std::max(rows, m.size());
    std::string text;
    for (size_t row = 0; row < rows; ++row) {
        std::string line;
        for (size_t i = 0; i < months.size(); ++i) {
            const std::vector<std::string>& m = months[i];
            const std::string part =
                row < m.size() ? m[row] : std::string(static_cast<size_t>(visibleWidth(m[0])), ' ');
            line += (i > 0 ? "   " : "") + part;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text;
}

// A month of `cal` as JSON: every day with its lunar date and what `cal` marks.
nlohmann::json monthJsonOfCal(const LunarCalendar& calendar, const HolidayArrangements& holidays,
                              int year, int month) {
    nlohmann::json days = nlohmann::json::array();
    for (int day = 1; day <= 31; ++day) {
        const int jdn = julianDayNumber(year, month, day);
        if (jdn == InvalidDayNumber) continue;
        const CivilDay civil({year, month, day}, jdn);
        const DayFacts facts = dayFacts(calendar, civil, nullptr, &holidays);
        const CalendarMark mark = calendarMark(facts, false);
        days.push_back({
            {"civil", civilJson(civil)},
            {"lunar", lunarJson(mark.lunar)},
            {"mark", mark.text},
            {"term", mark.term.empty() ? nlohmann::json(nullptr) : nlohmann::json(mark.term)},
            {"festivals", festivalsJson(facts.festivals)},
            {"holiday", holidayStatusJson(facts.holiday)},
        });
    }
    return {{"year", year}, {"month", month}, {"days", days}};
}

// The civil year and month `offset` months after year-month.
CivilDate monthAfter(int year, int month, int offset) {
    const int index = year * 12 + (month - 1) + offset;
    const int y = index >= 0 ? index / 12 : -((-index + 11) / 12);
    return {y, index - y * 12 + 1, 1};
}

// The day view's options of `day`, with the commemoration days read from --days.
DayViewOptions dayViewOptionsOf(const CliRequest& request, const CommemorationDays* days) {
    DayViewOptions options;
    options.ganzhiYearStart = ganzhiYearStartOf(request);
    options.eraNames = request.flag("era");
    options.hijriLine = request.flag("hijri");
    options.commemorationDays = days;
    return options;
}

// The YEAR, MONTH and layout of `cal`, or a usage error.
struct CalArguments {
    bool ok = false;
    int year = 0, month = 0;
    bool three = false;      // -3
    bool wholeYear = false;  // -y, or YEAR alone
    CliOutput error;
};

CalArguments calArguments(const CliRequest& request, const CliEnvironment& env) {
    CalArguments cal;
    cal.year = env.today.year;
    cal.month = env.today.month;
    cal.three = request.flag("three");
    cal.wholeYear = request.flag("year");
    const auto fail = [&cal](std::string_view message) {
        cal.error = usageError(message);
        return cal;
    };
    if (cal.three && cal.wholeYear) return fail("'cal' takes -3 or -y, not both");
    if (request.args.empty()) {
        cal.ok = true;
        return cal;
    }
    const TypedNumber y = parseTypedNumber(request.args[0], MinDayInfoYear, MaxDayInfoYear);
    if (!y.ok) {
        return fail("bad year " + quotedArg(request.args[0]) +
                    " (YEAR is a whole astronomical year, -8999..9000)");
    }
    cal.year = y.value;
    if (request.args.size() == 1 && !cal.three) cal.wholeYear = true;
    if (request.args.size() == 2) {
        if (cal.wholeYear) return fail("'cal -y' takes YEAR alone");
        const TypedNumber m = parseTypedNumber(request.args[1], 1, 12);
        if (!m.ok) return fail("bad month " + quotedArg(request.args[1]) + " (MONTH is 1..12)");
        cal.month = m.value;
    }
    cal.ok = true;
    return cal;
}

// The months `cal` shows, in order.
std::vector<CivilDate> calMonths(const CalArguments& cal) {
    std::vector<CivilDate> months;
    if (cal.three) {
        for (int offset = -1; offset <= 1; ++offset)
            months.push_back(monthAfter(cal.year, cal.month, offset));
    } else if (cal.wholeYear) {
        for (int m = 1; m <= 12; ++m) months.push_back({cal.year, m, 1});
    } else {
        months.push_back({cal.year, cal.month, 1});
    }
    return months;
}

// Months three in a row: -3 once, -y four times.
std::string monthGrid(const LunarCalendar& calendar, const HolidayArrangements& holidays,
                      const std::vector<CivilDate>& months, bool colour, const CivilDate& today) {
    std::string text;
    for (size_t row = 0; row < months.size(); row += 3) {
        std::vector<std::vector<std::string>> group;
        for (size_t i = row; i < row + 3; ++i) {
            group.push_back(monthLines(calendar, holidays, months[i].year, months[i].month,
                                       CompactCell, colour, today, true));
        }
        text += (row > 0 ? "\n" : "") + sideBySide(group);
    }
    return text;
}

// Every field of `day --format json`: the day's facts and its view's lines.
std::string dayJson(const CliRequest& request, const DayFacts& facts, const DayView& view,
                    bool withAlmanac, const Almanac& dayAlmanac, const AlmanacLists& lists) {
    const GanzhiYearStart start = ganzhiYearStartOf(request);
    const TermEvent& next = facts.nextTerm;
    nlohmann::json json = {
        {"civil", civilJson(facts.civil)},
        {"lunar", lunarJson(facts.lunar)},
        {"lunar_text", view.lunarText},
        {"day_line", view.dayLine},
        {"festival_line", view.festivalLine},
        {"season_line", view.seasonLine},
        {"weekday", weekdayNameOfDay(facts.civil.dayNumber)},
        {"zodiac_sign", zodiacSignName(facts.civil.date)},
        {"ganzhi", ganzhiJson(facts.ganzhi(start), start)},
        {"festivals", festivalsJson(facts.festivals)},
        {"holiday", holidayStatusJson(facts.holiday)},
        {"next_term",
         next.number == 0
             ? nlohmann::json(nullptr)
             : nlohmann::json{{"number", next.number},
                              {"name", solarTermName(next.number)},
                              {"instant", isoInstant(next.instant, request.timeZoneHours)}}},
    };
    if (withAlmanac) {
        const ZiHour zi = ziHourOf(request);
        json["almanac"] =
            almanacJson(dayAlmanac, lists, zi, almanacHours(dayAlmanac.dayNumber, zi));
    }
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

GanzhiYearStart ganzhiYearStartOf(const CliRequest& request) {
    return request.flag("lichun") ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
}

CliOutput runRecords(const CliRequest& request, const CliEnvironment& env) {
    const YearRangeArgument years =
        yearRangeArgument(request, FirstLunarYear, LastLunarYear, "lunar year");
    if (!years.ok) return years.error;
    const int first = years.first, last = years.last;
    const LunarCalendar& calendar = request.calendar();
    JsonArrayWriter json(env);
    if (request.format == OutputFormat::Tsv) emitLine(env, "year\trecord");
    for (int chunk = first; chunk <= last; chunk += RecordChunkYears) {
        const int chunkLast = std::min(last, chunk + RecordChunkYears - 1);
        calendar.prefetch(chunk, chunkLast);
        std::string text;
        for (int year = chunk; year <= chunkLast; ++year) {
            const LunarYear& lunar = calendar.lunarYear(year);
            const std::string record = lunarYearRecord(lunar);
            if (request.format == OutputFormat::Json) {
                if (!json.add({{"year", year},
                               {"record", record},
                               {"leap_month", lunar.leapMonth},
                               {"days", lunar.length()},
                               {"new_year", civilJson(lunar.newYearDate())}})) {
                    return {};
                }
            } else {
                text += std::to_string(year) + "\t" + record + "\n";
            }
        }
        if (!text.empty() && !emitLine(env, text)) return {};
        if (env.stopRequested && *env.stopRequested)
            return {ExitInterrupted, "", "tavomerix: interrupted\n"};
        if (env.stderrIsTerminal && env.progress && last > first) {
            char percent[64];
            std::snprintf(percent, sizeof percent, "records: %d%%",
                          static_cast<int>(100.0 * (chunkLast - first + 1) / (last - first + 1)));
            env.progress(percent);
        }
    }
    if (env.stderrIsTerminal && env.progress && last > first) env.progress("");
    if (request.format == OutputFormat::Json) json.finish();
    return {};
}

CliOutput runConvert(const CliRequest& request, const CliEnvironment&) {
    const std::string& text = request.args[0];
    const LunarCalendar& calendar = request.calendar();
    const bool fromLunar = request.flag("lunar");
    const CivilDayArgument civil =
        fromLunar ? dateArgument(calendar, text, true) : civilDayArgument(text);
    if (!civil.ok) return civil.error;
    const CivilDate date{civil.year, civil.month, civil.day};
    const LunarDate lunar = solarToLunar(calendar, date);
    if (!lunar.valid()) return conversionRangeError(text);
    if (request.format == OutputFormat::Json) {
        return printed(
            nlohmann::json{{"civil", civilJson(date)}, {"lunar", lunarJson(lunar)}}.dump(2));
    }
    return printed(fromLunar ? isoDate(date) : lunarCompactText(lunar));
}

CliOutput runGanzhi(const CliRequest& request, const CliEnvironment&) {
    const LunarCalendar& calendar = request.calendar();
    const CivilDayArgument civil = dateArgument(calendar, request.args[0], request.flag("lunar"));
    if (!civil.ok) return civil.error;
    const DayFacts facts = dayFacts(calendar, civilDayOf(civil), nullptr);
    if (!facts.valid()) return conversionRangeError(request.args[0]);
    const GanzhiYearStart start = ganzhiYearStartOf(request);
    const SexagenaryDay& ganzhi = facts.ganzhi(start);
    if (request.format == OutputFormat::Json) {
        nlohmann::json json = ganzhiJson(ganzhi, start);
        json["civil"] = civilJson(facts.civil);
        return printed(json.dump(2));
    }
    return printed(ganzhiTextOfNumbers(ganzhi.year, ganzhi.month, ganzhi.day));
}

CliOutput runInterval(const CliRequest& request, const CliEnvironment& env) {
    const CivilDayArgument a = civilDayArgument(request.args[0]);
    if (!a.ok) return a.error;
    const CivilDayArgument b = civilDayArgument(request.args[1]);
    if (!b.ok) return b.error;
    const int days = b.dayNumber - a.dayNumber;
    const bool workdays = request.flag("workdays");
    if (!workdays && request.value("holidays") != nullptr) {
        return usageError("option '--holidays' applies to 'interval --workdays' only");
    }
    long long working = 0;
    if (workdays) {
        const HolidaysArgument holidays = holidaysArgument(request, env);
        if (!holidays.ok) return holidays.error;
        working = workingDays(holidays.arrangements, a.dayNumber, b.dayNumber);
    }
    if (request.format == OutputFormat::Json) {
        nlohmann::json json = {{"from", civilJson({a.year, a.month, a.day})},
                               {"to", civilJson({b.year, b.month, b.day})},
                               {"days", days}};
        if (workdays) json["workdays"] = working;
        return printed(json.dump(2));
    }
    return printed(std::to_string(workdays ? working : days));
}

CliOutput runDay(const CliRequest& request, const CliEnvironment& env) {
    const LunarCalendar& calendar = request.calendar();
    const CivilDayArgument date = dayArgument(request, env);
    if (!date.ok) return date.error;
    std::string err;
    CommemorationDays days;
    const std::string* path = request.value("days");
    if (path != nullptr && !loadDaysFile(calendar, *path, days, err)) return {ExitUsage, "", err};
    const DayViewOptions options = dayViewOptionsOf(request, path != nullptr ? &days : nullptr);
    HolidaysArgument holidays;
    if (request.format == OutputFormat::Json || request.value("holidays") != nullptr) {
        holidays = holidaysArgument(request, env);
        if (!holidays.ok) return holidays.error;
    }
    const DayFacts facts =
        dayFacts(calendar, civilDayOf(date), options.commemorationDays, &holidays.arrangements);
    const bool withAlmanac = request.flag("almanac");
    const Almanac dayAlmanac = withAlmanac ? almanac(facts) : Almanac{};
    if (!facts.valid() || (withAlmanac && !dayAlmanac.valid())) {
        return dayRangeError(request, "day view");
    }
    const AlmanacLists lists =
        withAlmanac ? almanacLists(dayAlmanac.monthBranch, dayAlmanac.ganzhi,
                                   almanacMarks(calendar, facts.civil.dayNumber, facts.lunar))
                    : AlmanacLists{};
    const DayView view = dayView(calendar, facts, options);
    CliOutput out =
        printed(request.format == OutputFormat::Json
                    ? dayJson(request, facts, view, withAlmanac, dayAlmanac, lists)
                    : isoDate(view.civil) + "\n" + view.lunarText + "\n" + view.dayLine + "\n" +
                          view.festivalLine + "\n" + view.seasonLine + "\n" +
                          almanacText(dayAlmanac) + (withAlmanac ? almanacListsText(lists) : ""));
    out.err = err;
    return out;
}

CliOutput runAlmanac(const CliRequest& request, const CliEnvironment& env) {
    const CivilDayArgument date = dayArgument(request, env);
    if (!date.ok) return date.error;
    const CivilDate civil{date.year, date.month, date.day};
    const LunarCalendar& calendar = request.calendar();
    const Almanac dayAlmanac = almanac(calendar, civil);
    if (!dayAlmanac.valid()) return dayRangeError(request, "almanac");
    const ZiHour zi = ziHourOf(request);
    const AlmanacLists lists = almanacLists(calendar, dayAlmanac);
    const std::span<const AlmanacHour> hours = almanacHours(dayAlmanac.dayNumber, zi);
    if (request.format == OutputFormat::Json) {
        nlohmann::json json = almanacJson(dayAlmanac, lists, zi, hours);
        json["civil"] = civilJson(civil);
        return printed(json.dump(2));
    }
    std::string text = isoDate(civil) + "\n" + almanacText(dayAlmanac) + almanacListsText(lists);
    if (request.flag("hours")) text += almanacHoursText(hours);
    return printed(text);
}

CliOutput runCal(const CliRequest& request, const CliEnvironment& env) {
    const CalArguments cal = calArguments(request, env);
    if (!cal.ok) return cal.error;
    const std::vector<CivilDate> months = calMonths(cal);
    for (const CivilDate& m : months) {
        if (m.year < MinDayInfoYear || m.year > MaxDayInfoYear) {
            return usageError("the months of 'cal' lie in the years -8999..9000");
        }
    }
    const HolidaysArgument holidaysRead = holidaysArgument(request, env);
    if (!holidaysRead.ok) return holidaysRead.error;
    const HolidayArrangements& holidays = holidaysRead.arrangements;
    const LunarCalendar& calendar = request.calendar();
    calendar.prefetch(months.front().year - 1, months.back().year);
    if (request.format == OutputFormat::Json) {
        nlohmann::json list = nlohmann::json::array();
        for (const CivilDate& m : months)
            list.push_back(monthJsonOfCal(calendar, holidays, m.year, m.month));
        return printed((months.size() == 1 ? list[0] : list).dump(2));
    }
    const bool colour = useColour(request, env);
    if (months.size() == 1) {
        return printed(joinedLines(monthLines(calendar, holidays, cal.year, cal.month, CalendarCell,
                                              colour, env.today, false)));
    }
    if (cal.wholeYear && !request.flag("year")) {
        std::string text;
        for (const CivilDate& m : months) {
            text += (m.month > 1 ? "\n" : "") +
                    joinedLines(monthLines(calendar, holidays, m.year, m.month, CalendarCell,
                                           colour, env.today, false));
        }
        return printed(text);
    }
    return printed(monthGrid(calendar, holidays, months, colour, env.today));
}

}  // namespace tavomerix
