#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "chinese/sexagenary.h"
#include "cli/commands.h"
#include "cli/json_fields.h"
#include "cli/output.h"
#include "dayinfo/almanac.h"
#include "dayinfo/four_pillars.h"
#include "dayinfo/input_messages.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

// Seconds from midnight of a TIME argument, HH:MM or HH:MM:SS (00:00 .. 23:59:59); -1 for
// anything else.
int secondOfDayArgument(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    for (size_t at = 0; at <= text.size(); ++count) {
        const size_t end = std::min(text.find(':', at), text.size());
        const std::string_view part = text.substr(at, end - at);
        if (count == 3 || part.empty() || part.size() > 2) return -1;
        for (const char c : part) {
            if (c < '0' || c > '9') return -1;
            parts[count] = 10 * parts[count] + (c - '0');
        }
        at = end + 1;
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return -1;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

// Degrees of a --longitude value, decimal ("116.4", "-73.9", "+8", "1.164e2"); nullopt for
// other text or a value out of range. strtod, not from_chars: the WebAssembly build's C++
// library has no floating-point from_chars. Only decimal characters reach it, so it
// reads no hex, inf, nan or leading spaces.
std::optional<double> longitudeArgument(const std::string& text) {
    const bool decimal = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    });
    if (!decimal || text.empty()) return std::nullopt;
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &stop);
    if (stop != text.c_str() + text.size() || errno == ERANGE || value < MinLongitude ||
        value > MaxLongitude) {
        return std::nullopt;
    }
    return value;
}

std::string momentText(int day, int second) {
    return isoDate(civilDateFromDayNumber(day)) + " " + clockText(timeOfSecond(second));
}

// "-14分24秒", "+3分05秒".
std::string minutesText(int seconds) {
    char text[48];
    const int size = std::abs(seconds);
    std::snprintf(text, sizeof text, "%s%d分%02d秒", seconds < 0 ? "-" : "+", size / 60, size % 60);
    return text;
}

std::string degreesText(double longitude) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", std::fabs(longitude));
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return (longitude < 0 ? "西经 " : "东经 ") + s + "°";
}

std::string zoneText(int hours) {
    return "UTC" + std::string(hours < 0 ? "-" : "+") + std::to_string(std::abs(hours));
}

constexpr std::string_view PillarNames[] = {"年", "月", "日", "时"};
constexpr std::string_view PillarKeys[] = {"year", "month", "day", "hour"};

}  // namespace

ZiHour ziHourOf(const CliRequest& request) {
    return request.flag("early-zi") ? ZiHour::Early : ZiHour::Late;
}

CliOutput runPillars(const CliRequest& request, const CliEnvironment&) {
    const CivilDayArgument date = civilDayArgument(request.args[0]);
    if (!date.ok) return date.error;
    const int second = secondOfDayArgument(request.args[1]);
    if (second < 0) {
        return usageError(badTimeMessage(quotedArg(request.args[1])));
    }
    std::optional<double> longitude;
    if (const std::string* text = request.value("longitude")) {
        longitude = longitudeArgument(*text);
        if (!longitude) {
            return usageError(badLongitudeMessage(quotedArg(*text)));
        }
    }
    const CivilDate civil{date.year, date.month, date.day};
    const LunarCalendar& calendar = request.calendar();
    const ZiHour zi = ziHourOf(request);
    const FourPillars p = fourPillars(calendar, civil, second, zi, longitude);
    if (!p.valid()) {
        return usageError(outsideDayYearsMessage(quotedArg(request.args[0]), "pillars"));
    }
    const int zone = request.timeZoneHours;
    std::string summary;
    for (size_t i = 0; i < 4; ++i) {
        summary += (i > 0 ? " " : "") + ganzhiName(p.ganzhi[i]) + std::string(PillarNames[i]);
    }
    const std::string jieName(solarTermName(p.jie.number));
    const std::string jieInstant = isoInstant(p.jie.instant, zone, false);
    if (request.format == OutputFormat::Json) {
        nlohmann::json pillars;
        for (size_t i = 0; i < 4; ++i) {
            pillars[std::string(PillarKeys[i])] = {{"ganzhi", p.ganzhi[i]},
                                                   {"name", ganzhiName(p.ganzhi[i])},
                                                   {"na_yin", p.naYin[i]},
                                                   {"na_yin_name", NaYinNames[p.naYin[i] - 1]}};
        }
        nlohmann::json solar = nullptr;
        if (p.trueSolarTime) {
            solar = {{"longitude", p.longitude},
                     {"time", momentText(p.solarDay, p.solarSecond)},
                     {"correction_seconds", p.correctionSeconds},
                     {"longitude_seconds", p.longitudeSeconds},
                     {"equation_seconds", p.equationSeconds}};
        }
        return printed(nlohmann::json{
            {"civil", civilJson(civil)},
            {"time", clockText(timeOfSecond(second))},
            {"time_zone", zone},
            {"zi_hour", zi == ZiHour::Early ? "early" : "late"},
            {"pillars", pillars},
            {"text", summary},
            {"jie",
             {{"number", p.jie.number},
              {"name", jieName},
              {"instant", isoInstant(p.jie.instant, zone)}}},
            {"true_solar_time",
             solar}}.dump(2));
    }
    std::string text = summary + "\n";
    for (size_t i = 0; i < 4; ++i) {
        text += std::string(PillarNames[i]) + "柱 " + ganzhiName(p.ganzhi[i]) + " " +
                std::string(NaYinNames[p.naYin[i] - 1]) + "\n";
    }
    text += "节 " + jieName + " " + jieInstant + "\n";
    text += "民用时 " + momentText(p.civilDay, p.civilSecond) + " " + zoneText(zone) + "\n";
    if (p.trueSolarTime) {
        text += "真太阳时 " + momentText(p.solarDay, p.solarSecond) + " " +
                degreesText(p.longitude) + "\n";
        text += "校正 " + minutesText(p.correctionSeconds) + " (经度 " +
                minutesText(p.longitudeSeconds) + ", 时差 " + minutesText(p.equationSeconds) +
                ")\n";
    }
    return printed(text);
}

}  // namespace tavomerix
