#include "chinese/year_events.h"

#include <algorithm>
#include <cmath>

#include "astro/historical_reckoning.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"
#include "chinese/phase_days.h"

namespace tavomerix {

namespace {

// Days from one term or phase of a kind to the day its successor is searched from: far
// enough to pass it, close enough (terms are 14 to 16, phases 29 or 30 days apart) not
// to miss the next.
constexpr int SearchStepDays = 10;

}  // namespace

std::vector<TermEvent> termsOfYear(const LunarCalendar& calendar, int year) {
    std::vector<TermEvent> terms;
    const CalendarContext& context = calendar.context();
    const int firstDay = julianDayNumber(year, 1, 1);
    if (firstDay == InvalidDayNumber) return terms;
    const int count = solarTermCount(context, year);
    const int first = nextTermNumber(context, firstDay);
    terms.reserve(static_cast<std::size_t>(count));
    // The first search starts a few days before the year's first term.
    double t = nextTermInstant(context, firstDay, TermKind::Any) - 15;
    for (int i = 1; i <= count; ++i) {
        t = nextTermInstant(context, floorToInt(t) + SearchStepDays, TermKind::Any);
        terms.push_back({t, (first + i - 2) % 24 + 1});
    }
    return terms;
}

std::vector<PhaseEvent> moonPhasesOfYear(const LunarCalendar& calendar, int year) {
    std::vector<PhaseEvent> phases;
    const CalendarContext& context = calendar.context();
    const int firstDay = julianDayNumber(year, 1, 1);
    if (firstDay == InvalidDayNumber) return phases;
    for (const MoonPhase phase : {MoonPhase::New, MoonPhase::Full}) {
        const int count =
            phase == MoonPhase::New ? newMoonCount(context, year) : fullMoonCount(context, year);
        double t = nextPhaseInstant(context, firstDay, phase) - 15;
        for (int i = 1; i <= count; ++i) {
            t = nextPhaseInstant(context, floorToInt(t) + SearchStepDays, phase);
            phases.push_back({t, phase});
        }
    }
    std::sort(phases.begin(), phases.end(),
              [](const PhaseEvent& a, const PhaseEvent& b) { return a.instant < b.instant; });
    return phases;
}

std::optional<NearMidnightNewMoon> newMoonNearMidnight(const LunarCalendar& calendar,
                                                       int firstDay) {
    const double instant = nextPhaseInstant(calendar.context(), firstDay, MoonPhase::New);
    if (std::floor(instant) != firstDay || isMovedNewMoon(instant)) return std::nullopt;
    double seconds = (instant - firstDay) * 86400;
    if (seconds > 43200) seconds -= 86400;
    if (std::fabs(seconds) > NearMidnightSeconds) return std::nullopt;
    return NearMidnightNewMoon{instant, static_cast<int>(std::floor(seconds))};
}

}  // namespace tavomerix
