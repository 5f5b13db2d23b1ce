// Runs many command lines of `tavomerix` in one process, so that a build under an emulator
// (Wine, qemu) can be compared byte for byte with the native build without paying a
// process start per command:
//   tavomerix_equivalence list                    the command lines, one a line (run natively)
//   tavomerix_equivalence run LIST OUT            each line through runCli, outputs into OUT
//   tavomerix_equivalence compare EXPECTED ACTUAL the first differences; exit 1 on any
// OUT holds, for each line, "### " and the line, its stdout and stderr, and "### exit N".
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace {

using tavomerix::CliEnvironment;
using tavomerix::CliOutput;
using tavomerix::runCli;

constexpr int ExitDifferent = 1;
constexpr int ExitUsage = 2;
constexpr std::string_view RecordMark = "### ";
constexpr size_t DifferencesShown = 10;

// The words of a command line (separated by spaces).
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < line.size()) {
        const size_t end = std::min(line.find(' ', at), line.size());
        if (end > at) out.emplace_back(line.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

CliOutput run(std::string_view line) {
    std::vector<std::string> argv{"tavomerix"};
    for (std::string& w : words(line)) argv.push_back(std::move(w));
    CliEnvironment env;  // a fixed "today": every listed line names its date
    return runCli(argv, env);
}

bool readFile(const char* path, std::string& text) {
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, got);
    std::fclose(f);
    return true;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

std::string dateText(int year, int month, int day) {
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

// Days of the terms of `year` that fall within 20 minutes of a local midnight, from the
// native `terms` table as tab-separated values (the instant last, "2024-01-06T04:49:17+08:00"),
// and the day before each.
void nearMidnightDays(int year, std::vector<std::string>& out) {
    const std::vector<std::string> rows =
        lines(run("terms " + std::to_string(year) + " --format tsv").out);
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::string instant = rows[i].substr(rows[i].rfind('\t') + 1);
        const size_t t = instant.find('T');
        if (t == std::string::npos || t < 6 || t + 6 > instant.size()) continue;
        const int month = std::stoi(instant.substr(t - 5, 2));
        const int day = std::stoi(instant.substr(t - 2, 2));
        const int minutes =
            std::stoi(instant.substr(t + 1, 2)) * 60 + std::stoi(instant.substr(t + 4, 2));
        if (minutes < 20 || minutes >= 24 * 60 - 20) {
            out.push_back("day " + dateText(year, month, day));
            out.push_back("day " + dateText(year, month, day > 1 ? day - 1 : day));
        }
    }
}

std::vector<std::string> commandList() {
    std::vector<std::string> list{
        "records -9997 9998",  // first: scripts/test-i386 runs it in a process of its own
        "records -9997 9998 --modern",
        "search leap -100 5100",
        "--version",
        // The formats for scripts and the other printed forms.
        "day 2024-2-10 --format json",
        "day --lunar 2025-闰6-1",
        "convert 2025-7-25 --format json",
        "ganzhi 2024-2-4 --lichun --format json",
        "interval 2025-1-1 2024-1-1",
        "months 2025 2026 --format tsv",
        "terms 2024 --format json",
        "moons -500 --format tsv",
        "records 2020 2030 --format json",
        "search big3 2000 100",
        "search days 2000 100 --festival 中秋节 --format tsv",
        "search days 1900 100 --lunar-month 闰十一月 --lunar-day 1",
        "cal -3 2024 2",
        "cal -y 2023 --format json",
        // The almanac: its example day, the 节 months of both reckonings in 101 BC, the ends.
        "almanac 2024-2-10",
        "almanac 1949-10-1 --format json",
        "almanac --lunar 2025-闰6-1",
        "almanac -100-3-8",
        "almanac -100-3-8 --modern",
        "almanac -500-3-1 --modern --format json",
        "almanac -8999-1-1",
        "almanac 9000-12-31 --modern",
        "almanac 2024-2-4 --tz -12",
        "day 2024-2-10 --almanac --format json",
        "day -103-2-22 --almanac",
        // China's public holidays: a published and an unpublished year, statuses, counts.
        "holidays 2026",
        "holidays 2031",
        "holidays 2008 --format json",
        "holidays 2020 --format tsv",
        "workday 2026-02-14",
        "workday 2026-02-16",
        "workday 2031-10-01 --format json",
        "interval 2024-1-1 2025-1-1 --workdays",
        "interval 2007-1-1 2031-1-1 --workdays --format json",
        "cal 2026 2",
        "cal 2026 10 --format json",
        "months 2057 2097",
        "months 2057 --format json",
        // The hours, both 子 conventions, and the four pillars at 节 instants and in true
        // solar time.
        "almanac 2024-2-10 --hours",
        "almanac 2025-12-15 --hours --early-zi",
        "almanac -100-3-8 --hours --format json",
        "pillars 1990-05-17 14:30 --longitude 116.4",
        "pillars 2024-02-04 16:27:02",
        "pillars 2024-02-04 16:27:03 --format json",
        "pillars 2024-02-10 23:30 --early-zi --longitude -73.9 --tz -5",
        "pillars -100-3-10 12:00 --longitude 108.9",
        "pillars -100-3-10 12:00 --modern",
    };
    for (int year = 1900; year <= 2100; ++year) {
        list.push_back("terms " + std::to_string(year));
        list.push_back("moons " + std::to_string(year));
    }
    // Far years, both regimes: the whole table range in steps of 500 and its ends.
    std::vector<int> far{-8999, 9000, -104, -103, 1582, 1644, 1645, 1886, 1887};
    for (int year = -9000; year <= 9000; year += 500) {
        if (year + 17 <= 9000) far.push_back(year + 17);
    }
    for (const int year : far) {
        for (const char* command : {"terms ", "moons "}) {
            list.push_back(command + std::to_string(year));
            list.push_back(command + std::to_string(year) + " --modern");
        }
    }
    // Days: one every 61 years over the whole range with a month and day that move, then
    // the calendar changes, BC years of the historical reckoning and leap months.
    for (int i = 0; i < 296; ++i) {
        const int year = -8999 + i * 61;
        list.push_back("day " + dateText(year, 1 + i % 12, 1 + (i * 7) % 28));
    }
    for (const char* day :
         {"1582-10-4",  "1582-10-15", "1582-2-24",  "-103-2-22", "-104-12-31", "-1-1-1",
          "0-2-29",     "1-1-1",      "1644-2-8",   "1645-1-28", "1886-12-31", "1887-1-1",
          "2020-6-1",   "2020-5-23",  "2023-3-22",  "2023-4-19", "2033-12-22", "2034-1-20",
          "1984-11-23", "2025-7-25",  "2057-10-28", "-8999-1-1", "9000-12-31"}) {
        list.push_back(std::string("day ") + day);
        list.push_back(std::string("day ") + day + " --modern");
        list.push_back(std::string("almanac ") + day);
        list.push_back(std::string("almanac ") + day + " --modern");
    }
    for (int year = 1900; year <= 2100; year += 5) nearMidnightDays(year, list);
    for (const int year : {-500, 1200, 4000}) nearMidnightDays(year, list);
    return list;
}

int listCommands() {
    for (const std::string& line : commandList()) std::printf("%s\n", line.c_str());
    return 0;
}

int runList(const char* listPath, const char* outPath) {
    std::string text;
    if (!readFile(listPath, text)) {
        std::fprintf(stderr, "equivalence: cannot read %s\n", listPath);
        return ExitUsage;
    }
    FILE* out = std::fopen(outPath, "wb");  // LF line ends on every system
    if (out == nullptr) {
        std::fprintf(stderr, "equivalence: cannot write %s\n", outPath);
        return ExitUsage;
    }
    for (const std::string& line : lines(text)) {
        if (line.empty()) continue;
        const CliOutput result = run(line);
        std::fprintf(out, "%.*s%s\n", static_cast<int>(RecordMark.size()), RecordMark.data(),
                     line.c_str());
        std::fwrite(result.out.data(), 1, result.out.size(), out);
        std::fwrite(result.err.data(), 1, result.err.size(), out);
        std::fprintf(out, "%.*sexit %d\n", static_cast<int>(RecordMark.size()), RecordMark.data(),
                     result.exitCode);
    }
    return std::fclose(out) == 0 ? 0 : ExitUsage;
}

// The records of an output file: the command line and its lines.
struct Record {
    std::string command;
    std::vector<std::string> lines;
};

std::vector<Record> records(const std::string& text) {
    std::vector<Record> out;
    for (const std::string& line : lines(text)) {
        const bool mark = line.rfind(RecordMark, 0) == 0;
        if (mark && line.rfind("### exit ", 0) != 0) {
            out.push_back({line.substr(RecordMark.size()), {}});
        } else if (!out.empty()) {
            out.back().lines.push_back(line);
        }
    }
    return out;
}

int compare(const char* expectedPath, const char* actualPath) {
    std::string expectedText, actualText;
    if (!readFile(expectedPath, expectedText) || !readFile(actualPath, actualText)) {
        std::fprintf(stderr, "equivalence: cannot read %s or %s\n", expectedPath, actualPath);
        return ExitUsage;
    }
    const std::vector<Record> expected = records(expectedText);
    const std::vector<Record> actual = records(actualText);
    size_t lineCount = 0, differentCommands = 0, differentLines = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        lineCount += expected[i].lines.size();
        if (i >= actual.size() || actual[i].command != expected[i].command) {
            std::printf("missing output of '%s'\n", expected[i].command.c_str());
            ++differentCommands;
            continue;
        }
        const std::vector<std::string>& e = expected[i].lines;
        const std::vector<std::string>& a = actual[i].lines;
        if (e == a) continue;
        ++differentCommands;
        for (size_t k = 0; k < std::max(e.size(), a.size()); ++k) {
            const std::string* el = k < e.size() ? &e[k] : nullptr;
            const std::string* al = k < a.size() ? &a[k] : nullptr;
            if (el != nullptr && al != nullptr && *el == *al) continue;
            if (++differentLines <= DifferencesShown) {
                std::printf("'%s' line %zu:\n  native: %s\n  target: %s\n",
                            expected[i].command.c_str(), k + 1, el ? el->c_str() : "<none>",
                            al ? al->c_str() : "<none>");
            }
        }
    }
    if (actual.size() > expected.size()) ++differentCommands;
    std::printf("%zu commands, %zu lines compared: %zu commands differ (%zu lines)\n",
                expected.size(), lineCount, differentCommands, differentLines);
    return differentCommands == 0 && !expected.empty() ? 0 : ExitDifferent;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "list" && argc == 2) return listCommands();
    if (mode == "run" && argc == 4) return runList(argv[2], argv[3]);
    if (mode == "compare" && argc == 4) return compare(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: tavomerix_equivalence list | run LIST OUT | compare EXPECTED ACTUAL\n");
    return ExitUsage;
}
