#include "dayinfo/next_term.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/calendar_context.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

constexpr int OneMinuteSeconds = 60;

int secondsOfDay(const std::string& hhmmss) {
    return std::atoi(hhmmss.substr(0, 2).c_str()) * 3600 +
           std::atoi(hhmmss.substr(3, 2).c_str()) * 60 + std::atoi(hhmmss.substr(6, 2).c_str());
}

// Term lines on the day of a term and the day before, against published instants.
TEST(NextTermText, TodayAndTomorrowCarryTheTime) {
    const struct {
        int timeZoneHours;
        int year, month, day;
        const char* head;  // text before the time
        const char* time;  // published time of the term, local
    } Cases[] = {
        {8, 2024, 12, 21, "今日冬至 ", "17:20:34"},
        {8, 2024, 12, 20, "明日冬至 ", "17:20:34"},
        {8, 2024, 2, 4, "今日立春 ", "16:26:53"},
        {8, 2024, 2, 3, "明日立春 ", "16:26:53"},
        {8, 2025, 1, 5, "今日小寒 ", "10:32:31"},
        {0, 2024, 12, 21, "今日冬至 ", "09:20:34"},  // same instant in UTC
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << '-' << c.month << '-' << c.day << " UTC+" << c.timeZoneHours);
        const CalendarContext context{c.timeZoneHours, Regime::Historical};
        const std::string head = c.head;
        const std::string text = nextTermText(context, {c.year, c.month, c.day});
        ASSERT_EQ(head.size() + 8, text.size()) << text;
        EXPECT_EQ(head, text.substr(0, head.size()));
        EXPECT_NEAR(secondsOfDay(c.time), secondsOfDay(text.substr(head.size())), OneMinuteSeconds);
    }
}

TEST(NextTermText, LaterTermsByDate) {
    const CalendarContext context{8, Regime::Historical};
    const struct {
        int year, month, day;
        const char* head;
        const char* tail;
    } Cases[] = {
        {2024, 12, 1, "12月6日大雪", ""},            // same year: no year
        {2024, 12, 22, "2025年1月5日小寒", ""},      // next AD year
        {-100, 12, 26, "公元前100年1月", "日小寒"},  // next BC year by its BC number
        {0, 12, 31, "1年1月", "日小寒"},             // 1 BC to AD 1
        {-100, 6, 1, "6月", "日芒种"},               // BC, same year
        {9000, 12, 31, "9001年1月", "日小寒"},       // last day-information day
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        const std::string text = nextTermText(context, {c.year, c.month, c.day});
        const std::string head = c.head, tail = c.tail;
        ASSERT_GE(text.size(), head.size() + tail.size()) << text;
        EXPECT_EQ(head, text.substr(0, head.size()));
        EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
    }
}

// The day operations share one date check.
TEST(DayOperations, InvalidDatesGiveNothing) {
    const CalendarContext context{8, Regime::Historical};
    const struct {
        int year, month, day;
    } Cases[] = {
        {1582, 10, 10},                                  // dropped day
        {1582, 10, 5},  {2023, 2, 29}, {-9000, 12, 31},  // before the day-information years
        {9001, 1, 1},   {2024, 13, 1},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ("", nextTermText(context, {c.year, c.month, c.day}));
        EXPECT_EQ("", weekdayName({c.year, c.month, c.day}));
        EXPECT_EQ("", zodiacSignName({c.year, c.month, c.day}));
    }
    EXPECT_NE("", nextTermText(context, {1582, 10, 15}));  // first Gregorian day
}

}  // namespace
}  // namespace tavomerix
