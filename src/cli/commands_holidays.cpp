#include <algorithm>
#include <string>
#include <vector>

#include "calendar/julian_day.h"
#include "cli/commands.h"
#include "cli/days_file.h"
#include "cli/json_fields.h"
#include "dayinfo/date_text.h"
#include "dayinfo/holidays.h"
#include "dayinfo/names.h"

namespace tavomerix {

namespace {

constexpr std::string_view NotPublished = "arrangement not yet published";

// Width of the holiday's name in a line of `holidays`, in columns.
constexpr int HolidayNameWidth = 8;

std::string errorText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string isoDay(int dayNumber) { return isoDate(civilDateFromDayNumber(dayNumber)); }

// Days by number as runs of consecutive days: "2026-02-15 ～ 2026-02-23, 2026-02-28".
std::string dayRunsText(const std::vector<int>& days) {
    std::string text;
    for (size_t i = 0; i < days.size();) {
        size_t last = i;
        while (last + 1 < days.size() && days[last + 1] == days[last] + 1) ++last;
        text += (text.empty() ? "" : ", ") + isoDay(days[i]);
        if (last > i) text += " ～ " + isoDay(days[last]);
        i = last + 1;
    }
    return text;
}

nlohmann::json dayListJson(const std::vector<int>& days) {
    nlohmann::json list = nlohmann::json::array();
    for (const int day : days) list.push_back(isoDay(day));
    return list;
}

// One holiday of `holidays YEAR` for people: its days off with their number, its working
// days and its statutory days.
std::string holidayLine(const Holiday& h) {
    std::string line = h.name;
    line.append(static_cast<size_t>(std::max(1, HolidayNameWidth - gbkWidth(h.name))), ' ');
    std::string parts;
    const auto part = [&parts](const std::string& text) {
        parts += (parts.empty() ? "" : "  ") + text;
    };
    if (!h.daysOff.empty()) {
        part("休 " + dayRunsText(h.daysOff) + " (" + std::to_string(h.daysOff.size()) +
             (h.daysOff.size() == 1 ? " day)" : " days)"));
    }
    if (!h.workingDays.empty()) part("班 " + dayRunsText(h.workingDays));
    if (!h.statutoryDays.empty()) part("statutory " + dayRunsText(h.statutoryDays));
    return line + parts;
}

std::string yearHolidaysText(const YearHolidays& year) {
    std::string text = std::to_string(year.year) + ": ";
    if (!year.published) {
        text += std::string(NotPublished) + "; the statutory days alone\n";
    } else if (year.fromUserFile) {
        text += "arrangement from the user's holiday file\n";
    } else {
        for (size_t i = 0; i < year.notices.size(); ++i) {
            text += (i > 0 ? "      notice " : "notice ") + year.notices[i] + "\n";
        }
        if (year.notices.empty()) text += "arrangement published\n";
    }
    for (const Holiday& h : year.holidays) text += holidayLine(h) + "\n";
    return text;
}

nlohmann::json yearHolidaysJson(const YearHolidays& year) {
    nlohmann::json holidays = nlohmann::json::array();
    for (const Holiday& h : year.holidays) {
        holidays.push_back({{"name", h.name},
                            {"days_off", dayListJson(h.daysOff)},
                            {"working_days", dayListJson(h.workingDays)},
                            {"statutory_days", dayListJson(h.statutoryDays)}});
    }
    return {{"year", year.year},
            {"published", year.published},
            {"from_user_file", year.fromUserFile},
            {"notices", year.notices},
            {"holidays", holidays}};
}

// The year's days one a row: date, holiday, off or work, and 1 for a statutory day.
std::string yearHolidaysTsv(const YearHolidays& year) {
    struct Row {
        int day;
        const Holiday* holiday;
        bool work, statutory;
    };
    std::vector<Row> rows;
    for (const Holiday& h : year.holidays) {
        for (const int day : h.daysOff) {
            rows.push_back(
                {day, &h, false,
                 std::binary_search(h.statutoryDays.begin(), h.statutoryDays.end(), day)});
        }
        for (const int day : h.workingDays) rows.push_back({day, &h, true, false});
        for (const int day : h.statutoryDays) {
            if (!std::binary_search(h.daysOff.begin(), h.daysOff.end(), day))
                rows.push_back({day, &h, false, true});
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.day < b.day; });
    std::string text = "date\tholiday\tday\tstatutory\n";
    for (const Row& r : rows) {
        text += isoDay(r.day) + "\t" + r.holiday->name + "\t" + (r.work ? "work" : "off") + "\t" +
                (r.statutory ? "1" : "0") + "\n";
    }
    return text;
}

// `holidays --check FILE`: the years the file gives, or its errors.
CliOutput checkHolidaysFile(const CliRequest& request, const std::string& path) {
    const HolidaysFileResult read = readHolidaysFile(path);
    if (!read.ok) return {ExitUsage, "", errorText(read.errorLines)};
    std::vector<int> years;
    size_t days = 0;
    for (const auto& [year, arrangement] : read.file.years) {
        years.push_back(year);
        days += arrangement.days.size();
    }
    if (request.format == OutputFormat::Json) {
        return printed(nlohmann::json{{"file", path}, {"years", years}, {"days", days}}.dump(2));
    }
    std::string list;
    for (const int year : years) list += (list.empty() ? "" : ", ") + std::to_string(year);
    return printed(quotedArg(path) + ": sound, " + std::to_string(years.size()) +
                   (years.size() == 1 ? " year" : " years") +
                   (list.empty() ? "" : " (" + list + ")") + ", " + std::to_string(days) +
                   (days == 1 ? " day" : " days"));
}

}  // namespace

HolidaysArgument holidaysArgument(const CliRequest& request, const CliEnvironment& env) {
    HolidaysArgument result;
    const std::string* given = request.value("holidays");
    const std::string& path = given != nullptr ? *given : env.holidaysFile;
    if (path.empty()) {
        result.ok = true;
        return result;
    }
    const HolidaysFileResult read = readHolidaysFile(path);
    if (!read.ok && read.missing && given == nullptr) {  // no default file: none in use
        result.ok = true;
        return result;
    }
    if (!read.ok) {
        result.error = {ExitUsage, "", errorText(read.errorLines)};
        return result;
    }
    result.arrangements = withHolidayFile({}, read.file);
    result.ok = true;
    return result;
}

CliOutput runHolidays(const CliRequest& request, const CliEnvironment& env) {
    if (const std::string* check = request.value("check")) {
        if (!request.args.empty()) return usageError("'holidays --check FILE' takes no YEAR");
        if (request.format == OutputFormat::Tsv) {
            return usageError("'holidays --check' prints text or json");
        }
        return checkHolidaysFile(request, *check);
    }
    if (request.args.empty()) return usageError("'holidays' takes YEAR or --check FILE");
    const TypedNumber year = parseTypedNumber(request.args[0], FirstHolidayYear, LastHolidayYear);
    if (!year.ok) {
        return usageError("bad year " + quotedArg(request.args[0]) + " (YEAR is " +
                          std::to_string(FirstHolidayYear) + ".." +
                          std::to_string(LastHolidayYear) + ")");
    }
    const HolidaysArgument holidays = holidaysArgument(request, env);
    if (!holidays.ok) return holidays.error;
    const YearHolidays result = yearHolidays(holidays.arrangements, year.value);
    switch (request.format) {
        case OutputFormat::Json:
            return printed(yearHolidaysJson(result).dump(2));
        case OutputFormat::Tsv:
            return printed(yearHolidaysTsv(result));
        case OutputFormat::Text:
            break;
    }
    return printed(yearHolidaysText(result));
}

CliOutput runWorkday(const CliRequest& request, const CliEnvironment& env) {
    CivilDayArgument date;
    if (request.args.empty() || request.args[0] == "today") {
        date.ok = true;
        date.year = env.today.year;
        date.month = env.today.month;
        date.day = env.today.day;
        date.dayNumber = julianDayNumber(env.today);
    } else {
        date = civilDayArgument(request.args[0]);
    }
    if (!date.ok) return date.error;
    const HolidaysArgument holidays = holidaysArgument(request, env);
    if (!holidays.ok) return holidays.error;
    const HolidayStatus status = holidayStatus(holidays.arrangements, date.dayNumber);
    const CivilDate civil{date.year, date.month, date.day};
    CliOutput out;
    if (request.format == OutputFormat::Json) {
        nlohmann::json json = holidayStatusJson(status);
        json["civil"] = civilJson(civil);
        out = printed(json.dump(2));
    } else {
        std::string line = isoDate(civil) + "  " + std::string(weekdayNameOfDay(date.dayNumber));
        if (const std::string_view mark = dayStatusMark(status.status); !mark.empty())
            line += "  " + std::string(mark);
        line += "  " + std::string(dayStatusName(status.status));
        if (!status.holiday.empty()) line += "  " + status.holiday;
        if (!status.published && date.year >= FirstHolidayYear && date.year <= LastHolidayYear)
            line += "  (" + std::string(NotPublished) + ")";
        out = printed(line);
    }
    out.exitCode = isWorkingDay(status.status) ? ExitOk : ExitFailure;
    return out;
}

}  // namespace tavomerix
