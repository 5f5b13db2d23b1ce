#include "dayinfo/holidays.h"

#include <algorithm>
#include <iterator>

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "dayinfo/characters.h"
#include "dayinfo/cn_holiday_tables.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/date_text.h"
#include "dayinfo/quoted_input.h"
#include "dayinfo/trim_text.h"

namespace tavomerix {
namespace {

constexpr int QingmingTerm = 7;  // TermNumber of 清明 (1 = 小寒)
constexpr std::string_view NewYearHoliday = "元旦";
constexpr std::string_view HeaderLine = "date\tholiday\tday";
constexpr std::size_t HolidayNameLimit = 200;  // bytes

// The statutory days of one period of the holiday rules (全国年节及纪念日放假办法).
struct StatutoryRules {
    int firstYear;
    int springFirst;      // first day of 春节 counted from 正月初一 (-1: 除夕)
    int springDays;       // days of 春节
    bool lunarFestivals;  // 清明节, 端午节 and 中秋节 are statutory
    int labourDays;       // days of 劳动节 from 1 May
};
constexpr StatutoryRules StatutoryPeriods[] = {
    {2000, 0, 3, false, 3},
    {2008, -1, 3, true, 1},
    {2014, 0, 3, true, 1},
    {2025, -1, 4, true, 2},
};

// The calendar of China: UTC+8, the regime irrelevant from 2000 on.
const LunarCalendar& chinaCalendar() {
    return LunarCalendar::shared(CalendarContext{HistoricalTimeZoneHours});
}

const std::map<int, YearArrangement>& builtInYears() {
    static const std::map<int, YearArrangement> years = [] {
        std::map<int, YearArrangement> built;
        for (const HolidayTableRow& row : CnHolidayRows) {  // by year and date
            built[row.arrangementYear].days.push_back(
                {julianDayNumber(row.date), std::string(row.holiday), row.kind});
        }
        for (const HolidayNotice& notice : CnHolidayNotices) {
            built[notice.year].notices.emplace_back(notice.address);
        }
        return built;
    }();
    return years;
}

const ArrangedDay* listedDay(const YearArrangement* arrangement, int dayNumber) {
    if (arrangement == nullptr) return nullptr;
    const auto it =
        std::lower_bound(arrangement->days.begin(), arrangement->days.end(), dayNumber,
                         [](const ArrangedDay& day, int number) { return day.dayNumber < number; });
    return it != arrangement->days.end() && it->dayNumber == dayNumber ? &*it : nullptr;
}

// What a day's status needs of its civil year.
struct YearFacts {
    const YearArrangement* own = nullptr;
    const YearArrangement* next = nullptr;  // may list the last days of December
    std::vector<StatutoryDay> statutory;
};

YearFacts yearFacts(const HolidayArrangements& arrangements, int year) {
    return {yearArrangement(arrangements, year), yearArrangement(arrangements, year + 1),
            statutoryHolidays(year)};
}

struct DayFinding {
    DayStatus status = DayStatus::Workday;
    const ArrangedDay* listed = nullptr;
};

DayFinding findDay(const YearFacts& facts, int dayNumber) {
    DayFinding found;
    found.listed = listedDay(facts.next, dayNumber);
    if (found.listed == nullptr) found.listed = listedDay(facts.own, dayNumber);
    const bool statutory =
        std::any_of(facts.statutory.begin(), facts.statutory.end(),
                    [dayNumber](const StatutoryDay& day) { return day.dayNumber == dayNumber; });
    if (statutory) {
        found.status = DayStatus::Statutory;
    } else if (found.listed != nullptr) {
        found.status = found.listed->kind == ArrangedDayKind::Off ? DayStatus::DayOff
                                                                  : DayStatus::ArrangedWorkday;
    } else if (const int weekday = weekdayOfDayNumber(dayNumber);
               weekday == Saturday || weekday == Sunday) {
        found.status = DayStatus::Weekend;
    }
    return found;
}

// The fields of "YYYY-MM-DD"; false when the text is not shaped so (digits everywhere but
// the two hyphens).
bool parseIsoDate(std::string_view text, CivilDate& date) {
    if (text.size() != 10) return false;
    int value[3] = {0, 0, 0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool hyphen = i == 4 || i == 7;
        if (hyphen != (text[i] == '-') || (!hyphen && !isDigit(text[i]))) return false;
        if (!hyphen) {
            int& field = value[i < 4 ? 0 : i < 7 ? 1 : 2];
            field = field * 10 + (text[i] - '0');
        }
    }
    date = {value[0], value[1], value[2]};
    return true;
}

// Bytes of a bad field quoted in a message; the whole line is quoted after it.
constexpr std::size_t FieldQuoteLimit = 16;

// What is wrong with one row of a holiday file, "" when it is sound; on success date, the
// trimmed holiday name and kind are set.
std::string rowFault(std::string_view line, CivilDate& date, std::string& holiday,
                     ArrangedDayKind& kind) {
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos) {
        return "expected three fields separated by tabs: the date, the holiday, off or work";
    }
    const std::string_view dateText = line.substr(0, first);
    if (!parseIsoDate(dateText, date)) {
        return "expected a date YYYY-MM-DD, not '" + quotedInput(dateText, FieldQuoteLimit) + "'";
    }
    if (!isValidDate(date)) return "no such date " + std::string(dateText);
    const std::string_view name = line.substr(first + 1, second - first - 1);
    if (name.size() > HolidayNameLimit) return "holiday name longer than 200 bytes";
    if (const std::string_view fault = commemorationNameFault(name); !fault.empty()) {
        return "holiday " + std::string(fault);
    }
    const std::string_view kindText = line.substr(second + 1);
    if (kindText != "off" && kindText != "work") {
        return "expected off or work, not '" + quotedInput(kindText, FieldQuoteLimit) + "'";
    }
    kind = kindText == "off" ? ArrangedDayKind::Off : ArrangedDayKind::Work;
    holiday = trimSpaces(name);
    const int year = arrangementYearOf(date, holiday);
    if (year < FirstHolidayYear || year > LastHolidayYear) {
        return "the day belongs to the arrangement of " + std::to_string(year) +
               ", outside 2000..9000";
    }
    return "";
}

// A year of a holiday file while it is read, with the line that first gave it.
struct GivenYear {
    int lineNumber = 0;
    std::string_view line;
    YearArrangement arrangement;
};

}  // namespace

