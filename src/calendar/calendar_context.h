#pragma once

namespace tavomerix {

// How solar terms, new moons and lunar years are reckoned.
enum class Regime {
    // The reckoning officially used at the time for 104 BC..AD 1886 (in UTC+8 only), modern
    // astronomy for every other date.
    Historical,
    // Modern astronomy for every date.
    Modern,
};

// Which solver computes the instants of terms and moon phases: the fast path (Newton steps
// on the fast series), or the plain series and the secant solver that the fast path is
// checked against. Both give the same days; instants agree within 1e-7 days.
enum class Engine { Fast, Reference };

// Time zones a calendar can be reckoned in, hours east of Greenwich.
constexpr int MinTimeZoneHours = -12;
constexpr int MaxTimeZoneHours = 12;
// The only zone the historical reckoning applies in: other zones use modern astronomy.
constexpr int HistoricalTimeZoneHours = 8;

// Everything a calendar result depends on besides the date: a small value handed to every
// operation that needs it, compared by value.
struct CalendarContext {
    int timeZoneHours = HistoricalTimeZoneHours;  // -12..12; local days begin at local midnight
    Regime regime = Regime::Historical;
    Engine engine = Engine::Fast;

    // True when modern astronomy serves every date: the Modern regime, or a zone other than 8.
    constexpr bool modernAstronomy() const {
        return regime == Regime::Modern || timeZoneHours != HistoricalTimeZoneHours;
    }
    // The time zone as a fraction of a day.
    constexpr double zoneDays() const { return timeZoneHours / 24.0; }

    friend constexpr bool operator==(const CalendarContext&, const CalendarContext&) = default;
};

// The context as it takes effect: the zone clamped to -12..12, and the Modern regime where
// the zone is not 8. Contexts with the same effective context give the same results.
constexpr CalendarContext effectiveContext(CalendarContext context) {
    if (context.timeZoneHours < MinTimeZoneHours) context.timeZoneHours = MinTimeZoneHours;
    if (context.timeZoneHours > MaxTimeZoneHours) context.timeZoneHours = MaxTimeZoneHours;
    if (context.modernAstronomy()) context.regime = Regime::Modern;
    return context;
}

}  // namespace tavomerix
