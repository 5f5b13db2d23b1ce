#include "app/window_modes.h"

#include "app/main_window.h"

namespace tavomerix {

namespace {

constexpr int TransparencySteps = 10;
constexpr int TransparencyPerStep = 25;
constexpr int FirstSettableYear = 1980;
constexpr int LastSettableYear = 2099;

}  // namespace

ModeChange toggleTopmost(WindowMode mode) {
    switch (mode) {
        case WindowMode::Topmost:
            return {WindowMode::Normal, {WindowAction::TopmostOff}};
        case WindowMode::Embedded:
            return {WindowMode::Topmost, {WindowAction::EmbedOff, WindowAction::TopmostOn}};
        case WindowMode::Normal:
            break;
    }
    return {WindowMode::Topmost, {WindowAction::TopmostOn}};
}

ModeChange toggleEmbedded(WindowMode mode) {
    switch (mode) {
        case WindowMode::Topmost:
            return {WindowMode::Embedded, {WindowAction::TopmostOff, WindowAction::EmbedOn}};
        case WindowMode::Embedded:
            return {WindowMode::Normal, {WindowAction::EmbedOff}};
        case WindowMode::Normal:
            break;
    }
    return {WindowMode::Embedded, {WindowAction::EmbedOn}};
}

void toggleLock(AppSettings& settings) {
    settings.window.positionLocked = settings.window.positionLocked == 1 ? 0 : 1;
}

std::optional<int> chooseTransparency(AppSettings& settings, int step) {
    if (step < 0 || step >= TransparencySteps) return std::nullopt;
    settings.stored.RFORMTransFlag = step;
    return step * TransparencyPerStep;
}

bool rereadSystemDate(AppSettings& settings, const CivilDate& today) {
    AppSettings next = settings;
    next.window.selectedSolarDate = {today.year, today.month, today.day};
    if (!followSolarDate(next)) return false;
    settings = next;
    return true;
}

std::optional<CivilDate> systemDateToSet(const AppSettings& settings) {
    const SolarSelection& shown = settings.window.selectedSolarDate;
    if (shown.year < FirstSettableYear || shown.year > LastSettableYear) return std::nullopt;
    return CivilDate{shown.year, shown.month, shown.day};
}

}  // namespace tavomerix
