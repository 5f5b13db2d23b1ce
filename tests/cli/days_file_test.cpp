#include "cli/days_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "cli/cli.h"
#include "temp_file.h"

namespace tavomerix {
namespace {

const LunarCalendar& beijing() { return LunarCalendar::shared({}); }

// True when every line is one line of printable text: no control byte at all.
bool printableLines(const std::vector<std::string>& lines) {
    return std::all_of(lines.begin(), lines.end(), [](const std::string& line) {
        return std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
    });
}

TEST(DaysFile, RefusesWhatIsNotARegularFile) {
    const std::string directory = testing::TempDir() + "tavomerix_days_dir";
    mkdir(directory.c_str(), 0700);
    const std::string fifo = testing::TempDir() + "tavomerix_days_fifo";
    unlink(fifo.c_str());
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));  // no writer: opening must not wait for one
    const TempFile large("large", std::string(DaysFileSizeLimit + 1, '#'));
    const struct {
        std::string path;
        const char* reason;
    } Cases[] = {
        {"/dev/zero", "is not a regular file"},  // endless
        {directory, "is a directory"},
        {fifo, "is not a regular file"},
        {large.path(), "is larger than 1 MiB"},
        {testing::TempDir() + "tavomerix_days_missing", "cannot be opened: No such file"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.path);
        const DaysFileResult r = readDaysFile(beijing(), c.path);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(1u, r.errorLines.size());
        EXPECT_EQ(0u, r.errorLines[0].find("tavomerix: the commemoration file '" + c.path + "' "));
        EXPECT_NE(std::string::npos, r.errorLines[0].find(c.reason)) << r.errorLines[0];
    }
    unlink(fifo.c_str());
    rmdir(directory.c_str());
}

TEST(DaysFile, WindowsDeviceNamesInAnyFolderCaseOrExtension) {
    for (const char* device : {"con", "CON", "nul.txt", "c:\\dir\\Aux.tsv", "dir/prn", "com1",
                               "LPT9.dat", "con .txt", "conin$", "z:con"}) {
        EXPECT_TRUE(isWindowsDeviceName(device)) << device;
    }
    for (const char* file : {"console", "my-con", "com0", "com10", "lpt", "nul2.txt", "days.txt",
                             "con/days.txt", ""}) {
        EXPECT_FALSE(isWindowsDeviceName(file)) << file;
    }
}

TEST(DaysFile, AcceptsAFileAtTheLimit) {
    std::string contents = "L 08-15\t1990生日\n";
    contents.append(DaysFileSizeLimit - contents.size(), '\n');
    const TempFile file("limit", contents);
    const DaysFileResult r = readDaysFile(beijing(), file.path());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.errorLines.empty());
    ASSERT_NE(nullptr, r.days.find(CommemorationKind::Lunar, 8, 15));
}

TEST(DaysFile, ByteOrderMarkAndCrLf) {
    const TempFile file("bom", "\xEF\xBB\xBFL\t01-15\t2000甲\r\nS 02-29\t2020乙\r\n\r\n# note\r\n");
    const DaysFileResult r = readDaysFile(beijing(), file.path());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.errorLines.empty());
    ASSERT_NE(nullptr, r.days.find(CommemorationKind::Lunar, 1, 15));
    EXPECT_EQ("2000甲", *r.days.find(CommemorationKind::Lunar, 1, 15));
    ASSERT_NE(nullptr, r.days.find(CommemorationKind::Solar, 2, 29));
    EXPECT_EQ("2020乙", *r.days.find(CommemorationKind::Solar, 2, 29));
}

TEST(DaysFile, MalformedLinesShowTwentyAndCountTheRest) {
    std::string contents;
    for (int i = 0; i < 30; ++i) contents += "bad line " + std::to_string(i + 1) + "\n";
    const DaysFileResult r = readDaysContents(beijing(), "days.txt", contents);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(21u, r.errorLines.size());
    EXPECT_EQ("days.txt:1: expected L (lunar) or S (civil) at the start: 'bad line 1'",
              r.errorLines[0]);
    EXPECT_EQ(0u, r.errorLines[19].find("days.txt:20: "));
    EXPECT_EQ("days.txt: 10 more malformed lines not shown", r.errorLines[20]);
    std::string twentyOne;
    for (int i = 0; i < 21; ++i) twentyOne += "x\n";
    const DaysFileResult one = readDaysContents(beijing(), "d", twentyOne);
    ASSERT_EQ(21u, one.errorLines.size());
    EXPECT_EQ("d: 1 more malformed line not shown", one.errorLines.back());
}

TEST(DaysFile, FileTextIsQuotedSafely) {
    const struct {
        std::string contents;
        std::string expected;  // the one error line
    } Cases[] = {
        {"X\x01\x1b[31m\n", "f:1: expected L (lunar) or S (civil) at the start: 'X\\x01\\x1b[31m'"},
        {"L 01-\x07\t2000名\n",
         "f:1: expected the value name MM-DD after the kind: 'L 01-\\x07\\x092000名'"},
        {"S 12-01\t2000\xff\n", "f:1: name is not valid UTF-8: 'S 12-01\\x092000\\xff'"},
        {"L 01-01\t2000" + std::string(3000, 'a') + "\n",  // a long line is not parsed
         "f:1: line longer than 2048 bytes: 'L 01-01\\x092000" + std::string(48, 'a') + "…'"},
        {"\r\n\r\nL\r\n", "f:3: expected a space or a tab after the kind: 'L'"},
        {"S 12-01\t2000名\r\r\n",  // only the CR of the line end is dropped
         "f:1: name contains control characters: 'S 12-01\\x092000名\\x0d'"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.expected);
        const DaysFileResult r = readDaysContents(beijing(), "f", c.contents);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(1u, r.errorLines.size());
        EXPECT_EQ(c.expected, r.errorLines[0]);
        EXPECT_TRUE(printableLines(r.errorLines));
    }
    const DaysFileResult path = readDaysContents(beijing(), "a\nb", "x\n");
    EXPECT_EQ("a\\x0ab:1: expected L (lunar) or S (civil) at the start: 'x'", path.errorLines[0]);
}

TEST(DaysFile, RandomBytesGiveBoundedPrintableErrors) {
    std::string contents;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        contents += static_cast<char>(state >> 16);
    }
    const DaysFileResult r = readDaysContents(beijing(), "random", contents);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(21u, r.errorLines.size());
    EXPECT_TRUE(printableLines(r.errorLines));
    for (const std::string& line : r.errorLines) EXPECT_GT(400u, line.size()) << line;
}

TEST(DaysFile, CommandLineRefusesWithExitTwoAndNothingOnStandardOutput) {
    std::string contents = "L 08-15\t1990生日\n";
    for (int i = 0; i < 30; ++i) contents += "\x1b[2J\n";
    const TempFile malformed("malformed", contents);
    for (const std::string& path : {std::string("/dev/zero"), malformed.path()}) {
        SCOPED_TRACE(path);
        const CliOutput r = runCli({"tavomerix", "day", "2025-10-06", "--days", path});
        EXPECT_EQ(ExitUsage, r.exitCode);
        EXPECT_EQ("", r.out);
        EXPECT_EQ(path == "/dev/zero" ? 1 : 21, std::count(r.err.begin(), r.err.end(), '\n'))
            << r.err;
        EXPECT_EQ(std::string::npos, r.err.find('\x1b'));
    }
}

}  // namespace
}  // namespace tavomerix
