#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "fresh_registry.h"

namespace tavomerix {
namespace {

class SettingsStore : public FreshRegistry {
protected:
    static void store(std::string_view name, std::string_view text) {
        writeRegistryText(SettingsKey, name, text);
    }
    static void allowRegistry() { store("Version", "3.3"); }

    static AppSettings load() {
        AppSettings s;
        s.stored.GanZhiFromLichunFlag = 7;  // loading must overwrite every stored field
        s.stored.RFORMTransFlag = 7;
        s.window.windowMode = WindowMode::Embedded;
        s.window.positionLocked = 1;
        loadSettings(s);
        return s;
    }
};

TEST_F(SettingsStore, FirstRunGivesDefaults) {
    const AppSettings s = load();
    EXPECT_EQ(0, s.stored.registryEnabled);
    EXPECT_EQ(8, s.stored.TimeZoneHours);
    EXPECT_EQ(0, s.stored.GanZhiFromLichunFlag);
    EXPECT_EQ(0, s.stored.LunarYearShowDynastyFlag);
    EXPECT_EQ(0, s.stored.FestivalInfoShowMuharramFlag);
    EXPECT_EQ(0, s.stored.ModernCalculateAncientFlag);
    EXPECT_EQ(0, s.stored.RFORMTransFlag);
    EXPECT_EQ(4200, s.stored.SolarYearAreaValue);
    EXPECT_EQ(WindowMode::Topmost, s.window.windowMode);
    EXPECT_EQ(0, s.window.positionLocked);
}

// How a Version value is taken: only "3.3" allows the registry; any other text or type
// is another version's mark.
enum class Mark { Absent, Text, Number };

TEST_F(SettingsStore, OnlyTheExactMarkAllowsTheRegistry) {
    const struct {
        Mark mark;
        const char* version;
        int enabled, otherVersion;
    } Cases[] = {
        {Mark::Text, "3.3", 1, 0},  {Mark::Absent, "", 0, 0},
        {Mark::Text, "3.2", 0, 1},                           // an older version
        {Mark::Text, "3.4", 0, 1},                           // a newer one
        {Mark::Text, "3.3 ", 0, 1},                          // edited by hand
        {Mark::Text, "3.30", 0, 1}, {Mark::Text, "", 0, 1},  // present but empty
        {Mark::Number, "33", 0, 1},                          // not a string
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.version);
        resetMemoryRegistry();
        if (c.mark == Mark::Text) store("Version", c.version);
        if (c.mark == Mark::Number) writeMemoryRegistryNumber(SettingsKey, "Version", 33);
        store("NowTimeZoneCodeFlag", "-5");
        store("GanZhiFromLichunFlag", "1");
        store("RFORMTransFlag", "4");
        store("SolarYearAreaValue", "6000");
        const AppSettings s = load();
        EXPECT_EQ(c.enabled, s.stored.registryEnabled);
        EXPECT_EQ(c.otherVersion, s.stored.otherVersionData);
        EXPECT_EQ(c.enabled ? -5 : 8, s.stored.TimeZoneHours);
        EXPECT_EQ(c.enabled ? 1 : 0, s.stored.GanZhiFromLichunFlag);
        EXPECT_EQ(c.enabled ? 4 : 0, s.stored.RFORMTransFlag);
        EXPECT_EQ(c.enabled ? 6000 : 4200, s.stored.SolarYearAreaValue);
    }
}

TEST_F(SettingsStore, TimeZoneNeedsAnExactText) {
    const struct {
        const char* text;
        int hours;
    } Cases[] = {
        {"-12", -12},                                    // lowest
        {"12", 12},                                      // highest
        {"0", 0},     {"-1", -1}, {"8", 8},  {"13", 8},  // out of range
        {"-13", 8},   {"+8", 8},                         // sign not accepted
        {"+9", 8},    {"8.0", 8}, {"08", 8}, {"09", 8},  // leading zero not accepted
        {"-0", 8},    {" 5", 8},  {"", 8},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        resetMemoryRegistry();
        allowRegistry();
        store("NowTimeZoneCodeFlag", c.text);
        EXPECT_EQ(c.hours, load().stored.TimeZoneHours);
    }
}

TEST_F(SettingsStore, ModernAstronomyIsForcedOutsideZoneEight) {
    const struct {
        const char* zone;
        const char* stored;
        int flag;
    } Cases[] = {
        {"8", "0", 0},  {"8", "1", 1}, {"8", "", 0},   {"9", "0", 1},  // any other zone forces it
        {"-12", "", 1}, {"0", "0", 1}, {"+8", "0", 0},  // an unaccepted text means zone 8
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " / " << c.stored);
        resetMemoryRegistry();
        allowRegistry();
        store("NowTimeZoneCodeFlag", c.zone);
        store("ModernCalculateAncientFlag", c.stored);
        EXPECT_EQ(c.flag, load().stored.ModernCalculateAncientFlag);
    }
}