std::vector<StatutoryDay> statutoryHolidays(int year) {
    if (year < FirstHolidayYear || year > LastHolidayYear) return {};
    const StatutoryRules& rules = *std::prev(
        std::upper_bound(std::begin(StatutoryPeriods), std::end(StatutoryPeriods), year,
                         [](int y, const StatutoryRules& r) { return y < r.firstYear; }));
    const LunarCalendar& calendar = chinaCalendar();
    const int newYearsDay = julianDayNumber(year, 1, 1);
    std::vector<StatutoryDay> days;
    const auto add = [&days](int first, int count, std::string_view holiday) {
        for (int i = 0; i < count; ++i) days.push_back({first + i, holiday});
    };
    add(newYearsDay, 1, NewYearHoliday);
    add(calendar.newYearDay(year) + rules.springFirst, rules.springDays, "春节");
    if (rules.lunarFestivals) add(calendar.termDay(newYearsDay, QingmingTerm), 1, "清明节");
    add(julianDayNumber(year, 5, 1), rules.labourDays, "劳动节");
    if (rules.lunarFestivals) {
        add(lunarToDayNumber(calendar, {year, 5, 5}), 1, "端午节");
        add(lunarToDayNumber(calendar, {year, 8, 15}), 1, "中秋节");
    }
    add(julianDayNumber(year, 10, 1), 3, "国庆节");
    std::stable_sort(days.begin(), days.end(), [](const StatutoryDay& a, const StatutoryDay& b) {
        return a.dayNumber < b.dayNumber;
    });
    return days;
}

int arrangementYearOf(const CivilDate& date, std::string_view holiday) {
    return holiday == NewYearHoliday && date.month == 12 ? date.year + 1 : date.year;
}

const YearArrangement* yearArrangement(const HolidayArrangements& arrangements, int year) {
    if (const auto user = arrangements.userYears.find(year); user != arrangements.userYears.end()) {
        return &user->second;
    }
    const auto& builtIn = builtInYears();
    const auto it = builtIn.find(year);
    return it == builtIn.end() ? nullptr : &it->second;
}

HolidayStatus holidayStatus(const HolidayArrangements& arrangements, int dayNumber) {
    if (dayNumber < MinDayNumber || dayNumber > MaxDayNumber) return {};
    const YearFacts facts = yearFacts(arrangements, civilDateFromDayNumber(dayNumber).year);
    const DayFinding found = findDay(facts, dayNumber);
    HolidayStatus status{found.status, "", facts.own != nullptr || found.listed != nullptr};
    if (found.listed != nullptr) {
        status.holiday = found.listed->holiday;
    } else if (found.status == DayStatus::Statutory) {
        for (const StatutoryDay& day : facts.statutory) {
            if (day.dayNumber != dayNumber) continue;
            status.holiday += (status.holiday.empty() ? "" : "、") + std::string(day.holiday);
        }
    }
    return status;
}

