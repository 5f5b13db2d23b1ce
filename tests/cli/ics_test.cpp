#include "cli/ics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/cli.h"

namespace tavomerix {
namespace {

const LunarCalendar& beijing() { return LunarCalendar::shared({}); }

std::string exported(const IcsOptions& options) {
    std::ostringstream out;
    writeIcs(out, beijing(), options);
    return out.str();
}

// The DTSTART lines of the events whose SUMMARY is `summary`, in order.
std::vector<std::string> startsOf(const std::string& ics, const std::string& summary) {
    std::vector<std::string> starts;
    std::istringstream lines(ics);
    std::string line, start;
    while (std::getline(lines, line)) {
        if (line.starts_with("DTSTART")) start = line.substr(0, line.size() - 1);
        if (line == "SUMMARY:" + summary + "\r") starts.push_back(start);
    }
    return starts;
}

TEST(Ics, FoldsAtSeventyFiveOctetsKeepingCharactersWhole) {
    const std::string ascii(200, 'a');
    std::string han = "SUMMARY:";
    for (int i = 0; i < 60; ++i) han += "春";
    for (const std::string& line : {ascii, han, std::string("SUMMARY:short")}) {
        SCOPED_TRACE(line);
        const std::string folded = foldIcsLine(line);
        std::string unfolded;
        std::size_t at = 0;
        while (at < folded.size()) {
            const std::size_t end = folded.find("\r\n", at);
            ASSERT_NE(std::string::npos, end);
            const std::string piece = folded.substr(at, end - at);
            EXPECT_GE(75u, piece.size());
            if (at > 0) {
                ASSERT_EQ(' ', piece[0]);
                EXPECT_NE(0x80, static_cast<unsigned char>(piece[1]) & 0xC0);  // no split character
            }
            unfolded += at > 0 ? piece.substr(1) : piece;
            at = end + 2;
        }
        EXPECT_EQ(line, unfolded);
    }
    EXPECT_EQ(std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n " +
                  std::string(51, 'a') + "\r\n",
              foldIcsLine(ascii));
}

TEST(Ics, EscapesText) {
    const struct {
        const char* text;
        const char* escaped;
    } Cases[] = {
        {"春节", "春节"},
        {"a,b;c\\d", "a\\,b\\;c\\\\d"},
        {"line\r\nnext", "line\\nnext"},
        {"", ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.escaped, escapeIcsText(c.text));
    }
}

TEST(Ics, UidsAreStableAndDistinct) {
    const CivilDate day{2025, 10, 6};
    EXPECT_EQ(icsUid("festival", day, "中秋节"), icsUid("festival", day, "中秋节"));
    EXPECT_EQ(0u, icsUid("festival", day, "中秋节").find("festival-20251006-"));
    EXPECT_TRUE(icsUid("festival", day, "中秋节").ends_with("@tavomerix"));
    EXPECT_NE(icsUid("festival", day, "中秋节"), icsUid("lunar-day", day, "中秋节"));
    EXPECT_NE(icsUid("festival", day, "中秋节"), icsUid("festival", {2025, 10, 7}, "中秋节"));
    EXPECT_NE(icsUid("festival", day, "中秋节"), icsUid("festival", day, "国庆节"));
    // Two runs give the same file but for DTSTAMP.
    IcsOptions options;
    options.fromYear = 2024;
    options.years = 2;
    options.festivals = options.terms = options.moons = true;
    EXPECT_EQ(exported(options), exported(options));
}

TEST(Ics, UtcStamps) {
    EXPECT_EQ("19700101T000000Z", icsUtcStamp(0));
    EXPECT_EQ("20261208T101500Z", icsUtcStamp(1796724900));
    EXPECT_EQ("", icsUtcStamp(-1));
}

TEST(Ics, AnniversariesFollowTheFestivalLine) {
    CommemorationDays days;
    days.set(CommemorationKind::Lunar, 8, 15, "1990生日");
    days.set(CommemorationKind::Lunar, 18, 1, "2025闰六月");  // 闰六月初一
    days.set(CommemorationKind::Lunar, 1, 30, "2000正月三十");
    days.set(CommemorationKind::Solar, 2, 29, "2020闰日");
    days.set(CommemorationKind::Solar, 3, 1, "2026以后");  // starts in 2026
    IcsOptions options;
    options.fromYear = 2024;
    options.years = 3;
    options.days = &days;
    const std::string ics = exported(options);
    const struct {
        const char* summary;
        std::vector<std::string> starts;
    } Cases[] = {
        {"生日",
         {"DTSTART;VALUE=DATE:20240917", "DTSTART;VALUE=DATE:20251006",
          "DTSTART;VALUE=DATE:20260925"}},
        {"闰六月", {"DTSTART;VALUE=DATE:20250725"}},  // only the year with that leap month
        // 2024 正月 has 29 days: on its 29th; 2025 and 2026 on the 30th
        {"正月三十",
         {"DTSTART;VALUE=DATE:20240309", "DTSTART;VALUE=DATE:20250227",
          "DTSTART;VALUE=DATE:20260318"}},
        {"闰日",
         {"DTSTART;VALUE=DATE:20240229", "DTSTART;VALUE=DATE:20250228",
          "DTSTART;VALUE=DATE:20260228"}},
        {"以后", {"DTSTART;VALUE=DATE:20260301"}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.summary);
        EXPECT_EQ(c.starts, startsOf(ics, c.summary));
    }
    EXPECT_NE(std::string::npos, ics.find("DESCRIPTION:农历八月十五\r\n"));
}

CliOutput run(std::vector<std::string> args) {
    args.insert(args.begin(), "tavomerix");
    CliEnvironment env;
    env.today = {2026, 12, 8};
    return runCli(args, env);
}

TEST(IcsCommand, BadInputIsOneLineAndExitTwo) {
    const struct {
        std::vector<std::string> args;
        const char* start;
    } Cases[] = {
        {{"ics"}, "tavomerix: 'ics' needs something to export"},
        {{"ics", "--terms", "--from", "1582"}, "tavomerix: bad year '1582'"},
        {{"ics", "--terms", "--from", "20x"}, "tavomerix: bad year '20x'"},
        {{"ics", "--terms", "--years", "0"}, "tavomerix: bad number of years '0'"},
        {{"ics", "--terms", "--years", "201"}, "tavomerix: bad number of years '201'"},
        {{"ics", "--terms", "--from", "8990", "--years", "20"},
         "tavomerix: --from 8990 --years 20 goes beyond"},
        {{"ics", "--widget-days"},
         "tavomerix: --widget-days reads the widget's days from the Windows registry"},
        {{"ics", "--days", "/dev/zero"},
         "tavomerix: the commemoration file '/dev/zero' is not a regular file"},
        {{"ics", "--days", "a", "--widget-days"}, "tavomerix: give either"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.start);
        const CliOutput r = run(c.args);
        EXPECT_EQ(ExitUsage, r.exitCode);
        EXPECT_EQ("", r.out);
        EXPECT_EQ(0u, r.err.find(c.start)) << r.err;
        EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
    }
}

TEST(IcsCommand, WritesStandardOutputOrAFile) {
    const CliOutput r = run({"ics", "--terms"});  // this year and the next 9
    EXPECT_EQ(ExitOk, r.exitCode);
    EXPECT_EQ("", r.err);
    EXPECT_EQ(240, [&] {
        int n = 0;
        for (std::size_t at = 0; (at = r.out.find("BEGIN:VEVENT", at)) != std::string::npos; ++at)
            ++n;
        return n;
    }());
    EXPECT_NE(std::string::npos, r.out.find("UID:term-20261207-"));  // 大雪 2026
    EXPECT_NE(std::string::npos, r.out.find("UID:term-20351222-"));  // 冬至 2035

    const std::string path = testing::TempDir() + "tavomerix_test.ics";
    const CliOutput file = run({"ics", "--terms", "-o", path});
    EXPECT_EQ(ExitOk, file.exitCode);
    EXPECT_EQ("", file.out);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream written;
    written << in.rdbuf();
    std::remove(path.c_str());
    EXPECT_EQ(r.out.size(), written.str().size());

    const CliOutput full = run({"ics", "--terms", "--output", "/dev/full"});
    EXPECT_EQ(ExitFailure, full.exitCode);
    EXPECT_EQ("tavomerix: cannot write '/dev/full': No space left on device\n", full.err);
    const CliOutput missing = run({"ics", "--terms", "-o", "/nonexistent/dir/x.ics"});
    EXPECT_EQ(ExitFailure, missing.exitCode);
    EXPECT_EQ(0u, missing.err.find("tavomerix: cannot create '/nonexistent/dir/x.ics': "));
}

}  // namespace
}  // namespace tavomerix
