#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tavomerix {
namespace {

CliOutput run(std::vector<std::string> args, const CliEnvironment& env = {}) {
    args.insert(args.begin(), "tavomerix");
    return runCli(args, env);
}

// The value at a path of keys ("lunar/leap"); an array's first element stands for it.
const nlohmann::json* at(const nlohmann::json& document, const std::string& path) {
    const nlohmann::json* node = &document;
    size_t start = 0;
    while (start <= path.size()) {
        if (node->is_array()) {
            if (node->empty()) return nullptr;
            node = &(*node)[0];
        }
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string key = path.substr(start, end - start);
        if (!node->is_object() || !node->contains(key)) return nullptr;
        node = &(*node)[key];
        start = end + 1;
    }
    return node;
}

TEST(CliFormats, JsonOfEveryCommandParsesAndCarriesItsFields) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> fields;
    } Cases[] = {
        {{"day", "2024-2-10"},
         {"civil/iso", "civil/jdn", "civil/date_code", "lunar/leap", "lunar/long_month",
          "lunar/date_code", "lunar/compact", "lunar/text", "ganzhi/year/name",
          "ganzhi/year/zodiac", "ganzhi/month/stem", "ganzhi/day/branch", "ganzhi/text",
          "festivals", "lunar_text", "day_line", "festival_line", "season_line",
          "next_term/instant"}},
        {{"day", "2024-2-10", "--almanac"},
         {"civil/iso", "almanac/na_yin_name", "almanac/pentad_name"}},
        {{"almanac", "2024-2-10"},
         {"civil/iso", "civil/jdn", "ganzhi_name", "officer_name", "lines"}},
        {{"convert", "2024-2-10"},
         {"civil/year", "civil/month", "civil/day", "lunar/year", "lunar/month", "lunar/day",
          "lunar/month_code_text", "lunar/sized_month_code"}},
        {{"convert", "--lunar", "2025-闰6-1"}, {"civil/iso", "lunar/leap"}},
        {{"ganzhi", "2024-2-4"},
         {"year/name", "year/zodiac", "year/stem", "month/branch", "day/number", "text"}},
        {{"jd", "2000-1-1"}, {"jdn", "iso", "calendar"}},
        {{"interval", "2025-1-1", "2024-1-1"}, {"from/iso", "to/iso", "days"}},
        {{"terms", "2024"}, {"year", "number", "name", "instant"}},
        {{"moons", "2024", "2025"}, {"year", "phase", "name", "instant"}},
        {{"months", "2025"},
         {"lunar_year", "leap", "long_month", "days", "name", "first_day/iso", "last_day/jdn"}},
        {{"records", "2023", "2024"}, {"year", "record", "leap_month", "new_year/iso"}},
        {{"search", "leap", "2020", "10"}, {"lunar_year", "leap", "first_day/iso"}},
        {{"search", "big3", "2020", "10"}, {"run", "first_day/iso", "months/name"}},
        {{"search", "days", "2024", "2", "--festival", "中秋节"},
         {"civil/iso", "lunar/compact", "weekday", "festivals", "ganzhi/text"}},
        {{"cal", "2024", "2"},
         {"year", "month", "days/civil/iso", "days/lunar/compact", "days/mark", "days/festivals"}},
        {{"cal", "-3", "2024", "2"}, {"year", "days/term"}},
    };
    for (const auto& c : Cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--format", "json"});
        SCOPED_TRACE(args[0] + " " + args[1]);
        const CliOutput o = run(args);
        ASSERT_EQ(ExitOk, o.exitCode) << o.err;
        const nlohmann::json document = nlohmann::json::parse(o.out, nullptr, false);
        ASSERT_FALSE(document.is_discarded()) << o.out;
        for (const std::string& field : c.fields) EXPECT_NE(nullptr, at(document, field)) << field;
    }
}