HolidayStatus holidayStatus(const HolidayArrangements& arrangements, const CivilDate& date) {
    if (!isValidDate(date)) return {};
    return holidayStatus(arrangements, julianDayNumber(date));
}

std::string_view dayStatusMark(DayStatus status) {
    switch (status) {
        case DayStatus::Statutory:
        case DayStatus::DayOff:
            return "休";
        case DayStatus::ArrangedWorkday:
            return "班";
        default:
            return "";
    }
}

long long workingDays(const HolidayArrangements& arrangements, int firstDay, int endDay) {
    if (endDay < firstDay) return -workingDays(arrangements, endDay, firstDay);
    int day = std::clamp(firstDay, MinDayNumber, MaxDayNumber + 1);
    endDay = std::clamp(endDay, MinDayNumber, MaxDayNumber + 1);
    long long count = 0;
    while (day < endDay) {
        const int year = civilDateFromDayNumber(day).year;
        const int yearEnd =
            year == MaxCivilYear ? MaxDayNumber + 1 : julianDayNumber(year + 1, 1, 1);
        const YearFacts facts = yearFacts(arrangements, year);
        for (const int last = std::min(endDay, yearEnd); day < last; ++day) {
            count += isWorkingDay(findDay(facts, day).status) ? 1 : 0;
        }
    }
    return count;
}

YearHolidays yearHolidays(const HolidayArrangements& arrangements, int year) {
    YearHolidays result;
    result.year = year;
    std::vector<Holiday>& holidays = result.holidays;
    const auto named = [&holidays](std::string_view name) -> Holiday& {
        const auto it = std::find_if(holidays.begin(), holidays.end(),
                                     [name](const Holiday& h) { return h.name == name; });
        return it != holidays.end() ? *it
                                    : holidays.emplace_back(Holiday{std::string(name), {}, {}, {}});
    };
    if (const YearArrangement* arrangement = yearArrangement(arrangements, year)) {
        result.published = true;
        result.fromUserFile = arrangement->fromUserFile;
        result.notices = arrangement->notices;
        for (const ArrangedDay& day : arrangement->days) {
            Holiday& holiday = named(day.holiday);
            (day.kind == ArrangedDayKind::Off ? holiday.daysOff : holiday.workingDays)
                .push_back(day.dayNumber);
        }
    }
    for (const StatutoryDay& day : statutoryHolidays(year)) {
        const auto holding = std::find_if(holidays.begin(), holidays.end(), [&](const Holiday& h) {
            return std::binary_search(h.daysOff.begin(), h.daysOff.end(), day.dayNumber);
        });
        Holiday& holiday = holding != holidays.end() ? *holding : named(day.holiday);
        if (holiday.statutoryDays.empty() || holiday.statutoryDays.back() != day.dayNumber) {
            holiday.statutoryDays.push_back(day.dayNumber);
        }
    }
    // By the first day off (a working day may come before an earlier holiday: 2026's
    // 国庆节 has one before 中秋节), else the first statutory or working day.
    const auto firstDay = [](const Holiday& h) {
        for (const std::vector<int>* days : {&h.daysOff, &h.statutoryDays, &h.workingDays}) {
            if (!days->empty()) return days->front();
        }
        return MaxDayNumber;
    };
    std::stable_sort(holidays.begin(), holidays.end(),
                     [&](const Holiday& a, const Holiday& b) { return firstDay(a) < firstDay(b); });
    return result;
}

namespace {

// Reads a holiday file line by line into the years it gives, rejecting unsound lines.
class HolidayFileReader {
public:
    HolidayFileReader(HolidayFile& file, std::size_t maxErrors, std::size_t lineLimit)
        : file_(file), maxErrors_(maxErrors), lineLimit_(lineLimit) {}

