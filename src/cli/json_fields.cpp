#include "cli/json_fields.h"

#include "chinese/lunar_conversion.h"
#include "cli/commands.h"
#include "dayinfo/names.h"

namespace tavomerix {

nlohmann::json civilJson(const CivilDate& date) { return civilJson(civilDay(date)); }

nlohmann::json civilJson(const CivilDay& day) {
    const CivilDate& date = day.date;
    const int jdn = day.dayNumber;
    return {
        {"iso", isoDate(date)},
        {"year", date.year},
        {"month", date.month},
        {"day", date.day},
        {"jdn", jdn},
        {"date_code", formatDateCode(date)},
        {"weekday", std::string(weekdayNameOfDay(jdn))},
        {"calendar", jdn <= LastJulianDay ? "julian" : "gregorian"},
    };
}

namespace {

struct DayStatusText {
    DayStatus status;
    std::string_view name, key;
};
constexpr DayStatusText DayStatusTexts[] = {
    {DayStatus::Statutory, "法定节假日", "statutory"},
    {DayStatus::DayOff, "放假", "day_off"},
    {DayStatus::ArrangedWorkday, "调休上班", "arranged_workday"},
    {DayStatus::Workday, "工作日", "workday"},
    {DayStatus::Weekend, "周末", "weekend"},
};

const DayStatusText& dayStatusText(DayStatus status) {
    for (const DayStatusText& t : DayStatusTexts) {
        if (t.status == status) return t;
    }
    return DayStatusTexts[3];
}

}  // namespace

std::string_view dayStatusName(DayStatus status) { return dayStatusText(status).name; }

std::string_view dayStatusKey(DayStatus status) { return dayStatusText(status).key; }

nlohmann::json holidayStatusJson(const HolidayStatus& status) {
    return {
        {"status", dayStatusKey(status.status)},
        {"name", dayStatusName(status.status)},
        {"mark", dayStatusMark(status.status)},
        {"holiday",
         status.holiday.empty() ? nlohmann::json(nullptr) : nlohmann::json(status.holiday)},
        {"working_day", isWorkingDay(status.status)},
        {"published", status.published},
    };
}

nlohmann::json lunarJson(const LunarDate& date) {
    if (!date.valid()) return nullptr;
    return {
        {"compact", lunarCompactText(date)},
        {"text", lunarWordsText(date)},
        {"year", date.year},
        {"month", date.month},
        {"day", date.day},
        {"leap", date.leap},
        {"long_month", date.longMonth},
        {"month_code", date.monthCode()},
        {"sized_month_code", date.sizedMonthCode()},
        {"date_code", lunarDateCode(date)},
        {"month_code_text", lunarMonthCodeText(date)},
    };
}

nlohmann::json ganzhiJson(const SexagenaryDay& numbers, GanzhiYearStart start) {
    const auto part = [](int number) {
        if (number < 1 || number > 60) return nlohmann::json(nullptr);
        return nlohmann::json{{"number", number},
                              {"stem", stemName(number)},
                              {"branch", branchName(number)},
                              {"name", ganzhiName(number)}};
    };
    nlohmann::json yearPart = part(numbers.year);
    if (!yearPart.is_null()) yearPart["zodiac"] = ZodiacAnimals[(numbers.year - 1) % 12];
    return {{"year", yearPart},
            {"month", part(numbers.month)},
            {"day", part(numbers.day)},
            {"text", ganzhiTextOfNumbers(numbers.year, numbers.month, numbers.day)},
            {"year_start", start == GanzhiYearStart::Lichun ? "lichun" : "lunar_new_year"}};
}

nlohmann::json almanacJson(const Almanac& a) {
    if (!a.valid()) return nullptr;
    std::vector<std::string> lines;
    const std::string text = almanacText(a);
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return {
        {"jdn", a.dayNumber},
        {"ganzhi", a.ganzhi},
        {"ganzhi_name", a.ganzhiName},
        {"na_yin", a.naYin},
        {"na_yin_name", a.naYinName},
        {"month_branch", a.monthBranch},
        {"month_branch_name", a.monthBranchName},
        {"officer", a.officer},
        {"officer_name", a.officerName},
        {"mansion", a.mansion},
        {"mansion_name", a.mansionName},
        {"mansion_auspicious", a.mansionAuspicious},
        {"mansion_luck", a.mansionLuck},
        {"clash_branch", a.clashBranch},
        {"clash_animal", a.clashAnimal},
        {"clash_ganzhi", a.clashGanzhi},
        {"clash_ganzhi_name", a.clashGanzhiName},
        {"sha_direction", a.shaDirection},
        {"pengzu_stem_taboo", a.pengzuStemTaboo},
        {"pengzu_branch_taboo", a.pengzuBranchTaboo},
        {"joy_god_direction", a.joyGodDirection},
        {"fortune_god_direction", a.fortuneGodDirection},
        {"wealth_god_direction", a.wealthGodDirection},
        {"spirit", a.spirit},
        {"spirit_name", a.spiritName},
        {"yellow_path", a.yellowPath},
        {"path_name", a.pathName},
        {"term", a.term},
        {"term_name", a.termName},
        {"days_since_term", a.daysSinceTerm},
        {"pentad", a.pentad},
        {"pentad_ordinal", a.pentadOrdinal},
        {"pentad_name", a.pentadName},
        {"lines", lines},
    };
}

nlohmann::json almanacJson(const Almanac& a, const AlmanacLists& lists, ZiHour zi,
                           std::span<const AlmanacHour> hours) {
    nlohmann::json json = almanacJson(a);
    if (json.is_null()) return json;
    const auto names = [](const std::vector<std::string_view>& list) {
        nlohmann::json array = nlohmann::json::array();
        for (const std::string_view name : list) array.push_back(name);
        return array;
    };
    json["auspicious_spirits"] = names(lists.auspicious);
    json["baleful_stars"] = names(lists.baleful);
    json["favoured"] = names(lists.favoured);
    json["forbidden"] = names(lists.forbidden);
    json["all_forbidden"] = lists.allForbidden;
    json["nothing_else"] = lists.nothingElse;
    json["virtue"] = lists.virtue;
    json["zi_hour"] = zi == ZiHour::Early ? "early" : "late";
    nlohmann::json rows = nlohmann::json::array();
    for (const AlmanacHour& h : hours) {
        rows.push_back({{"branch", h.branch},
                        {"label", h.label},
                        {"start", clockMinuteText(h.startMinute)},
                        {"end", clockMinuteText(h.endMinute)},
                        {"ganzhi", h.ganzhi},
                        {"ganzhi_name", h.ganzhiName},
                        {"spirit", h.spirit},
                        {"spirit_name", h.spiritName},
                        {"yellow_path", h.yellowPath},
                        {"path_name", h.pathName},
                        {"luck", h.luck},
                        {"text", almanacHourText(h)}});
    }
    json["hours"] = rows;
    return json;
}

nlohmann::json festivalsJson(const std::vector<FestivalName>& festivals) {
    nlohmann::json names = nlohmann::json::array();
    for (const FestivalName& f : festivals) names.push_back(f.name);
    return names;
}

std::string monthText(const LunarMonthSpan& span) {
    return lunarMonthCompactText(span.year, monthCodeOf(span.sizedMonthCode)) + "  " +
           lunarMonthText(span.sizedMonthCode) + "  " + isoDate(span.first) + " ～ " +
           isoDate(span.last);
}

std::string monthTsv(const LunarMonthSpan& span) {
    const LunarDate d = lunarDateOfSizedCode(span.year, span.sizedMonthCode, 1);
    return std::to_string(span.year) + "\t" + std::to_string(d.month) + "\t" +
           (d.leap ? "1" : "0") + "\t" + (d.longMonth ? "1" : "0") + "\t" +
           (d.longMonth ? "30" : "29") + "\t" + lunarMonthText(span.sizedMonthCode) + "\t" +
           isoDate(span.first) + "\t" + isoDate(span.last);
}

nlohmann::json monthJson(const LunarMonthSpan& span) {
    const LunarDate d = lunarDateOfSizedCode(span.year, span.sizedMonthCode, 1);
    return {
        {"lunar_year", span.year},
        {"month", d.month},
        {"leap", d.leap},
        {"long_month", d.longMonth},
        {"month_code", d.monthCode()},
        {"days", d.longMonth ? 30 : 29},
        {"name", lunarMonthText(span.sizedMonthCode)},
        {"compact", lunarMonthCompactText(span.year, d.monthCode())},
        {"first_day", civilJson(span.first)},
        {"last_day", civilJson(span.last)},
    };
}

bool emitJson(const CliEnvironment& env, const nlohmann::json& value) {
    // Invalid UTF-8 (a commemoration name from a file) is replaced, never thrown at.
    return emitLine(env, value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace));
}

bool JsonArrayWriter::add(const nlohmann::json& element) {
    std::string text = started_ ? ",\n" : "[\n";
    text += element.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    started_ = true;
    env_.out->write(text);
    return env_.out->flush();
}

bool JsonArrayWriter::finish() {
    finished_ = true;
    return emitLine(env_, started_ ? "\n]" : "[]");
}

JsonArrayWriter::~JsonArrayWriter() {
    const bool interrupted = env_.stopRequested != nullptr && *env_.stopRequested != 0;
    if (started_ && !finished_ && interrupted && env_.out != nullptr && env_.out->ok()) finish();
}

}  // namespace tavomerix