TEST(CliFormats, JsonValues) {
    const nlohmann::json day =
        nlohmann::json::parse(run({"day", "2024-2-10", "--format", "json"}).out);
    EXPECT_EQ("2024-02-10", day["civil"]["iso"]);
    EXPECT_EQ(2460351, day["civil"]["jdn"]);
    EXPECT_EQ("AD02-10-2024", day["civil"]["date_code"]);
    EXPECT_EQ("AD01-01-2024", day["lunar"]["date_code"]);
    EXPECT_EQ(false, day["lunar"]["long_month"]);
    EXPECT_EQ((std::vector<std::string>{"春节", "国际气象节"}),
              day["festivals"].get<std::vector<std::string>>());
    EXPECT_EQ("2024-02-19T12:13:05+08:00", day["next_term"]["instant"]);
    const nlohmann::json leap =
        nlohmann::json::parse(run({"convert", "2025-7-25", "--format", "json"}).out);
    EXPECT_EQ(true, leap["lunar"]["leap"]);
    EXPECT_EQ("2025-闰06-01", leap["lunar"]["compact"]);
    EXPECT_EQ("二○二五年 闰六月小 初一", leap["lunar"]["text"]);
    const nlohmann::json old =
        nlohmann::json::parse(run({"jd", "-103-2-22", "--format", "json"}).out);
    EXPECT_EQ("-0103-02-22", old["iso"]);
    EXPECT_EQ("julian", old["calendar"]);
    const nlohmann::json terms =
        nlohmann::json::parse(run({"terms", "2024", "--format", "json"}).out);
    ASSERT_EQ(24u, terms.size());
    EXPECT_EQ("冬至", terms[23]["name"]);
    EXPECT_EQ("2024-12-21T17:20:28+08:00", terms[23]["instant"]);
    const nlohmann::json utc =
        nlohmann::json::parse(run({"terms", "2024", "--tz", "0", "--format", "json"}).out);
    EXPECT_EQ("2024-12-21T09:20:28+00:00", utc[23]["instant"]);
    const nlohmann::json west =
        nlohmann::json::parse(run({"terms", "2024", "--tz", "-5", "--format", "json"}).out);
    EXPECT_EQ("2024-12-21T04:20:28-05:00", west[23]["instant"]);
    EXPECT_EQ(-366, nlohmann::json::parse(
                        run({"interval", "2025-1-1", "2024-1-1", "--format", "json"}).out)["days"]);
    // A record's new year outside the years that convert is still its date.
    const nlohmann::json records =
        nlohmann::json::parse(run({"records", "9000", "9001", "--format", "json"}).out);
    EXPECT_EQ("9000-02-05", records[0]["new_year"]["iso"]);  // the last year that converts
    EXPECT_EQ("9001-01-25", records[1]["new_year"]["iso"]);
    EXPECT_EQ("星期日", records[1]["new_year"]["weekday"]);
    // Empty results are still a document.
    EXPECT_EQ(nlohmann::json::array(),
              nlohmann::json::parse(run({"search", "leap", "2024", "1", "--format", "json"}).out));
}

TEST(CliFormats, TabSeparatedTablesHaveAHeaderAndEqualColumns) {
    const struct {
        std::vector<std::string> args;
        const char* header;
        size_t rows;
    } Cases[] = {
        {{"terms", "2024"}, "year\tnumber\tname\tinstant", 24},
        {{"moons", "2024"}, "year\tphase\tname\tinstant", 25},
        {{"months", "2025"},
         "lunar_year\tmonth\tleap\tlong_month\tdays\tname\tfirst_day\tlast_day",
         13},
        {{"records", "2023", "2024"}, "year\trecord", 2},
        {{"search", "leap", "2020", "10"},
         "lunar_year\tmonth\tleap\tlong_month\tdays\tname\tfirst_day\tlast_day",
         4},
        {{"search", "big4", "2000", "50"},
         "run\tlunar_year\tmonth\tleap\tlong_month\tdays\tname\tfirst_day\tlast_day",
         0},
        {{"search", "days", "2024", "2", "--festival", "春节"},
         "date\tlunar\tweekday\tterm\tterm_instant\tfestivals\tganzhi",
         2},
    };
    for (const auto& c : Cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--format", "tsv"});
        SCOPED_TRACE(args[0] + " " + args[1]);
        const CliOutput o = run(args);
        ASSERT_EQ(ExitOk, o.exitCode) << o.err;
        std::vector<std::string> lines;
        for (size_t at = 0; at < o.out.size();) {
            const size_t end = o.out.find('\n', at);
            lines.push_back(o.out.substr(at, end - at));
            at = end + 1;
        }
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(c.header, lines[0]);
        if (c.rows > 0) {
            EXPECT_EQ(c.rows + 1, lines.size());
        }
        const auto tabs = [](const std::string& s) { return std::count(s.begin(), s.end(), '\t'); };
        for (const std::string& line : lines) EXPECT_EQ(tabs(lines[0]), tabs(line)) << line;
    }
    const CliOutput days =
        run({"search", "days", "2024", "1", "--festival", "春节", "--format", "tsv"});
    EXPECT_NE(std::string::npos,
              days.out.find("\n2024-02-10\t2024-01-01\t星期六\t\t\t春节 国际气象节\t"));
}

TEST(CliFormats, FormatsOnlyWhereTheyFit) {
    const struct {
        std::vector<std::string> args;
        const char* err;
    } Cases[] = {
        {{"day", "--format", "tsv"}, "tavomerix: bad --format 'tsv' ('day' prints text or json)\n"},
        {{"terms", "2024", "--format", "xml"},
         "tavomerix: bad --format 'xml' ('terms' prints text, json or tsv)\n"},
        {{"calc", "jd", "01-01-2000", "--format", "json"},
         "tavomerix: option '--format' does not apply to 'calc' (see tavomerix help calc)\n"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.err);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitUsage, o.exitCode);
        EXPECT_EQ(c.err, o.err);
    }
}

// A sink that stops the run after its first flush, as Ctrl-C would.
volatile std::sig_atomic_t StopAfterFirstFlush = 0;
class StoppingSink : public StringSink {
public:
    bool flush() override {
        StopAfterFirstFlush = 1;
        return StringSink::flush();
    }
};

