// Arbitrary registry contents under the settings key, as text or as numbers: loading never
// fails loudly and gives settings within their ranges, and the close never deletes another
// version's data nor writes anything without the permission mark.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/commemoration_store.h"
#include "app/registry.h"
#include "app/settings_store.h"

namespace {

constexpr std::string_view ValueNames[] = {
    "Version",
    "NowTimeZoneCodeFlag",
    "GanZhiFromLichunFlag",
    "LunarYearShowDynastyFlag",
    "RFORMTransFlag",
    "SolarYearAreaValue",
    "FestivalInfoShowMuharramFlag",
    "ModernCalculateAncientFlag",
};

}  // namespace

// Input: records of one byte (value name index and type) and a text up to a NUL byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavomerix;
    resetMemoryRegistry();
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const auto head = static_cast<std::uint8_t>(rest.front());
        rest.remove_prefix(1);
        const std::size_t end = rest.find('\0');
        const std::string_view text = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const std::string_view name = ValueNames[head % std::size(ValueNames)];
        if ((head & 0x80) != 0) {
            writeMemoryRegistryNumber(SettingsKey, name, static_cast<unsigned>(text.size()));
        } else {
            writeRegistryText(SettingsKey, name, text);
        }
    }
    writeRegistryText(LunarCommemorationKey, "08-15", "1990生日");

    AppSettings settings;
    loadSettings(settings);
    const StoredSettings& s = settings.stored;
    if (s.TimeZoneHours < MinTimeZoneHours || s.TimeZoneHours > MaxTimeZoneHours) __builtin_trap();
    if (s.RFORMTransFlag < 0 || s.RFORMTransFlag > 9) __builtin_trap();
    if (s.SolarYearAreaValue < 4200 || s.SolarYearAreaValue > 10000) __builtin_trap();
    for (const int flag : {s.GanZhiFromLichunFlag, s.LunarYearShowDynastyFlag,
                           s.FestivalInfoShowMuharramFlag, s.ModernCalculateAncientFlag}) {
        if (flag != 0 && flag != 1) __builtin_trap();
    }
    const bool hasMark = registryValueExists(SettingsKey, "Version");
    if (s.registryEnabled == 1 && readRegistryText(SettingsKey, "Version") != PermissionMark)
        __builtin_trap();
    if (s.otherVersionData != (hasMark && s.registryEnabled == 0 ? 1 : 0)) __builtin_trap();

    prepareStartDates(settings, {2026, 12, 8});
    saveOrWipeSettings(settings, 1, 2);
    const bool daysKept = readRegistryText(LunarCommemorationKey, "08-15") == "1990生日";
    if (s.otherVersionData == 1 && !daysKept) __builtin_trap();
    if (!hasMark && (daysKept || registryValueExists(SettingsKey, "Version"))) __builtin_trap();
    return 0;
}
