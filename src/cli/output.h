#pragma once

#include <string>
#include <string_view>

#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "dayinfo/date_text.h"

namespace tavomerix {

// Where a command's standard output goes. write() takes any piece of text; flush() marks a
// point where what was written so far should reach the reader (a line or a group of
// records). Both return false once a write has failed; a command then stops.
class CliSink {
public:
    virtual ~CliSink() = default;
    virtual bool write(std::string_view text) = 0;
    virtual bool flush() { return ok(); }
    virtual bool ok() const = 0;
};

// A sink that keeps everything in a string (the tests, and runCli without a sink), counting
// the flushes.
class StringSink : public CliSink {
public:
    bool write(std::string_view text) override {
        text_.append(text);
        return true;
    }
    bool flush() override {
        ++flushes_;
        return true;
    }
    bool ok() const override { return true; }
    const std::string& text() const { return text_; }
    int flushes() const { return flushes_; }

private:
    std::string text_;
    int flushes_ = 0;
};

// How a command prints: for people, as JSON or as tab-separated values.
enum class OutputFormat { Text, Json, Tsv };

// ISO 8601 date and time with the zone's offset of a local instant (LocalDayNumber: a day
// number plus the local time of day), truncated to the second: "2024-12-21T17:20:28+08:00";
// with separator ' ' and no offset "2024-12-21 17:20:28". "" outside the civil years.
std::string isoInstant(double localInstant, int timeZoneHours, bool withOffset = true);

// Compact lunar date: "2025-闰06-01", "2024-01-01", "-0103-01-01"; "" for LunarDate{}.
std::string lunarCompactText(const LunarDate& date);

// Compact lunar month: "2025-闰06"; "" for a month code outside 1..24.
std::string lunarMonthCompactText(int year, int monthCode);

// A lunar date in words as the widget shows it: "二○二五年 闰六月大 初一"; the long-month
// flag must be set. "" for LunarDate{}.
std::string lunarWordsText(const LunarDate& date);

}  // namespace tavomerix
