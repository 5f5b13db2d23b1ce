#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// What is said about input that names no day or lies outside a range, in the same words
// for every front end (the command line, the bindings). `quoted` is the input as the
// front end shows it, quotes included ("'2024-02-30'").

// A DATE that is not written as one: "bad date '..' (DATE is Y-M-D, ..)", or its lunar form.
std::string badDateMessage(std::string_view quoted, bool lunar);
// A civil date that does not exist: "no such date '..' (DATE is Y-M-D with a day that
// exists, years -9998..9999; 1582-10-05..14 do not exist)".
std::string noSuchDateMessage(std::string_view quoted);
// A lunar date that does not exist: "no such lunar date '..' (month 1..12, ..)".
std::string noSuchLunarDateMessage(std::string_view quoted);
// A date outside the lunar calendar: "date '..' is outside the lunar calendar's years
// -8999..9000".
std::string outsideLunarYearsMessage(std::string_view quoted);
// A date outside the years of a day's information (`what`: "day view", "almanac"): "date
// '..' is outside the years -8999..9000 of the day view".
std::string outsideDayYearsMessage(std::string_view quoted, std::string_view what);
// A year outside low..high (`what`: "lunar year", "civil year"): "bad lunar year '..'
// (years -8999..9000)".
std::string badYearMessage(std::string_view what, std::string_view quoted, int low, int high);
// A year range whose LAST comes before FIRST: "LAST 3 comes before FIRST 5".
std::string yearOrderMessage(int first, int last);
// A time zone outside -12..12: "bad time zone '..' (--tz takes a whole number of hours,
// -12..12)".
std::string badTimeZoneMessage(std::string_view quoted);
// A TIME that is no clock time: "bad time '..' (TIME is HH:MM or HH:MM:SS, 00:00..23:59:59)".
std::string badTimeMessage(std::string_view quoted);
// A longitude outside -180..180: "bad longitude '..' (--longitude takes degrees east,
// -180..180)".
std::string badLongitudeMessage(std::string_view quoted);

}  // namespace tavomerix
