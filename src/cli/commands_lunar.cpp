#include <cmath>
#include <cstdio>
#include <string>

#include "calendar/julian_day.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "cli/commands.h"
#include "cli/days_file.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/date_text.h"
#include "dayinfo/day_view.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

// Years of the lunar records that `records` prints.
constexpr int RecordChunkYears = 200;

CliOutput conversionRangeError(std::string_view text) {
    return usageError("date '" + std::string(text) + "' is outside the lunar calendar's years -8999..9000");
}

// Reads a commemoration file into `days`; on any fault its lines go to `err` (one each).
bool loadDaysFile(const LunarCalendar& calendar, const std::string& path, CommemorationDays& days,
                  std::string& err) {
    DaysFileResult file = readDaysFile(calendar, path);
    for (const std::string& line : file.errorLines) err += line + "\n";
    days = std::move(file.days);
    return file.ok;
}

// The lunar month's name without its size mark: "闰四月" from "闰四月小".
std::string monthNameOf(int sizedMonthCode) {
    const std::string text = lunarMonthText(sizedMonthCode);
    return text.size() >= 3 ? text.substr(0, text.size() - 3) : text;
}

// Pads a text to a display width (ASCII one column, other characters two), right-aligned.
std::string rightAligned(const std::string& text, int width) {
    const int w = gbkWidth(text);
    return w >= width ? text : std::string(static_cast<size_t>(width - w), ' ') + text;
}

constexpr int CalendarCell = 8;

// One month of `cal`: title, weekday header (Monday first), day numbers with the lunar
// day, month or term beneath.
std::string monthCalendar(const LunarCalendar& calendar, int year, int month,
                          const CliEnvironment& env) {
    const std::string title = (year >= 1 ? std::to_string(year) : "公元前" + std::to_string(1 - year)) +
                              "年" + std::to_string(month) + "月";
    const int width = 7 * CalendarCell;
    std::string text(static_cast<size_t>(std::max(0, (width - gbkWidth(title)) / 2)), ' ');
    text += title + "\n";
    for (int i = 0; i < 7; ++i) {
        text += rightAligned(std::string(i == 6 ? "日" : digitName(i + 1)), CalendarCell - 2);
        text += i == 6 ? "\n" : "  ";
    }
    const int todayNumber = julianDayNumber(env.today.year, env.today.month, env.today.day);
    std::string numbers, names;
    int column = 0;
    const auto flush = [&] {
        while (!numbers.empty() && numbers.back() == ' ') numbers.pop_back();
        while (!names.empty() && names.back() == ' ') names.pop_back();
        text += numbers + "\n" + names + "\n";
        numbers.clear();
        names.clear();
        column = 0;
    };
    for (int day = 1; day <= 31; ++day) {
        const int jdn = julianDayNumber(year, month, day);
        if (jdn == InvalidDayNumber) continue;
        const int weekday = ((jdn % 7) + 7) % 7;  // 0 = Monday
        if (column == 0 && numbers.empty()) {
            numbers.append(static_cast<size_t>(weekday * CalendarCell), ' ');
            names.append(static_cast<size_t>(weekday * CalendarCell), ' ');
            column = weekday;
        }
        std::string below;
        const LunarDate lunar = lunarDateOfDay(calendar, jdn);
        if (lunar.valid()) {
            below = lunar.day == 1 ? monthNameOf(lunar.sizedMonthCode()) : lunarDayName(lunar.day);
        }
        const TermEvent term = calendar.nextTerm(jdn);
        if (term.number != 0 && static_cast<int>(std::floor(term.instant)) == jdn) {
            below = std::string(solarTermName(term.number));
        }
        std::string number = rightAligned(std::to_string(day), CalendarCell - 2);
        std::string name = rightAligned(below, CalendarCell - 2);
        if (env.stdoutIsTerminal && jdn == todayNumber) {
            number = "\033[7m" + number + "\033[0m";
            name = "\033[7m" + name + "\033[0m";
        }
        numbers += number + "  ";
        names += name + "  ";
        if (++column == 7) flush();
    }
    if (column != 0) flush();
    return text;
}

}  // namespace

CliOutput runRecords(const CliRequest& request, const CliEnvironment& env) {
    const auto yearOf = [](std::string_view text, int& year, CliOutput& error) {
        const TypedNumber n = parseTypedNumber(text, FirstLunarYear, LastLunarYear);
        if (!n.ok) {
            error = usageError("bad lunar year '" + std::string(text) + "' (years -9997..9998)");
            return false;
        }
        year = n.value;
        return true;
    };
    int first = 0, last = 0;
    CliOutput error;
    if (!yearOf(request.args[0], first, error)) return error;
    last = first;
    if (request.args.size() > 1 && !yearOf(request.args[1], last, error)) return error;
    if (last < first) {
        return usageError("LAST " + std::to_string(last) + " comes before FIRST " + std::to_string(first));
    }
    const LunarCalendar& calendar = request.calendar();
    std::string text;
    text.reserve(static_cast<size_t>(last - first + 1) * 24);
    for (int chunk = first; chunk <= last; chunk += RecordChunkYears) {
        const int chunkLast = std::min(last, chunk + RecordChunkYears - 1);
        calendar.prefetch(chunk, chunkLast);
        for (int year = chunk; year <= chunkLast; ++year) {
            text += std::to_string(year) + "\t" + std::string(calendar.yearRecord(year)) + "\n";
        }
        if (env.stopRequested && *env.stopRequested) return {ExitInterrupted, "", ""};
        if (env.stderrIsTerminal && env.progress && last > first) {
            char percent[64];
            std::snprintf(percent, sizeof percent, "records: %d%%",
                          static_cast<int>(100.0 * (chunkLast - first + 1) / (last - first + 1)));
            env.progress(percent);
        }
    }
    if (env.stderrIsTerminal && env.progress && last > first) env.progress("");
    return printed(text);
}

