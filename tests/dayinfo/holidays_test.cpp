#include "dayinfo/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

int jdn(int year, int month, int day) { return julianDayNumber(year, month, day); }

// The rows of a whole year for a holiday file: each statutory day off, then `extra`.
std::string wholeYear(int year, const std::string& extra = "") {
    std::string text;
    for (const StatutoryDay& day : statutoryHolidays(year)) {
        const CivilDate d = civilDateFromDayNumber(day.dayNumber);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
        text += std::string(date) + "\t" + std::string(day.holiday) + "\toff\n";
    }
    return text + extra;
}

TEST(StatutoryHolidays, EveryOneIsOffInEveryPublishedYear) {
    const HolidayArrangements builtIn;
    for (int year = 2007; year <= 2026; ++year) {
        const YearArrangement* arrangement = yearArrangement(builtIn, year);
        ASSERT_NE(nullptr, arrangement) << year;
        EXPECT_FALSE(arrangement->notices.empty()) << year;
        // The look-ups search the days by number: each once, in order, in its own year.
        for (std::size_t i = 0; i < arrangement->days.size(); ++i) {
            const ArrangedDay& day = arrangement->days[i];
            EXPECT_TRUE(i == 0 || arrangement->days[i - 1].dayNumber < day.dayNumber) << year;
            EXPECT_EQ(year, arrangementYearOf(civilDateFromDayNumber(day.dayNumber), day.holiday));
        }
        for (const StatutoryDay& day : statutoryHolidays(year)) {
            SCOPED_TRACE(testing::Message() << civilDateFromDayNumber(day.dayNumber).year << " "
                                            << day.holiday << " " << day.dayNumber);
            const HolidayStatus status = holidayStatus(builtIn, day.dayNumber);
            EXPECT_EQ(DayStatus::Statutory, status.status);
            EXPECT_NE(std::string::npos, status.holiday.find(day.holiday));  // "中秋节、国庆节"
            const auto listed =
                std::find_if(arrangement->days.begin(), arrangement->days.end(),
                             [&](const ArrangedDay& d) { return d.dayNumber == day.dayNumber; });
            ASSERT_NE(arrangement->days.end(), listed);
            EXPECT_EQ(ArrangedDayKind::Off, listed->kind);
        }
    }
}