// A sink whose writes fail, as a full disk does.
class FailingSink : public CliSink {
public:
    bool write(std::string_view) override {
        ++writes;
        return false;
    }
    bool ok() const override { return false; }
    int writes = 0;
};

TEST(CliFormats, LongOutputsStreamAsComputed) {
    const std::vector<std::vector<std::string>> Long = {
        {"tavomerix", "records", "-9997", "9998"},
        {"tavomerix", "terms", "1900", "2100"},
        {"tavomerix", "moons", "1900", "2100", "--format", "json"},
        {"tavomerix", "search", "days", "1900", "100", "--weekday", "星期一"},
    };
    for (const auto& args : Long) {
        SCOPED_TRACE(args[1]);
        // Output written as it goes: many flushes, nothing held back in the result.
        StringSink sink;
        CliEnvironment env;
        env.out = &sink;
        if (args[1] != "records") {
            const CliOutput done = runCli(args, env);
            EXPECT_EQ(ExitOk, done.exitCode);
            EXPECT_EQ("", done.out);
            EXPECT_GT(sink.flushes(), 50);
        }
        // Stopped after its first piece: that piece is kept, whole lines only.
        StoppingSink stopping;
        StopAfterFirstFlush = 0;
        CliEnvironment stopEnv;
        stopEnv.out = &stopping;
        stopEnv.stopRequested = &StopAfterFirstFlush;
        const CliOutput stopped = runCli(args, stopEnv);
        EXPECT_EQ(ExitInterrupted, stopped.exitCode);
        EXPECT_FALSE(stopping.text().empty());
        EXPECT_EQ('\n', stopping.text().back());
        // A stopped JSON stream still ends its array: what was printed parses.
        if (args.back() == "json") {
            EXPECT_TRUE(nlohmann::json::accept(stopping.text()));
        }
        // A failed write stops the command at once.
        FailingSink failing;
        CliEnvironment failEnv;
        failEnv.out = &failing;
        runCli(args, failEnv);
        EXPECT_LE(failing.writes, 2);
    }
}

TEST(CliFormats, ErrorsQuoteInputOnOneShortLine) {
    const std::string huge(10000, 'x');
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } Cases[] = {
        {{"jd", "2024-1-1\nrm -rf"}, "'2024-1-1\\x0arm -rf'"},
        {{"jd", huge}, "…'"},
        {{"day", "\x1b[31m"}, "'\\x1b[31m'"},
        {{"convert", "--lunar", "2024-\xff-1"}, "'2024-\\xff-1'"},
        {{"terms", "20\n24"}, "'20\\x0a24'"},
        {{"cal", "2024", huge}, "…'"},
        {{"search", "days", "2000", "1", "--festival", huge}, "…'"},
        {{"search", "days", "2000", "1", "--weekday", "星期\n八"}, "'星期\\x0a八'"},
        {{"day", "--frobnicate\n"}, "'--frobnicate\\x0a'"},
        {{huge}, "…'"},
        {{"day", "2024-2-10", "--days", "/nonexistent/\ndays"}, "'/nonexistent/\\x0adays'"},
        {{"day", "--tz", huge}, "…'"},
        {{"cal", "--color", "\x07"}, "'\\x07'"},
        {{"calc", "jd", "1\n1"}, "'1\\x0a1'"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.mentions);
        const CliOutput o = run(c.args);
        EXPECT_EQ(ExitUsage, o.exitCode);
        EXPECT_EQ(1, std::count(o.err.begin(), o.err.end(), '\n')) << o.err;
        EXPECT_EQ('\n', o.err.back());
        EXPECT_LT(o.err.size(), 400u);
        EXPECT_NE(std::string::npos, o.err.find(c.mentions)) << o.err;
    }
}

// JSON lists festivals whole: a commemoration name with spaces stays one name, and 7-1
// holds two festivals; `search --festival` matches whole names.
TEST(CliFormats, FestivalListsKeepNamesWhole) {
    const std::string path = testing::TempDir() + "tavomerix_spaced_days.txt";
    {
        std::ofstream file(path);
        file << "S\t02-10\t1990Mum birthday\n";
    }
    using Names = std::vector<std::string>;
    const struct {
        std::vector<std::string> args;
        Names festivals;
    } Cases[] = {
        {{"day", "2024-2-10", "--days", path}, {"Mum birthday", "春节", "国际气象节"}},
        {{"day", "2024-7-1"}, {"建党纪念日", "香港回归纪念日"}},
        {{"cal", "2024", "7"}, {"建党纪念日", "香港回归纪念日"}},
        {{"search", "days", "2024", "1", "--festival", "香港回归纪念日"},
         {"建党纪念日", "香港回归纪念日"}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--format", "json"});
        const CliOutput r = run(args);
        ASSERT_EQ(ExitOk, r.exitCode) << r.err;
        nlohmann::json document = nlohmann::json::parse(r.out);
        if (c.args[0] == "cal") document = document["days"];
        if (document.is_array()) document = document[0];
        EXPECT_EQ(c.festivals, document["festivals"].get<Names>());
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace tavomerix
