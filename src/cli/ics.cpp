#include "cli/ics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "calendar/arithmetic.h"
#include "chinese/lunar_conversion.h"
#include "chinese/year_events.h"
#include "cli/json_fields.h"
#include "dayinfo/characters.h"
#include "dayinfo/festivals.h"
#include "dayinfo/names.h"
#include "tavomerix_version.h"

namespace tavomerix {

namespace {

constexpr std::size_t FoldOctets = 75;
// Julian Day number of 1970-01-01, the Unix epoch.
constexpr int UnixEpochDay = 2440588;

// "YYYYMMDD" of a civil date.
std::string basicDate(const CivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

// FNV-1a, 32 bits: a short fingerprint of a summary that every build computes alike.
std::uint32_t fingerprint(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

// "YYYYMMDDTHHMMSSZ" of a LocalDayNumber instant in a zone, the time of day truncated to
// the second as the year tables print it.
std::string utcStampOfInstant(double instant, int timeZoneHours) {
    const TimeOfDay t = timeOfDay(instant);
    const int utcHours = t.hours - timeZoneHours;  // [-12, 35]
    const int day = static_cast<int>(std::floor(instant)) + floorDiv(utcHours, 24);
    char time[16];
    std::snprintf(time, sizeof time, "T%02d%02d%02dZ", floorMod(utcHours, 24), t.minutes,
                  t.seconds);
    return basicDate(civilDateFromDayNumber(day)) + time;
}

// Writes the calendar's events, each folded and CRLF-ended.
class IcsWriter {
public:
    IcsWriter(std::ostream& out, std::string dtstamp) : out_(out), dtstamp_(std::move(dtstamp)) {}

    void line(std::string_view text) { out_ << foldIcsLine(text); }

    void allDayEvent(std::string_view kind, const CivilDay& day, std::string_view summary,
                     std::string_view category, std::string_view description) {
        begin(kind, day.date, summary);
        line("DTSTART;VALUE=DATE:" + basicDate(day.date));
        line("DTEND;VALUE=DATE:" + basicDate(civilDateFromDayNumber(day.dayNumber + 1)));
        end(summary, category, description);
    }

    void timedEvent(std::string_view kind, double instant, int timeZoneHours,
                    std::string_view summary, std::string_view category) {
        const CivilDate localDate = civilDateFromDayNumber(static_cast<int>(std::floor(instant)));
        begin(kind, localDate, summary);
        line("DTSTART:" + utcStampOfInstant(instant, timeZoneHours));
        end(summary, category, "");
    }

    int events() const { return events_; }

private:
    void begin(std::string_view kind, const CivilDate& date, std::string_view summary) {
        line("BEGIN:VEVENT");
        line("UID:" + icsUid(kind, date, summary));
        line("DTSTAMP:" + dtstamp_);
    }

    void end(std::string_view summary, std::string_view category, std::string_view description) {
        line("SUMMARY:" + escapeIcsText(summary));
        if (!description.empty()) line("DESCRIPTION:" + escapeIcsText(description));
        line("CATEGORIES:" + escapeIcsText(category));
        line("TRANSP:TRANSPARENT");  // shown, but the time stays free
        line("END:VEVENT");
        ++events_;
    }

    std::ostream& out_;
    std::string dtstamp_;
    int events_ = 0;
};

// "农历闰六月初一": the lunar month without its size mark and the day.
std::string lunarDayText(const LunarDate& lunar) {
    return "农历" + lunarMonthCodeName(lunar.monthCode()) + lunarDayName(lunar.day);
}

// The event of a day off or of a working weekend day: "春节 休", CATEGORIES 休 or 班, the
// status in words as its description.
void writeHolidayEvent(IcsWriter& ics, const HolidayArrangements& holidays, const CivilDay& day) {
    const HolidayStatus status = holidayStatus(holidays, day.dayNumber);
    const std::string_view mark = dayStatusMark(status.status);
    if (mark.empty()) return;
    const bool off = status.status != DayStatus::ArrangedWorkday;
    std::string description(dayStatusName(status.status));
    if (!status.published) description += " (arrangement not yet published)";
    ics.allDayEvent(off ? "holiday-off" : "holiday-work", day,
                    status.holiday + " " + std::string(mark), mark, description);
}

// The all-day events of a civil day: its commemoration days, its lunar festival and one
// event for all its civil festivals.
void writeDayEvents(IcsWriter& ics, const LunarCalendar& calendar, const IcsOptions& options,
                    const CivilDay& day) {
    const LunarDate lunar = lunarDateOfDay(calendar, day);
    std::vector<FestivalName> civilFestivals;
    for (FestivalName& f : festivalNames(calendar, day, lunar, options.days)) {
        switch (f.kind) {
            case FestivalKind::LunarCommemoration:
                ics.allDayEvent("lunar-day", day, f.name, "纪念日", lunarDayText(lunar));
                break;
            case FestivalKind::CivilCommemoration:
                ics.allDayEvent("civil-day", day, f.name, "纪念日", "");
                break;
            case FestivalKind::LunarFestival:
                if (options.festivals) {
                    ics.allDayEvent("lunar-festival", day, f.name, "节日", lunarDayText(lunar));
                }
                break;
            case FestivalKind::CivilFestival:
                if (options.festivals) civilFestivals.push_back(std::move(f));
                break;
        }
    }
    if (!civilFestivals.empty()) {
        ics.allDayEvent("festival", day, festivalLineOf(civilFestivals), "节日", "");
    }
}

}  // namespace

std::string escapeIcsText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string foldIcsLine(std::string_view line) {
    std::string out;
    std::size_t room = FoldOctets;  // octets the current line may still take
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && isUtf8Continuation(line[cut])) --cut;  // keep characters whole
        if (cut == 0) cut = room;                                // not UTF-8: cut anyway
        out.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        room = FoldOctets - 1;  // after the leading space
    }
    out.append(line).append("\r\n");
    return out;
}

std::string icsUid(std::string_view kind, const CivilDate& date, std::string_view summary) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(fingerprint(summary)));
    return std::string(kind) + "-" + basicDate(date) + "-" + hash + "@tavomerix";
}