TEST_F(SettingsStore, FlagsAreOnForAnyNonZeroNumber) {
    const struct {
        const char* text;
        int flag;
    } Cases[] = {
        {"1", 1},  {"0", 0},    {"2", 1},   {"-1", 1},  {"0.5", 1},
        {" 1", 1}, {"1abc", 1}, {"abc", 0}, {"0x1", 0},  // reads as 0 followed by other text
        {"", 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        resetMemoryRegistry();
        allowRegistry();
        store("GanZhiFromLichunFlag", c.text);
        store("LunarYearShowDynastyFlag", c.text);
        store("FestivalInfoShowMuharramFlag", c.text);
        store("ModernCalculateAncientFlag", c.text);
        const AppSettings s = load();
        EXPECT_EQ(c.flag, s.stored.GanZhiFromLichunFlag);
        EXPECT_EQ(c.flag, s.stored.LunarYearShowDynastyFlag);
        EXPECT_EQ(c.flag, s.stored.FestivalInfoShowMuharramFlag);
        EXPECT_EQ(c.flag, s.stored.ModernCalculateAncientFlag);
    }
}

TEST_F(SettingsStore, TransparencyStepNeedsAnExactDigit) {
    const struct {
        const char* text;
        int step;
    } Cases[] = {
        {"9", 9},  {"1", 1},   {"5", 5},  {"0", 0}, {"10", 0},  // beyond the last step
        {"09", 0}, {"3.0", 0}, {"-1", 0}, {"", 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        resetMemoryRegistry();
        allowRegistry();
        store("RFORMTransFlag", c.text);
        EXPECT_EQ(c.step, load().stored.RFORMTransFlag);
    }
}

TEST_F(SettingsStore, YearAreaIsRoundedAndClamped) {
    const struct {
        const char* text;
        int area, minYear, maxYear;
    } Cases[] = {
        {"20000", 10000, -3000, 7000},  // clamped high
        {"5", 4200, -100, 4100},        // clamped low
        {"abc", 4200, -100, 4100},
        {"", 4200, -100, 4100},
        {"4201", 4201, -101, 4100},  // odd area: one more year before 2000
        {"10000", 10000, -3000, 7000},
        {"6000", 6000, -1000, 5000},
        {"5000.5", 5000, -500, 4500},  // half to even
        {"5001.5", 5002, -501, 4501},
        {"1e30", 10000, -3000, 7000},  // far beyond int must not overflow
        {"-1e30", 4200, -100, 4100},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        resetMemoryRegistry();
        allowRegistry();
        store("SolarYearAreaValue", c.text);
        AppSettings s = load();
        EXPECT_EQ(c.area, s.stored.SolarYearAreaValue);
        prepareStartDates(s, {2024, 2, 10});
        EXPECT_EQ(c.minYear, s.window.minYear);
        EXPECT_EQ(c.maxYear, s.window.maxYear);
    }
}

TEST_F(SettingsStore, TodayBecomesTheSelectedDate) {
    AppSettings s;
    prepareStartDates(s, {2024, 2, 29});
    EXPECT_EQ(2024, s.window.selectedSolarDate.year);
    EXPECT_EQ(2, s.window.selectedSolarDate.month);
    EXPECT_EQ(29, s.window.selectedSolarDate.day);
}

TEST_F(SettingsStore, StartDatesCarryTheirLunarDates) {
    AppSettings s;
    loadSettings(s);
    prepareStartDates(s, {2024, 2, 10});  // 正月初一 of 甲辰; 正月 has 29 days
    EXPECT_EQ(2024, s.window.selectedLunarDate.year);
    EXPECT_EQ(1, s.window.selectedLunarDate.sizedMonth);
    EXPECT_EQ(1, s.window.selectedLunarDate.day);
    // 1 January and 31 December always fall in the 11th or 12th month (or a leap one after
    // them), of the lunar year before and of the same year.
    const auto lateMonth = [](int sizedMonth) {
        const int month = (sizedMonth - 1) % 24 + 1;
        return month == 11 || month == 12 || month == 23 || month == 24;
    };
    EXPECT_EQ(-101, s.window.lowerLunarBound.year);
    EXPECT_TRUE(lateMonth(s.window.lowerLunarBound.sizedMonth))
        << s.window.lowerLunarBound.sizedMonth;
    EXPECT_EQ(4100, s.window.upperLunarBound.year);
    EXPECT_TRUE(lateMonth(s.window.upperLunarBound.sizedMonth))
        << s.window.upperLunarBound.sizedMonth;
}

TEST(LunarSelection, HoldsTheSizedMonthCode) {
    const struct {
        LunarDate date;
        int year, sizedMonth, day;
    } Cases[] = {
        {{2024, 1, 1, false, true}, 2024, 25, 1},
        {{-100, 12, 15, false, false}, -100, 12, 15},
        {{1, 1, 30, true, true}, 1, 37, 30},  // 30-day leap month after 1
        {{}, 0, 0, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.sizedMonth);
        const LunarSelection l = lunarSelection(c.date);
        EXPECT_EQ(c.year, l.year);
        EXPECT_EQ(c.sizedMonth, l.sizedMonth);
        EXPECT_EQ(c.day, l.day);
    }
}

TEST_F(SettingsStore, SaveWritesTheValuesInOrder) {
    AppSettings s;
    s.stored.registryEnabled = 1;
    s.stored.GanZhiFromLichunFlag = 1;
    s.stored.FestivalInfoShowMuharramFlag = 1;
    s.stored.RFORMTransFlag = 9;
    s.stored.TimeZoneHours = -3;
    s.stored.SolarYearAreaValue = 8000;
    const std::vector<std::pair<std::string, std::string>> Expected = {
        {"Version", "3.3"},
        {"rFormLeft", "-20"},
        {"rFormTop", "300"},
        {"GanZhiFromLichunFlag", "1"},
        {"LunarYearShowDynastyFlag", "0"},
        {"FestivalInfoShowMuharramFlag", "1"},
        {"ModernCalculateAncientFlag", "0"},
        {"RFORMTransFlag", "9"},
    };
    std::vector<std::pair<std::string, std::string>> written;
    for (const SettingText& t : settingsToSave(s, -20, 300)) written.emplace_back(t.name, t.text);
    EXPECT_EQ(Expected, written);
}

TEST_F(SettingsStore, SaveKeepsTheReadOnlyValues) {
    allowRegistry();
    store("NowTimeZoneCodeFlag", "+8");
    store("SolarYearAreaValue", "abc");
    AppSettings s = load();
    s.stored.LunarYearShowDynastyFlag = 1;
    saveOrWipeSettings(s, 12, 34);
    EXPECT_EQ("+8", readRegistryText(SettingsKey, "NowTimeZoneCodeFlag"));
    EXPECT_EQ("abc", readRegistryText(SettingsKey, "SolarYearAreaValue"));
    EXPECT_EQ("12", readRegistryText(SettingsKey, "rFormLeft"));
    EXPECT_EQ("34", readRegistryText(SettingsKey, "rFormTop"));
    EXPECT_EQ("1", readRegistryText(SettingsKey, "LunarYearShowDynastyFlag"));
}

TEST_F(SettingsStore, SavedSettingsComeBackButModeAndLockDoNot) {
    allowRegistry();
    AppSettings s = load();
    s.stored.GanZhiFromLichunFlag = 1;
    s.stored.LunarYearShowDynastyFlag = 1;
    s.stored.FestivalInfoShowMuharramFlag = 1;
    s.stored.ModernCalculateAncientFlag = 1;
    s.stored.RFORMTransFlag = 6;
    s.window.windowMode = WindowMode::Normal;
    s.window.positionLocked = 1;
    saveOrWipeSettings(s, 100, 200);
    const AppSettings r = load();
    EXPECT_EQ(1, r.stored.registryEnabled);
    EXPECT_EQ(1, r.stored.GanZhiFromLichunFlag);
    EXPECT_EQ(1, r.stored.LunarYearShowDynastyFlag);
    EXPECT_EQ(1, r.stored.FestivalInfoShowMuharramFlag);
    EXPECT_EQ(1, r.stored.ModernCalculateAncientFlag);
    EXPECT_EQ(6, r.stored.RFORMTransFlag);
    EXPECT_EQ(WindowMode::Topmost, r.window.windowMode);
    EXPECT_EQ(0, r.window.positionLocked);
}

TEST_F(SettingsStore, WithoutAnyMarkTheCloseWipesBothListsAndTheKey) {
    store("RFORMTransFlag", "3");
    writeRegistryText(LunarCommemorationKey, "0101", "生日");
    writeRegistryText(SolarCommemorationKey, "0501", "纪念");
    AppSettings s = load();
    ASSERT_EQ(0, s.stored.registryEnabled);
    saveOrWipeSettings(s, 10, 10);
    EXPECT_EQ("", readRegistryText(LunarCommemorationKey, "0101"));
    EXPECT_EQ("", readRegistryText(SolarCommemorationKey, "0501"));
    EXPECT_EQ("", readRegistryText(SettingsKey, "RFORMTransFlag"));
    // A key that still existed would take a new value without losing the old ones.
    writeRegistryText(SettingsKey, "Probe", "1");
    EXPECT_EQ("", readRegistryText(SettingsKey, "RFORMTransFlag"));
}

// Running this version once after another one must not cost the user a single day.
TEST_F(SettingsStore, AnotherVersionsDataSurvivesAStartAndAClose) {
    const struct {
        Mark mark;
        const char* version;
    } Cases[] = {
        {Mark::Text, "3.2"}, {Mark::Text, "3.4"}, {Mark::Text, "3.3 "},
        {Mark::Text, ""},    {Mark::Number, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.version);
        resetMemoryRegistry();
        if (c.mark == Mark::Text) store("Version", c.version);
        if (c.mark == Mark::Number) writeMemoryRegistryNumber(SettingsKey, "Version", 34);
        store("rFormLeft", "333");
        writeRegistryText(LunarCommemorationKey, "08-15", "1990生日");
        writeRegistryText(SolarCommemorationKey, "05-01", "2001纪念");
        AppSettings s = load();
        prepareStartDates(s, {2026, 12, 8});
        saveOrWipeSettings(s, 10, 10);
        EXPECT_EQ(c.mark == Mark::Text ? c.version : "", readRegistryText(SettingsKey, "Version"));
        EXPECT_TRUE(registryValueExists(SettingsKey, "Version"));
        EXPECT_EQ("333", readRegistryText(SettingsKey, "rFormLeft"));
        EXPECT_EQ("1990生日", readRegistryText(LunarCommemorationKey, "08-15"));
        EXPECT_EQ("2001纪念", readRegistryText(SolarCommemorationKey, "05-01"));
        EXPECT_FALSE(registryValueExists(SettingsKey, "GanZhiFromLichunFlag"));  // nothing written
    }
}

TEST(LeadingNumber, ReadsAsFarAsTheNumberGoes) {
    const struct {
        const char* text;
        double value;
    } Cases[] = {
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {" -3.5", -3.5},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1e", 1},  // exponent without digits is not part of the number
        {"2E-1x", 0.2},
        {"-", 0},
        {".", 0},
        {"0x10", 0},  // no hexadecimal
        {"inf", 0},
        {"nan", 0},
        {"1e999", HUGE_VAL},
        {"-1e999", -HUGE_VAL},
        {"1e-999", 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value, leadingNumber(c.text));
    }
}

TEST(RoundedClamp, RoundsHalfToEvenInsideTheRange) {
    const struct {
        double value;
        int expected;
    } Cases[] = {
        {4200.5, 4200}, {4201.5, 4202}, {4199.9, 4200}, {10000.4, 10000},
        {1e300, 10000}, {-1e300, 4200}, {NAN, 4200},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.expected, roundedClamp(c.value, 4200, 10000));
    }
}

}  // namespace
}  // namespace tavomerix