CliOutput runConvert(const CliRequest& request, const CliEnvironment&) {
    const std::string& text = request.args[0];
    const LunarCalendar& calendar = request.calendar();
    if (request.flag("lunar")) {
        const CivilDayArgument civil = dateArgument(calendar, text, true);
        if (!civil.ok) return civil.error;
        return printed(formatDateCode(civil.year, civil.month, civil.day));
    }
    const CivilDayArgument civil = civilDayArgument(text);
    if (!civil.ok) return civil.error;
    const std::string lunar =
        lunarMonthCodeText(solarToLunar(calendar, {civil.year, civil.month, civil.day}));
    if (lunar.empty()) return conversionRangeError(text);
    return printed(lunar);
}

CliOutput runGanzhi(const CliRequest& request, const CliEnvironment&) {
    const LunarCalendar& calendar = request.calendar();
    const CivilDayArgument civil = dateArgument(calendar, request.args[0], request.flag("lunar"));
    if (!civil.ok) return civil.error;
    const std::string text = ganzhiText(
        calendar, {civil.year, civil.month, civil.day},
        request.flag("lichun") ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear);
    if (text.empty()) return conversionRangeError(request.args[0]);
    return printed(text);
}

CliOutput runInterval(const CliRequest& request, const CliEnvironment&) {
    const CivilDayArgument a = civilDayArgument(request.args[0]);
    if (!a.ok) return a.error;
    const CivilDayArgument b = civilDayArgument(request.args[1]);
    if (!b.ok) return b.error;
    return printed(std::to_string(b.dayNumber > a.dayNumber ? b.dayNumber - a.dayNumber
                                                            : a.dayNumber - b.dayNumber));
}

CliOutput runDay(const CliRequest& request, const CliEnvironment& env) {
    const LunarCalendar& calendar = request.calendar();
    CivilDayArgument date;
    if (request.args.empty()) {
        date.ok = true;
        date.year = env.today.year;
        date.month = env.today.month;
        date.day = env.today.day;
    } else {
        date = dateArgument(calendar, request.args[0], request.flag("lunar"));
        if (!date.ok) return date.error;
    }
    DayViewOptions options;
    options.ganzhiYearStart =
        request.flag("lichun") ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
    options.eraNames = request.flag("era");
    options.hijriLine = request.flag("hijri");
    std::string err;
    CommemorationDays days;
    if (const std::string* path = request.value("days")) {
        if (!loadDaysFile(calendar, *path, days, err)) return {ExitUsage, "", err};
        options.commemorationDays = &days;
    }
    const DayView view = dayView(calendar, {date.year, date.month, date.day}, options);
    if (view.civilCode.empty()) {
        return usageError("date '" + (request.args.empty() ? std::string("today") : request.args[0]) +
                          "' is outside the years -8999..9000 of the day view");
    }
    CliOutput out = printed(view.civilCode + "\n" + view.lunarCode + "\n" + view.lunarText + "\n" +
                            view.dayLine + "\n" + view.festivalLine + "\n" + view.seasonLine);
    out.err = err;
    return out;
}

CliOutput runCal(const CliRequest& request, const CliEnvironment& env) {
    int year = env.today.year, month = env.today.month;
    bool wholeYear = false;
    if (!request.args.empty()) {
        const TypedNumber y = parseTypedNumber(request.args[0], MinDayInfoYear, MaxDayInfoYear);
        if (!y.ok) {
            return usageError("bad year '" + request.args[0] + "' (YEAR is a whole astronomical year, -8999..9000)");
        }
        year = y.value;
        wholeYear = request.args.size() == 1;
        if (request.args.size() == 2) {
            const TypedNumber m = parseTypedNumber(request.args[1], 1, 12);
            if (!m.ok) return usageError("bad month '" + request.args[1] + "' (MONTH is 1..12)");
            month = m.value;
        }
    }
    const LunarCalendar& calendar = request.calendar();
    if (!wholeYear) return printed(monthCalendar(calendar, year, month, env));
    calendar.prefetch(year - 1, year);
    std::string text;
    for (int m = 1; m <= 12; ++m) text += (m > 1 ? "\n" : "") + monthCalendar(calendar, year, m, env);
    return printed(text);
}

}  // namespace tavomerix