    void readLine(int lineNumber, std::string_view line) {
        if (line.size() > lineLimit_) {
            reject(lineNumber, "line longer than " + std::to_string(lineLimit_) + " bytes", line);
            return;
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#' ||
            line == HeaderLine) {
            return;
        }
        CivilDate date;
        std::string holiday;
        ArrangedDayKind kind = ArrangedDayKind::Off;
        if (std::string fault = rowFault(line, date, holiday, kind); !fault.empty()) {
            reject(lineNumber, std::move(fault), line);
            return;
        }
        const int dayNumber = julianDayNumber(date);
        const std::string dateText(line.substr(0, line.find('\t')));  // "YYYY-MM-DD"
        if (const auto [it, added] = lineOfDay_.emplace(dayNumber, lineNumber); !added) {
            reject(lineNumber,
                   dateText + " is listed twice (first on line " + std::to_string(it->second) + ")",
                   line);
            return;
        }
        if (const StatutoryDay* law = statutoryDay(date.year, dayNumber);
            kind == ArrangedDayKind::Work && law != nullptr) {
            reject(lineNumber,
                   dateText + " is a statutory day of " + std::string(law->holiday) +
                       " and cannot be a working day",
                   line);
            return;
        }
        GivenYear& given = years_.try_emplace(arrangementYearOf(date, holiday)).first->second;
        if (given.lineNumber == 0) given = {lineNumber, line, {}};
        given.arrangement.days.push_back({dayNumber, std::move(holiday), kind});
    }

    // Sorts each year's days and, when every line was sound, checks that each year is
    // given whole (every statutory day listed as off) and hands the years to the file.
    void finish() {
        for (auto& [year, given] : years_) {
            std::vector<ArrangedDay>& days = given.arrangement.days;
            std::sort(days.begin(), days.end(), [](const ArrangedDay& a, const ArrangedDay& b) {
                return a.dayNumber < b.dayNumber;
            });
            given.arrangement.fromUserFile = true;
        }
        // Checked once every line is sound, so that one bad line does not also fault its year.
        if (file_.errorCount != 0) return;
        for (const auto& [year, given] : years_) checkGivenWhole(year, given);
        if (file_.errorCount != 0) return;
        for (auto& [year, given] : years_) file_.years.emplace(year, std::move(given.arrangement));
    }

private:
    void reject(int lineNumber, std::string message, std::string_view line) {
        if (static_cast<unsigned long long>(++file_.errorCount) <= maxErrors_) {
            file_.errors.push_back({lineNumber, std::move(message), line});
        }
    }

    // The statutory days of a civil year, computed once per year.
    const std::vector<StatutoryDay>& statutoryDays(int year) {
        const auto [known, added] = statutory_.try_emplace(year);
        if (added) known->second = statutoryHolidays(year);
        return known->second;
    }

    // The statutory day of a civil year on a day, or nullptr.
    const StatutoryDay* statutoryDay(int year, int dayNumber) {
        const std::vector<StatutoryDay>& days = statutoryDays(year);
        const auto law = std::find_if(days.begin(), days.end(), [&](const StatutoryDay& d) {
            return d.dayNumber == dayNumber;
        });
        return law == days.end() ? nullptr : &*law;
    }

    void checkGivenWhole(int year, const GivenYear& given) {
        for (const StatutoryDay& day : statutoryDays(year)) {
            const ArrangedDay* listed = listedDay(&given.arrangement, day.dayNumber);
            if (listed != nullptr && listed->kind == ArrangedDayKind::Off) continue;
            reject(given.lineNumber,
                   std::to_string(year) + " is not given whole: its statutory day " +
                       isoDate(civilDateFromDayNumber(day.dayNumber)) + " (" +
                       std::string(day.holiday) +
                       ") is not listed as off (a file replaces whole years)",
                   given.line);
            return;
        }
    }

    HolidayFile& file_;
    std::size_t maxErrors_;
    std::size_t lineLimit_;
    std::map<int, GivenYear> years_;
    std::map<int, int> lineOfDay_;  // the line that listed a day, by day number
    std::map<int, std::vector<StatutoryDay>> statutory_;  // by civil year, as needed
};

}  // namespace

HolidayFile parseHolidayFile(std::string_view contents, std::size_t maxErrors,
                             std::size_t lineLimit) {
    HolidayFile file;
    HolidayFileReader reader(file, maxErrors, lineLimit);
    forEachFileLine(contents, [&reader](int lineNumber, std::string_view line) {
        if (line.ends_with('\r')) line.remove_suffix(1);
        reader.readLine(lineNumber, line);
    });
    reader.finish();
    return file;
}

HolidayArrangements withHolidayFile(HolidayArrangements arrangements, const HolidayFile& file) {
    if (file.errorCount != 0) return arrangements;
    for (const auto& [year, arrangement] : file.years) arrangements.userYears[year] = arrangement;
    return arrangements;
}

}  // namespace tavomerix
