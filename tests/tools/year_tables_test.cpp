#include "tools/year_tables.h"

#include <gtest/gtest.h>

#include "calendar/calendar_context.h"
#include "chinese/lunar_calendar.h"

namespace tavomerix {
namespace {

constexpr int MinYear = -100;

size_t lineCount(const std::string& text) {
    return text.empty() ? 0 : 1 + std::count(text.begin(), text.end(), '\n');
}

TEST(YearTables, Captions) {
    EXPECT_EQ("    农历公元 2024", yearTableCaption(YearTableMode::LunarMonths, 2024));
    EXPECT_EQ("    公历公元 1", yearTableCaption(YearTableMode::SolarTerms, 1));
    EXPECT_EQ("    公历公元前 1", yearTableCaption(YearTableMode::MoonPhases, 0));
    EXPECT_EQ("    农历公元前 104", yearTableCaption(YearTableMode::LunarMonths, -103));
}

TEST(YearTables, SolarTermsOf2000) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const std::string text = yearTableText(calendar, YearTableMode::SolarTerms, 2000, "\n");
    EXPECT_EQ(13u, lineCount(text));  // caption and 12 lines of two terms
    EXPECT_EQ(0u, text.find("    公历公元 2000 年共 24 个节气\n01: 小寒01月06日09:00:"));
    EXPECT_NE(std::string::npos, text.find("   24: 冬至12月21日21:37:"));
    EXPECT_NE(std::string::npos, text.find("03: 立春02月04日20:40:"));
    EXPECT_EQ(std::string::npos, text.find('\r'));
    EXPECT_NE(std::string::npos,
              yearTableText(calendar, YearTableMode::SolarTerms, 2000).find("\r\n"));
}

TEST(YearTables, LunarMonthsWithAndWithoutLeapMonth) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const std::string y2023 = yearTableText(calendar, YearTableMode::LunarMonths, 2023, "\n");
    EXPECT_EQ(14u, lineCount(y2023));
    EXPECT_EQ(
        0u,
        y2023.find(
            "    农历公元 2023 年共 13 个月\n正月小       对应公历AD01-22-2023 ～ AD02-19-2023\n"));
    EXPECT_NE(std::string::npos, y2023.find("\n二月大       对应公历AD02-20-2023 ～ AD03-21-2023\n"
                                            "闰二月小     对应公历AD03-22-2023 ～ AD04-19-2023\n"));
    // 冬月 runs into the next civil year.
    EXPECT_NE(std::string::npos,
              y2023.find("\n冬月小       对应公历AD12-13-2023 ～ AD01-10-2024\n"));
    const std::string y2024 = yearTableText(calendar, YearTableMode::LunarMonths, 2024, "\n");
    EXPECT_EQ(13u, lineCount(y2024));
    EXPECT_NE(std::string::npos, y2024.find("年共 12 个月"));
}

TEST(YearTables, MoonPhasesPairUp) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const std::string text = yearTableText(calendar, YearTableMode::MoonPhases, 2000, "\n");
    // 2000 (zone 8): first new moon 01-07, first full moon 01-21: new moons lead; 13 new
    // moons and 12 full moons, so the last line holds only a new moon.
    EXPECT_EQ(0u, text.find("    公历公元 2000 年共 13 次朔日 12 次望日\n朔日 01月07日02:13:"));
    EXPECT_NE(std::string::npos, text.find("         望日 01月21日12:40:"));
    EXPECT_EQ(14u, lineCount(text));
    EXPECT_NE(std::string::npos, text.find("\n朔日 12月26日01:21:24"));
    EXPECT_EQ(std::string::npos, text.find("12月26日01:21:24         望日"));
}

TEST(YearTables, YearFieldButtons) {
    const CalendarContext context{8, Regime::Historical};
    const LunarCalendar& calendar = LunarCalendar::shared(context);
    const struct {
        const char* text;
        bool bc;
        YearFieldAction action;
        const char* newText;
        bool newBc;
        bool printed;
    } Cases[] = {
        {"2000", false, YearFieldAction::Compute, "2000", false, true},
        {"0", false, YearFieldAction::Compute, "", false, false},      // zero refused
        {"1", true, YearFieldAction::Compute, "1", true, true},        // year 0
        {"1", false, YearFieldAction::PreviousYear, "1", true, true},  // AD 1 -> 1 BC
        {"1", true, YearFieldAction::NextYear, "1", false, true},      // 1 BC -> AD 1
        {"5000", false, YearFieldAction::NextYear, "", false, false},
        {"101", true, YearFieldAction::Compute, "101", true, true},  // -100, the earliest
        {"102", true, YearFieldAction::Compute, "", true, false},
        {"101", true, YearFieldAction::PreviousYear, "", true, false},
        {"12a", false, YearFieldAction::Compute, "", false, false},
        {"0000000000000002024", false, YearFieldAction::Compute, "0000000000000002024", false,
         true},
        {"99999999999999999999999", false, YearFieldAction::Compute, "", false, false},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.text << " bc=" << c.bc << " action=" << int(c.action));
        const YearFieldResult r =
            yearFieldAction(calendar, YearTableMode::SolarTerms, c.text, c.bc, c.action, MinYear);
        EXPECT_EQ(c.newText, r.yearText);
        EXPECT_EQ(c.newBc, r.bc);
        EXPECT_EQ(c.printed, r.output.has_value() && !r.output->empty());
    }
    // Compute always replaces the output; the year buttons leave it alone on failure.
    EXPECT_TRUE(yearFieldAction(calendar, YearTableMode::SolarTerms, "0", false,
                                YearFieldAction::Compute, MinYear)
                    .output.has_value());
    EXPECT_FALSE(yearFieldAction(calendar, YearTableMode::SolarTerms, "5000", false,
                                 YearFieldAction::NextYear, MinYear)
                     .output.has_value());
}

}  // namespace
}  // namespace tavomerix
