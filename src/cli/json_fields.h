#pragma once

#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/sexagenary.h"
#include "cli/cli.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/festivals.h"
#include "dayinfo/four_pillars.h"
#include "dayinfo/holidays.h"

namespace tavomerix {

// Every field of a civil date: iso, year, month, day, jdn, date_code, weekday and the
// calendar it is reckoned in ("julian" before 1582-10-15, else "gregorian").
nlohmann::json civilJson(const CivilDate& date);
nlohmann::json civilJson(const CivilDay& day);

// Every field of a lunar date (long-month flag set): compact, text, year, month, day,
// leap, long_month, month_code, sized_month_code, date_code (SizedMonthCode) and
// month_code_text (MonthCode); null for LunarDate{}.
nlohmann::json lunarJson(const LunarDate& date);

// The sexagenary parts of a day: year, month and day, each with number (1..60), stem,
// branch and name (the year with its zodiac animal; null for a missing number), the whole
// text and where the year starts ("lunar_new_year" or "lichun").
nlohmann::json ganzhiJson(const SexagenaryDay& numbers, GanzhiYearStart start);

// Every field of a day's almanac under its snake_case name (jdn, ganzhi, ganzhi_name,
// na_yin, .., pentad_name; numbers 0 and texts "" where the almanac has none) and its
// lines for people; null for an invalid almanac.
nlohmann::json almanacJson(const Almanac& almanac);

// The almanac with its day lists and hours added: auspicious_spirits, baleful_stars,
// favoured (宜) and forbidden (忌) as arrays of names, all_forbidden, nothing_else, virtue,
// zi_hour ("late" or "early") and hours, one object per row (branch, label, start, end,
// ganzhi, ganzhi_name, spirit, spirit_name, yellow_path, path_name, luck, text).
nlohmann::json almanacJson(const Almanac& almanac, const AlmanacLists& lists, ZiHour zi,
                           std::span<const AlmanacHour> hours);

// The festivals of a day as a list of their whole names.
nlohmann::json festivalsJson(const std::vector<FestivalName>& festivals);

// What a day is for work, for people: "法定节假日", "放假", "调休上班", "工作日", "周末".
std::string_view dayStatusName(DayStatus status);
// The same as a JSON value: "statutory", "day_off", "arranged_workday", "workday", "weekend".
std::string_view dayStatusKey(DayStatus status);

// A day's holiday status: status (dayStatusKey), name (dayStatusName), mark ("休", "班" or
// ""), holiday (null for none), working_day and published.
nlohmann::json holidayStatusJson(const HolidayStatus& status);

// A month for people: "2025-闰06  闰六月小  2025-07-25 ～ 2025-08-22".
std::string monthText(const LunarMonthSpan& span);
// A month as a tab-separated row under MonthTsvHeader.
constexpr std::string_view MonthTsvHeader =
    "lunar_year\tmonth\tleap\tlong_month\tdays\tname\tfirst_day\tlast_day";
std::string monthTsv(const LunarMonthSpan& span);
// A month as JSON: lunar_year, month, leap, long_month, month_code, days, name, compact,
// first_day and last_day (civil dates).
nlohmann::json monthJson(const LunarMonthSpan& span);

// Writes one JSON document, or one element of an array streamed with JsonArrayWriter.
bool emitJson(const CliEnvironment& env, const nlohmann::json& value);

// Streams a JSON array element by element: "[" before the first, "," between, "]" at
// finish (an empty array when nothing was added).
class JsonArrayWriter {
public:
    explicit JsonArrayWriter(const CliEnvironment& env) : env_(env) {}
    // A run stopped by Ctrl-C closes the array, so that what was printed stays valid JSON.
    ~JsonArrayWriter();
    JsonArrayWriter(const JsonArrayWriter&) = delete;
    JsonArrayWriter& operator=(const JsonArrayWriter&) = delete;
    bool add(const nlohmann::json& element);
    bool finish();

private:
    const CliEnvironment& env_;
    bool started_ = false;
    bool finished_ = false;
};

}  // namespace tavomerix