TEST(StatutoryHolidays, DaysPerPeriod) {
    const struct {
        int year;
        std::size_t days;
        int springFirst[3];  // the first 春节 day
    } Cases[] = {
        {1999, 0, {}},              // before the rules
        {2007, 10, {2007, 2, 18}},  // 正月初一-初三, three 劳动节 days, no lunar festivals
        {2008, 11, {2008, 2, 6}},   // 除夕, 初一, 初二; 清明, 端午, 中秋
        {2024, 11, {2024, 2, 10}},
        {2025, 13, {2025, 1, 28}},  // 除夕 and 初一-初三; 5-1 and 5-2
        {2031, 13, {2031, 1, 22}},  // 中秋节 on 10-1 counts for both holidays
        {9000, 13, {}},
        {9001, 0, {}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        const std::vector<StatutoryDay> days = statutoryHolidays(c.year);
        ASSERT_EQ(c.days, days.size());
        if (c.springFirst[0] == 0) continue;
        const auto spring = std::find_if(days.begin(), days.end(),
                                         [](const StatutoryDay& d) { return d.holiday == "春节"; });
        EXPECT_EQ(jdn(c.springFirst[0], c.springFirst[1], c.springFirst[2]), spring->dayNumber);
    }
}

TEST(HolidayStatus, KnownDays) {
    const struct {
        int year, month, day;
        DayStatus status;
        const char* holiday;
        bool published;
    } Cases[] = {
        {2026, 2, 14, DayStatus::ArrangedWorkday, "春节", true},  // a Saturday made a working day
        {2026, 2, 15, DayStatus::DayOff, "春节", true},
        {2026, 2, 16, DayStatus::Statutory, "春节", true},  // 除夕
        {2007, 12, 30, DayStatus::DayOff, "元旦", true},    // in the arrangement of 2008
        {2020, 10, 1, DayStatus::Statutory, "中秋节、国庆节", true},
        {2024, 12, 31, DayStatus::Workday, "", true},
        {2031, 1, 22, DayStatus::Statutory, "春节", false},  // no notice yet
        {2031, 10, 1, DayStatus::Statutory, "中秋节、国庆节", false},
        {2031, 3, 8, DayStatus::Weekend, "", false},
        {1999, 10, 1, DayStatus::Workday, "", false},  // before the rules
        {2026, 2, 30, DayStatus::Workday, "", false},  // no such date
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        const HolidayStatus status = holidayStatus({}, CivilDate{c.year, c.month, c.day});
        EXPECT_EQ(c.status, status.status);
        EXPECT_EQ(c.holiday, status.holiday);
        EXPECT_EQ(c.published, status.published);
    }
}

TEST(WorkingDays, WholeYearsAsPayrollCounts) {
    EXPECT_EQ(251, workingDays({}, jdn(2024, 1, 1), jdn(2025, 1, 1)));
    EXPECT_EQ(248, workingDays({}, jdn(2025, 1, 1), jdn(2026, 1, 1)));
    EXPECT_EQ(-499, workingDays({}, jdn(2026, 1, 1), jdn(2024, 1, 1)));
    EXPECT_EQ(0, workingDays({}, jdn(2026, 2, 15), jdn(2026, 2, 24)));  // 春节 2026: 9 days off
}

TEST(YearHolidays, PublishedAndUnpublishedYears) {
    const YearHolidays y2008 = yearHolidays({}, 2008);
    ASSERT_TRUE(y2008.published);
    EXPECT_EQ("元旦", y2008.holidays[0].name);
    EXPECT_EQ((std::vector<int>{jdn(2007, 12, 30), jdn(2007, 12, 31), jdn(2008, 1, 1)}),
              y2008.holidays[0].daysOff);
    EXPECT_EQ(std::vector<int>{jdn(2007, 12, 29)}, y2008.holidays[0].workingDays);

    const YearHolidays y2020 = yearHolidays({}, 2020);
    EXPECT_EQ("中秋节、国庆节", y2020.holidays.back().name);
    EXPECT_EQ(3u, y2020.holidays.back().statutoryDays.size());  // 10-1 once

    const YearHolidays y2031 = yearHolidays({}, 2031);
    EXPECT_FALSE(y2031.published);
    ASSERT_EQ(7u, y2031.holidays.size());  // 中秋节 and 国庆节 both on 10-1
    EXPECT_EQ(4u, y2031.holidays[1].statutoryDays.size());
    EXPECT_TRUE(y2031.holidays[1].daysOff.empty());
}

TEST(HolidayFile, BadLinesAreReportedAndNothingIsApplied) {
    const struct {
        std::string text;
        int line;
        const char* message;
    } Cases[] = {
        {"2027-2-6\t春节\toff\n", 1, "expected a date YYYY-MM-DD, not '2027-2-6'"},
        {"# c\n2027-02-30\t春节\toff\n", 2, "no such date 2027-02-30"},
        {"2027-02-06\t春节\trest\n", 1, "expected off or work, not 'rest'"},
        {"026--01-01\t春节\toff\n", 1, "expected a date YYYY-MM-DD, not '026--01-01'"},
        {"2027-02-06T00:00:00+08:00\t春节\toff\n", 1,
         "expected a date YYYY-MM-DD, not '2027-02-06T00:00…'"},
        // A field is quoted as the line is: no raw control byte reaches the message.
        {"2027-0\x01-06\t春节\toff\n", 1, "expected a date YYYY-MM-DD, not '2027-0\\x01-06'"},
        {"2027-02-06\t春节\n", 1, "expected three fields"},
        {"2027-02-06\t \toff\n", 1, "holiday name is empty"},
        {"2027-02-06\t\xE6\x98\toff\n", 1, "holiday name is not valid UTF-8"},
        {"2027-02-06\t春\x01节\toff\n", 1, "holiday name contains control characters"},
        {"9000-12-31\t元旦\toff\n", 1, "the day belongs to the arrangement of 9001, outside"},
        {"1999-10-01\t国庆节\toff\n", 1, "of 1999, outside 2000..9000"},
        {wholeYear(2027, "2027-02-06\t春节\toff\n"), 14, "2027-02-06 is listed twice"},
        {"2027-10-01\t国庆节\twork\n", 1, "is a statutory day of 国庆节 and cannot be a working"},
        {"2027-10-01\t国庆节\toff\n2027-09-26\t国庆节\twork\n", 1,
         "2027 is not given whole: its statutory day 2027-01-01 (元旦) is not listed as off"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const HolidayFile file = parseHolidayFile(c.text);
        ASSERT_EQ(1, file.errorCount);
        EXPECT_EQ(c.line, file.errors[0].lineNumber);
        EXPECT_NE(std::string::npos, file.errors[0].message.find(c.message))
            << file.errors[0].message;
        EXPECT_TRUE(file.years.empty());
        EXPECT_TRUE(withHolidayFile({}, file).userYears.empty());
    }
    std::string many = "date\tholiday\tday\r\n";
    for (int i = 0; i < 25; ++i) many += "2027-13-01\t春节\toff\r\n";
    const HolidayFile file = parseHolidayFile(many, 20);
    EXPECT_EQ(25, file.errorCount);
    ASSERT_EQ(20u, file.errors.size());
    EXPECT_EQ("2027-13-01\t春节\toff", file.errors[19].line);  // CR dropped
    EXPECT_EQ(21, file.errors[19].lineNumber);
}

TEST(HolidayFile, ReplacesAndAddsWholeYears) {
    const std::string text = "\xEF\xBB\xBF# a new notice for 2026 and one for 2027\n" +
                             wholeYear(2026) +
                             wholeYear(2027, "2026-12-31\t元旦\toff\n2027-01-02\t元旦\twork\n");
    const HolidayFile file = parseHolidayFile(text);
    ASSERT_EQ(0, file.errorCount) << file.errors[0].message;
    const HolidayArrangements arrangements = withHolidayFile({}, file);
    ASSERT_EQ(2u, arrangements.userYears.size());
    // 2026 replaced whole: the built-in working Saturday is gone.
    EXPECT_EQ(DayStatus::Weekend, holidayStatus(arrangements, CivilDate{2026, 2, 14}).status);
    EXPECT_TRUE(yearHolidays(arrangements, 2026).fromUserFile);
    EXPECT_TRUE(yearHolidays(arrangements, 2026).notices.empty());
    // The 元旦 day of December belongs to 2027's arrangement.
    const HolidayStatus eve = holidayStatus(arrangements, CivilDate{2026, 12, 31});
    EXPECT_EQ(DayStatus::DayOff, eve.status);
    EXPECT_EQ(DayStatus::ArrangedWorkday,
              holidayStatus(arrangements, CivilDate{2027, 1, 2}).status);
    EXPECT_TRUE(holidayStatus(arrangements, CivilDate{2027, 3, 1}).published);
    // Other years keep the built-in table.
    EXPECT_EQ(248, workingDays(arrangements, jdn(2025, 1, 1), jdn(2026, 1, 1)));
}

}  // namespace
}  // namespace tavomerix
