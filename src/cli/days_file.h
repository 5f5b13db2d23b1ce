#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chinese/lunar_calendar.h"
#include "dayinfo/commemoration_days.h"
#include "dayinfo/holidays.h"

namespace tavomerix {

// Largest commemoration file read: far beyond any real list of days (an entry is a line of
// at most about 1 kB, and there are at most 744 + 366 dates).
constexpr std::size_t DaysFileSizeLimit = 1024 * 1024;
// Longest line read, in bytes without its line end; a sound entry has at most 1031.
constexpr std::size_t DaysFileLineLimit = 2048;
// Malformed lines reported one by one; the rest are counted in one line.
constexpr int DaysFileErrorsShown = 20;

// The days of a commemoration file, or why it cannot be used. errorLines are ready for
// standard error: one line for a file that is refused, or at most DaysFileErrorsShown
// "FILE:N: message" lines and then one line with the number of the others. ok only when
// there are none.
struct DaysFileResult {
    bool ok = false;
    CommemorationDays days;
    std::vector<std::string> errorLines;
};

// Reads a commemoration file (the format of parseCommemorationLine): only a regular file
// (a disk file on Windows) of at most DaysFileSizeLimit bytes, lines of at most
// DaysFileLineLimit bytes; a leading UTF-8 byte-order mark and CR LF line ends are
// accepted. Time and memory stay bounded whatever the path names.
DaysFileResult readDaysFile(const LunarCalendar& calendar, const std::string& path);

// The same over contents already read; shownPath names the file in the messages.
DaysFileResult readDaysContents(const LunarCalendar& calendar, std::string_view shownPath,
                                std::string_view contents);

// The bytes of a regular file of at most `limit` bytes, or the reason it is refused as a
// phrase after the file's name ("is a directory"). Defined per platform
// (days_file_posix.cpp, days_file_win.cpp).
struct RegularFileContents {
    bool ok = false;
    std::string contents;
    std::string refusal;
    bool missing = false;  // refused because no such file exists
};
RegularFileContents readRegularFile(const std::string& path, std::size_t limit);

// The years of a user's holiday file (parseHolidayFile), or why it cannot be used, by the
// rules and in the messages of a commemoration file. `missing` when no such file exists.
struct HolidaysFileResult {
    bool ok = false;
    bool missing = false;
    HolidayFile file;
    std::vector<std::string> errorLines;
};
HolidaysFileResult readHolidaysFile(const std::string& path);
HolidaysFileResult readHolidaysContents(std::string_view shownPath, std::string_view contents);

// Where a user's holiday file is looked for when no --holidays FILE is given:
// $XDG_DATA_HOME/tavomerix/holidays.tsv, else ~/.local/share/tavomerix/holidays.tsv
// (%APPDATA%\Tavomerix\holidays.tsv on Windows); "" when the environment names no such
// folder. Defined per platform.
std::string defaultHolidaysPath();

// Whether a path names a Windows device (con, nul, aux, prn, com1..com9, lpt1..lpt9,
// conin$, conout$) whatever its folder, case, extension or trailing dots and spaces: such
// names open a device, not a file, in every folder.
bool isWindowsDeviceName(std::string_view path);

// A size limit as the refusal states it: "1 MiB" for whole MiB, else "N bytes".
std::string sizeLimitText(std::size_t limit);

}  // namespace tavomerix
