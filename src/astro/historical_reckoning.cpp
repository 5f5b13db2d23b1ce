#include "astro/historical_reckoning.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "astro/new_moon_corrections.h"
#include "astro/solar_terms.h"
#include "astro/time_scales.h"
#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {

namespace {

constexpr TermEra mean(int firstDay, int lastDay, double yearLengthDays, double epoch) {
    return {firstDay, lastDay, false, yearLengthDays, epoch, TrueSunModel::A};
}

constexpr TermEra trueSun(int firstDay, int lastDay, TrueSunModel model) {
    return {firstDay, lastDay, true, 0, 0, model};
}

// Year length and epoch (a mean 冬至) of each official calendar's mean terms, then the
// three true-Sun models of 1645 .. 1886. The first four days of every row are served as
// its fifth.
// clang-format off
constexpr TermEra TermEras[] = {
    mean(1683432, 1752098, 365 + 1.0 / 4,            TaichuEpochDay),                   // 1
    mean(1752099, 1807980, 365 + 1.0 / 4,            SifenEpochDay),
    mean(1807981, 1883585, 365 + 455.0 / 1843,       JingchuEpochDay),
    mean(1883586, 1907323, 365 + 75.0 / 304,         YuanjiaEpochDay - (365 + 75.0 / 304) / 6),
    mean(1907324, 1936543, 365 + 9589.0 / 39491,     DamingEpochDay),                   // 5
    mean(1936544, 1939099, 365 + 25063.0 / 102960,   KaihuangEpochDay),
    mean(1939100, 1947135, 365 + 10363.0 / 42640,    DayeEpochDay),
    mean(1947136, 1964332, 365 + 2315.0 / 9464,      WuyinEpochDay),
    mean(1964333, 1987312, 365 + 328.0 / 1340,       -96608689),
    mean(1987313, 1999365, 365 + 743.0 / 3040,       -35412747829.0),                   // 10
    mean(1999366, 2007400, 365 + 328.0 / 1340,       -96608689),
    mean(2007401, 2021279, 365 + 268.0 / 1095,       -145149709),
    mean(2021280, 2047212, 365 + 2055.0 / 8400,      -2580308749.0),
    mean(2047213, 2070222, 365 + 3301.0 / 13500,     -19701911689.0),
    mean(2070223, 2073144, 365 + 1760.4 / 7200,      -26550639529.0),                   // 15
    mean(2073145, 2080479, 365 + 2445.0 / 10002,     -1760435869),
    mean(2080480, 2087023, 365 + 720.0 / 2940,       -11153952409.0),
    mean(2087024, 2095059, 365 + 2470.0 / 10100,     -259609969),
    mean(2095060, 2110034, 365 + 2590.0 / 10590,     -35629828429.0),
    mean(2110035, 2111129, 365 + 9500.0 / 39000,     -257856109),                       // 20
    mean(2111130, 2114051, 365 + 2590.0 / 10590,     -35629828429.0),
    mean(2114052, 2120625, 365 + 5773.0 / 23700,     -30380699989.0),
    mean(2120626, 2123912, 365 + 2930.0 / 12030,     -2169182929.0),
    mean(2123913, 2125008, 365 + 6840.0 / 28080,     -9312230089.0),
    mean(2125009, 2135965, 365 + 1776.0 / 7290,      -10448760934.0),                   // 25
    mean(2135966, 2147653, 365 + 1688.0 / 6930,      -34422652789.0),
    mean(2147654, 2150940, 365 + 7308.0 / 30000,     -33470903029.0),
    mean(2150941, 2156054, 365 + 1374.0 / 5640,      -19144640089.0),
    mean(2156055, 2158976, 365 + 9432.0 / 38700,     -9309647509.0),
    mean(2158977, 2162264, 365 + 2910.0 / 12000,     758271.18),                        // 30
    mean(2162265, 2178334, 365 + 4108.0 / 16900,     -2864332609.0),
    mean(2178335, 2178699, 365 + 857.0 / 3530,       -43924711309.0),
    mean(2178700, 2185273, 365 + 2366.0 / 9740,      -4145566969.0),
    mean(2185274, 2187465, 365 + 1801.0 / 7420,      -26206955689.0),
    mean(2187466, 2188926, 365 + 1274.0 / 5230,      -32372914549.0),                   // 35
    mean(2188927, 2322133, 365.2425,                 2188926.06),
    trueSun(2322134, 2336118, TrueSunModel::A),
    trueSun(2336119, 2357303, TrueSunModel::B),
    trueSun(2357304, 2410263, TrueSunModel::C),                                         // 39
};
// clang-format on
static_assert(std::size(TermEras) == 39);
static_assert(TermEras[0].firstDay == FirstHistoricalTermDay);
static_assert(TermEras[38].lastDay == LastHistoricalTermDay);

// Parameters of a true-Sun model; angles in degrees.
struct TrueSunParameters {
    double epochSolstice;     // W0: a mean 冬至, LocalDayNumber
    int epochYear;            // civil year of W0
    double yearLengthDays;    // mean tropical year
    double meanMotionArcsec;  // mean motion of the Sun, arcseconds per day
    double perigeeAtEpoch;    // longitude of perigee counted from the 冬至 point
    double perigeePerYear;    // motion of perigee per year
    double perigeePerDay;     // further motion of perigee per day after the 冬至
};

// clang-format off
constexpr TrueSunParameters TrueSunModels[] = {
    {2315665.09375689487, 1628, 365.2421875,  3548.3304444, 5.9997222222, 0.0125,    0},
    {2336118.656374926,   1684, 365.2421875,  3548.3305169, 7.1697685185, 0.01699,   0.00004652},
    {2350363.12254,       1723, 365.24233442, 3548.3290897, 8.1256574074, 0.0174993, 0.00004791},
};
// clang-format on

// Eccentric circle of models A and B: the deferent radius and the radius of the small
// circle that carries the Sun.
constexpr double DeferentRadius = 10000000;
constexpr double EpicycleRadius = 2.0 * 268812 / 3;
// Ellipse of model C: twice the eccentricity on the deferent radius, and the semi-minor
// axis.
constexpr double EllipseFocalDistance = 2.0 * 169000;
constexpr double EllipseSemiMinorAxis = 9998571.85;

// Last second of a day, as a fraction of a day.
constexpr double LastSecondOfDay = 0.000011574;

double degreesOf(double radians) { return radians / DegreeInRadians; }

// Equation of centre of models A and B for mean anomaly m, degrees.
double epicycleEquation(double m) {
    const double alpha = m < 90 ? m : m < 180 ? 180 - m : m < 270 ? m - 180 : 360 - m;
    const double p = 2 * EpicycleRadius * std::sin(alpha * DegreeInRadians);
    const double q = EpicycleRadius * std::cos(alpha * DegreeInRadians);
    const double denominator = m >= 90 && m < 270 ? DeferentRadius + q : DeferentRadius - q;
    return degreesOf(std::atan(p / denominator));
}

// Equation of centre of model C for mean anomaly m, degrees: the angle at the empty focus
// plus the reduction from the ellipse to its circumscribed circle.
double ellipseEquation(double m) {
    const double alpha = m < 180 ? m : 360 - m;
    const double h = (180 - alpha) / 2;
    const double focalRatio =
        (2 * DeferentRadius - EllipseFocalDistance) / (2 * DeferentRadius + EllipseFocalDistance);
    const double focal = 2 * (h - degreesOf(std::atan(focalRatio * std::tan(h * DegreeInRadians))));
    double reduction =
        std::fabs(alpha - degreesOf(std::atan(std::tan(alpha * DegreeInRadians) * DeferentRadius /
                                              EllipseSemiMinorAxis)));
    reduction -= 180 * std::floor(reduction / 180);
    return m >= 90 && m < 270 ? focal - reduction : focal + reduction;
}

const TermEra* eraOf(int day) {
    if (day < FirstHistoricalTermDay || day > LastHistoricalTermDay) return nullptr;
    const auto after = std::upper_bound(std::begin(TermEras), std::end(TermEras), day,
                                        [](int d, const TermEra& e) { return d < e.firstDay; });
    return std::prev(after);
}

// The day an era row computes for: its first four days are served as the fifth.
int eraServedDay(const TermEra& era, int day) { return std::max(day, era.firstDay + 4); }

}  // namespace