std::string icsUtcStamp(std::int64_t unixSeconds) {
    if (unixSeconds < 0) return "";
    const std::int64_t days = unixSeconds / 86400;
    const int secondOfDay = static_cast<int>(unixSeconds % 86400);
    if (days > MaxDayNumber - UnixEpochDay) return "";
    const CivilDate date = civilDateFromDayNumber(UnixEpochDay + static_cast<int>(days));
    if (date.year > 9999) return "";
    char time[16];
    std::snprintf(time, sizeof time, "T%02d%02d%02dZ", secondOfDay / 3600, secondOfDay / 60 % 60,
                  secondOfDay % 60);
    return basicDate(date) + time;
}

int writeIcs(std::ostream& out, const LunarCalendar& calendar, const IcsOptions& options) {
    IcsWriter ics(out, options.dtstampUtc);
    ics.line("BEGIN:VCALENDAR");
    ics.line("VERSION:2.0");
    ics.line(std::string("PRODID:-//Tavomerix//Tavomerix ") + TAVOMERIX_VERSION + "//ZH");
    ics.line("CALSCALE:GREGORIAN");
    ics.line("METHOD:PUBLISH");
    const int first = std::max(options.fromYear, FirstIcsYear);
    const int last = std::min(options.fromYear + options.years - 1, LastIcsYear);
    const int zone = calendar.context().timeZoneHours;
    if (first <= last) calendar.prefetch(first - 1, last);
    for (int year = first; year <= last; ++year) {
        if (options.days != nullptr || options.festivals || options.holidays != nullptr) {
            const int lastDay = julianDayNumber(year, 12, 31);
            for (int number = julianDayNumber(year, 1, 1); number <= lastDay; ++number) {
                const CivilDay day = civilDayOfNumber(number);
                if (options.days != nullptr || options.festivals)
                    writeDayEvents(ics, calendar, options, day);
                if (options.holidays != nullptr) writeHolidayEvent(ics, *options.holidays, day);
            }
        }
        if (options.terms) {
            for (const TermEvent& term : termsOfYear(calendar, year))
                ics.timedEvent("term", term.instant, zone, solarTermName(term.number), "节气");
        }
        if (options.moons) {
            const std::vector<PhaseEvent> moons = moonPhasesOfYear(calendar, year);
            for (const MoonPhase phase : {MoonPhase::New, MoonPhase::Full}) {  // new moons first
                const bool isNew = phase == MoonPhase::New;
                for (const PhaseEvent& moon : moons) {
                    if (moon.phase != phase) continue;
                    ics.timedEvent(isNew ? "new-moon" : "full-moon", moon.instant, zone,
                                   isNew ? "朔" : "望", "月相");
                }
            }
        }
    }
    ics.line("END:VCALENDAR");
    return ics.events();
}

}  // namespace tavomerix
