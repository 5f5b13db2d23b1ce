#include "app/commemoration_store.h"

#include "app/registry.h"

namespace tavomerix {
namespace {

constexpr std::size_t StartYearBytes = 4;
constexpr int MaxStartYear = 9999;

}  // namespace

std::string_view commemorationKey(CommemorationKind kind) {
    return kind == CommemorationKind::Lunar ? LunarCommemorationKey : SolarCommemorationKey;
}

void deleteCommemorationDays() {
    deleteRegistryKey(LunarCommemorationKey);
    deleteRegistryKey(SolarCommemorationKey);
}

std::string readCommemorationEntry(CommemorationKind kind, int month, int day) {
    const std::string valueName = commemorationValueName(kind, month, day);
    if (valueName.empty()) return "";
    return readRegistryText(commemorationKey(kind), valueName);
}

bool writeCommemorationEntry(CommemorationKind kind, int month, int day, int startYear,
                             std::string_view name) {
    const std::string valueName = commemorationValueName(kind, month, day);
    const std::string clipped = commemorationShownName(name);
    if (valueName.empty() || startYear < 0 || startYear > MaxStartYear || clipped.empty()) {
        return false;
    }
    std::string text = std::to_string(startYear);
    text.insert(0, StartYearBytes - text.size(), '0');
    writeRegistryText(commemorationKey(kind), valueName, text + clipped);
    return true;
}

CommemorationDays readCommemorationDays() {
    CommemorationDays days;
    for (const CommemorationKind kind : {CommemorationKind::Lunar, CommemorationKind::Solar}) {
        for (const RegistryValue& value : readRegistryValues(commemorationKey(kind))) {
            int month = 0, day = 0;
            if (parseCommemorationValueName(kind, value.name, month, day)) {
                days.set(kind, month, day, value.text);
            }
        }
    }
    return days;
}

}  // namespace tavomerix