std::span<const TermEra> termEras() { return TermEras; }

double meanTermAtOrAfter(int day, TermKind kind, double epoch, double yearLength) {
    const double step = kind == TermKind::Any ? yearLength / 24 : yearLength / 12;
    const double k = std::floor((day + 0.5 - epoch) / step);  // may exceed int's range
    const double t = applyTermDayCorrection(epoch + k * step);
    if (std::floor(t) >= day) return t;
    return applyTermDayCorrection(epoch + (k + 1) * step);
}

int meanTermNumber(int day, double epoch, double yearLength) {
    double q = std::floor(24 * (day + 0.5 - epoch) / yearLength);  // terms since the epoch
    const double t = applyTermDayCorrection(epoch + yearLength * q / 24);
    if (std::floor(t) < day) q += 1;
    const int k = static_cast<int>(q - 24 * std::floor(q / 24));  // [0, 23]
    return k == 0 ? 24 : k;
}

double historicalSolarLongitude(TrueSunModel model, double t) {
    const TrueSunParameters& s = TrueSunModels[static_cast<int>(model)];
    const int year = civilDateFromDayNumber(floorToInt(t)).year;
    const double yearsSinceEpoch = year - s.epochYear;
    const double w = s.epochSolstice + yearsSinceEpoch * s.yearLengthDays;  // 冬至 opening the year
    const double w1 = std::floor(w) + 1;
    const double meanFromSolstice =
        (w1 - w) * s.meanMotionArcsec / 3600 + (t - w1) * s.meanMotionArcsec / 3600;
    const double perigee =
        s.perigeeAtEpoch + s.perigeePerYear * yearsSinceEpoch + s.perigeePerDay * (t - w1);
    const double m = normalizeDegrees(meanFromSolstice - perigee);  // mean anomaly
    const double equation = model == TrueSunModel::C ? ellipseEquation(m) : epicycleEquation(m);
    const double trueFromSolstice =
        m < 180 ? meanFromSolstice + equation : meanFromSolstice - equation;
    return normalizeDegrees(trueFromSolstice + 270);
}

double historicalTermAtOrAfter(TrueSunModel model, int day, TermKind kind) {
    return interpolatedTermAtOrAfter([model](int d) { return historicalSolarLongitude(model, d); },
                                     day, kind == TermKind::Any ? 15.0 : 30.0);
}

int historicalTermNumber(TrueSunModel model, int day) {
    const double sixths = historicalSolarLongitude(model, day) / 15;  // [0, 24)
    const int k = sixths == std::floor(sixths) ? static_cast<int>(sixths)
                                               : static_cast<int>(std::floor(sixths)) + 1;
    return k + 6 > 24 ? k + 6 - 24 : k + 6;
}

double eraTermInstant(int day, TermKind kind) {
    const TermEra* era = eraOf(day);
    if (era == nullptr) return 0;
    const int served = eraServedDay(*era, day);
    if (era->trueSun) return historicalTermAtOrAfter(era->model, served, kind);
    return meanTermAtOrAfter(served, kind, era->epoch, era->yearLengthDays);
}

int eraTermNumber(int day) {
    const TermEra* era = eraOf(day);
    if (era == nullptr) return 0;
    const int served = eraServedDay(*era, day);
    if (era->trueSun) return historicalTermNumber(era->model, served);
    return meanTermNumber(served, era->epoch, era->yearLengthDays);
}

double adjustReckonedNewMoon(double t, double threshold) {
    const int day = floorToInt(t);
    if (std::binary_search(std::begin(NewMoonKeptDays), std::end(NewMoonKeptDays), day)) return t;
    if (threshold > 0 && t - day > threshold) return day + 1;
    const auto it = std::lower_bound(std::begin(NewMoonDayShifts), std::end(NewMoonDayShifts), day,
                                     [](const NewMoonDayShift& e, int d) { return e.day < d; });
    if (it == std::end(NewMoonDayShifts) || it->day != day) return t;
    return it->shift > 0 ? day + 1 : day - LastSecondOfDay;
}

bool isMovedNewMoon(double t) {
    const double day = std::floor(t);
    return t == day || t == day + 1 - LastSecondOfDay;
}

double nextNewMoonReckoned(const CalendarContext& context, int day, double threshold) {
    const auto conjunction = [&](double from) {
        return localDayNumber(
            solveCrossing(context, from, 0.0, CrossingMode::LunarPhase, threshold),
            context.timeZoneHours);
    };
    const double t = adjustReckonedNewMoon(conjunction(day - 10), threshold);
    if (std::floor(t) >= day) return t;
    return adjustReckonedNewMoon(conjunction(t + 20), threshold);
}

}  // namespace tavomerix
