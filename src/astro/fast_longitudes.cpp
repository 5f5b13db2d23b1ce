#include "astro/fast_longitudes.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "astro/lunar_position.h"
#include "astro/lunar_tables.h"
#include "astro/nutation_tables.h"
#include "astro/solar_motion_tables.h"
#include "astro/solar_position.h"
#include "astro/time_scales.h"
#include "astro/vsop87d_earth_tables.h"

// The round-to-nearest shift, the compensated sums and the threshold comparisons of the
// engine need every double operation rounded to double (SSE2 on 32-bit x86, not x87).
// Wider vectors where the processor has them: x86-64 builds with GCC or clang, except
// for Windows, where GCC keeps the stack aligned to 16 bytes only and may spill 256-bit
// registers with aligned moves (GCC bug 54412).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define TAVOMERIX_WIDE_VECTORS 1
#else
#define TAVOMERIX_WIDE_VECTORS 0
#endif

static_assert(FLT_EVAL_METHOD == 0,
              "build with double evaluation: -msse2 -mfpmath=sse on 32-bit x86");

namespace tavomerix {
namespace {

// The bits of a value as another type of the same size: std::bit_cast, which the libc++
// of the WebAssembly toolchain lacks.
template <typename To, typename From>
To bitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    return __builtin_bit_cast(To, from);
}

constexpr double DaysPerMillennium = 365250;
constexpr double DaysPerCentury = 36525;

// Round-to-nearest shift: adding it leaves the nearest integer in the low mantissa bits.
constexpr double RoundShift = 0x1.8p52;
constexpr double TwoOverPi = 0.636619772367581343075535053490057448;
// pi/2 in three parts (29 and 27 significant bits, then the rest): k times either of the
// first two is exact for |k| < 2^24.
constexpr double HalfPi1 = 0x1921FB54p-28;
constexpr double HalfPi2 = 0x442D184p-56;
constexpr double HalfPi3 = 0x69898CC51701B839A2p-128;

// Reciprocal factorials of the Taylor polynomials.
constexpr double inverseFactorial(int n) {
    double f = 1;
    for (int i = 2; i <= n; ++i) f *= i;
    return 1 / f;
}

// sin r and cos r for |r| <= pi/4; the first omitted terms are below 2e-18.
[[gnu::always_inline]] inline double sinOfReduced(double r) {
    const double r2 = r * r;
    // clang-format off
    const double p = ((((((( inverseFactorial(17) * r2
                           - inverseFactorial(15)) * r2
                          + inverseFactorial(13)) * r2
                         - inverseFactorial(11)) * r2
                        + inverseFactorial(9)) * r2
                       - inverseFactorial(7)) * r2
                      + inverseFactorial(5)) * r2
                     - inverseFactorial(3));
    // clang-format on
    return r + r * r2 * p;
}

[[gnu::always_inline]] inline double cosOfReduced(double r) {
    const double r2 = r * r;
    // clang-format off
    const double p = ((((((( inverseFactorial(16) * r2
                           - inverseFactorial(14)) * r2
                          + inverseFactorial(12)) * r2
                         - inverseFactorial(10)) * r2
                        + inverseFactorial(8)) * r2
                       - inverseFactorial(6)) * r2
                      + inverseFactorial(4)) * r2
                     - inverseFactorial(2));
    // clang-format on
    return 1 + r2 * p;
}

// ---- Earth series (VSOP87D), grouped by frequency --------------------------------------
//
// Of the 716 terms only some 215 frequencies differ, so A*cos(B + C*tau) is evaluated as
// (A cos B) cos(C tau) - (A sin B) sin(C tau) with one sine and cosine per frequency.

constexpr std::size_t termCount(std::span<const std::span<const PeriodicTerm>> series) {
    std::size_t n = 0;
    for (const auto& table : series) n += table.size();
    return n;
}

constexpr std::size_t EarthTermCount =
    termCount(EarthLongitude) + termCount(EarthLatitude) + termCount(EarthRadius);
constexpr std::size_t EarthSegmentCount =
    std::size(EarthLongitude) + std::size(EarthLatitude) + std::size(EarthRadius);

struct EarthSeries {
    std::array<double, EarthTermCount> cosineWeight{};  // A cos B
    std::array<double, EarthTermCount> sineWeight{};    // A sin B
    std::array<int, EarthTermCount> frequencyIndex{};
    std::array<double, EarthTermCount> frequencies{};  // distinct C, radians per millennium
    std::size_t frequencyCount = 0;
    std::array<std::size_t, EarthSegmentCount + 1> segmentStart{};  // L0..L5, B0..B4, R0..R5
};

EarthSeries buildEarthSeries() {
    EarthSeries e;
    std::size_t term = 0;
    std::size_t segment = 0;
    using Series = std::span<const std::span<const PeriodicTerm>>;
    for (const Series quantity :
         {Series(EarthLongitude), Series(EarthLatitude), Series(EarthRadius)}) {
        for (const std::span<const PeriodicTerm> table : quantity) {
            e.segmentStart[segment++] = term;
            for (const PeriodicTerm& t : table) {
                e.cosineWeight[term] = t.amplitude * std::cos(t.phase);
                e.sineWeight[term] = t.amplitude * std::sin(t.phase);
                std::size_t f = 0;
                while (f < e.frequencyCount && e.frequencies[f] != t.frequency) ++f;
                if (f == e.frequencyCount) e.frequencies[e.frequencyCount++] = t.frequency;
                e.frequencyIndex[term] = static_cast<int>(f);
                ++term;
            }
        }
    }
    e.segmentStart[segment] = term;
    return e;
}

const EarthSeries& earthSeries() {
    static const EarthSeries series = buildEarthSeries();
    return series;
}

// Heliocentric longitude and latitude (radians, not reduced) and radius (au).
struct EarthPosition {
    double longitude, latitude, radius;
};

EarthPosition earthPosition(double tau) {
    const EarthSeries& e = earthSeries();
    const std::size_t n = e.frequencyCount;
    std::array<double, EarthTermCount> argument, sine, cosine;
    for (std::size_t i = 0; i < n; ++i) argument[i] = e.frequencies[i] * tau;
    sinesAndCosines({argument.data(), n}, {sine.data(), n}, {cosine.data(), n});

    const auto segmentSum = [&](std::size_t segment) {
        double even = 0, odd = 0;
        std::size_t i = e.segmentStart[segment];
        const std::size_t end = e.segmentStart[segment + 1];
        for (; i + 1 < end; i += 2) {
            const int f0 = e.frequencyIndex[i], f1 = e.frequencyIndex[i + 1];
            even += e.cosineWeight[i] * cosine[f0] - e.sineWeight[i] * sine[f0];
            odd += e.cosineWeight[i + 1] * cosine[f1] - e.sineWeight[i + 1] * sine[f1];
        }
        if (i < end) {
            const int f = e.frequencyIndex[i];
            even += e.cosineWeight[i] * cosine[f] - e.sineWeight[i] * sine[f];
        }
        return even + odd;
    };
    // Sum over k of S_k * tau^k, Horner form from the highest power.
    const auto quantity = [&](std::size_t firstSegment, std::size_t powers) {
        double value = 0;
        for (std::size_t k = powers; k-- > 0;) value = value * tau + segmentSum(firstSegment + k);
        return value;
    };
    constexpr std::size_t LongitudePowers = std::size(EarthLongitude);
    constexpr std::size_t LatitudePowers = std::size(EarthLatitude);
    constexpr std::size_t RadiusPowers = std::size(EarthRadius);
    return {quantity(0, LongitudePowers), quantity(LongitudePowers, LatitudePowers),
            quantity(LongitudePowers + LatitudePowers, RadiusPowers)};
}

// Nutation in longitude in degrees (IAU 1980, first 40 terms); t in Julian centuries.
double nutationDegrees(double t) {
    const auto [d, m, mp, f, omega] = nutationArguments(t);
    constexpr std::size_t N = std::size(NutationTerms);
    std::array<double, N> argument, sine, cosine;
    for (std::size_t i = 0; i < N; ++i) {
        const NutationTerm& term = NutationTerms[i];
        argument[i] = DegreeInRadians *
                      (term.d * d + term.m * m + term.mp * mp + term.f * f + term.omega * omega);
    }
    sinesAndCosines(argument, sine, cosine);
    double sum = 0;  // 0.0001 arcseconds
    for (std::size_t i = 0; i < N; ++i)
        sum += (NutationTerms[i].s + NutationTerms[i].sDot * t) * sine[i] * 0.0001;
    return sum / 3600;
}

// Daily motion of the Sun in arcseconds per day; tau in Julian millennia.
double solarMotionArcseconds(double tau) {
    const double tauPower[4] = {1, tau, tau * tau, tau * tau * tau};
    constexpr std::size_t N = std::size(SolarMotionTerms);
    std::array<double, N> argument, sine, cosine;
    for (std::size_t i = 0; i < N; ++i)
        argument[i] =
            (SolarMotionTerms[i].phase + SolarMotionTerms[i].rate * tau) * DegreeInRadians;
    sinesAndCosines(argument, sine, cosine);
    double motion = SolarMeanMotionArcseconds;
    for (std::size_t i = 0; i < N; ++i)
        motion += SolarMotionTerms[i].coefficient * tauPower[SolarMotionTerms[i].power] * sine[i];
    return motion;
}

// The Sun's longitude without nutation (degrees, not reduced) and its daily motion.
struct SolarParts {
    double degreesWithoutNutation;
    double aberrationDegrees;
    double degreesPerDay;
};

SolarParts solarParts(double jde) {
    const double t = (jde - J2000) / DaysPerCentury;
    const double tau = (jde - J2000) / DaysPerMillennium;
    const EarthPosition earth = earthPosition(tau);
    const double geometric = (normalizeRadians(earth.longitude) + AstroPi) / DegreeInRadians;
    const double frame = fk5LongitudeCorrection(geometric, normalizeRadians(earth.latitude), t);
    const double motion = solarMotionArcseconds(tau);
    return {geometric + frame, aberrationOfMotion(earth.radius, motion), motion / 3600};
}

// One periodic sum S_k of the Moon's longitude in arcseconds and its rate in arcseconds
// per Julian century.
struct LunarSum {
    double arcseconds;
    double arcsecondsPerCentury;
};

// Moon's longitude without nutation (degrees in [0, 360)) and its daily rate.
LongitudeAndRate lunarLongitudeWithoutNutation(double jde) {
    const double t = (jde - J2000) / DaysPerCentury;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    constexpr std::size_t N0 = std::size(LunarTerms0), N1 = std::size(LunarTerms1),
                          N2 = std::size(LunarTerms2), N = N0 + N1 + N2;
    std::array<double, N> argument, rate, sine, cosine;
    std::size_t i = 0;
    using Table = std::span<const LunarTerm>;
    for (const Table table : {Table(LunarTerms0), Table(LunarTerms1), Table(LunarTerms2)}) {
        for (const LunarTerm& term : table) {
            argument[i] =
                term.phase + term.rate * t + term.rate2 * t2 + term.rate3 * t3 + term.rate4 * t4;
            rate[i] = term.rate + 2 * term.rate2 * t + 3 * term.rate3 * t2 + 4 * term.rate4 * t3;
            ++i;
        }
    }
    sinesAndCosines(argument, sine, cosine);
    // S_k and dS_k/dT in table order.
    const auto sums = [&](const auto& table, std::size_t first) {
        double s = 0, ds = 0;
        for (std::size_t j = 0; j < std::size(table); ++j) {
            s += table[j].amplitude * sine[first + j];
            ds += table[j].amplitude * cosine[first + j] * rate[first + j];
        }
        return LunarSum{s, ds};
    };
    const LunarSum s0 = sums(LunarTerms0, 0);
    const LunarSum s1 = sums(LunarTerms1, N0);
    const LunarSum s2 = sums(LunarTerms2, N0 + N1);
    const double periodic = (s0.arcseconds + s1.arcseconds * t + s2.arcseconds * t2) / 3600 *
                            DegreeInRadians;  // radians
    const double periodicRate =
        (s0.arcsecondsPerCentury + s1.arcseconds + s1.arcsecondsPerCentury * t +
         2 * s2.arcseconds * t + s2.arcsecondsPerCentury * t2) /
        3600 * DegreeInRadians;
    const double mean = lunarMeanLongitude(t);
    const double meanRate = lunarMeanLongitudeRate(t);
    const double lambda = normalizeRadians(periodic + mean) / DegreeInRadians;
    // General precession: about 50288 arcseconds per millennium.
    const double precessionRate = PrecessionCoefficients[0] / 3600 / DaysPerMillennium;
    return {normalizeDegrees(lambda + generalPrecession(jde)),
            (periodicRate + meanRate) / DegreeInRadians / DaysPerCentury + precessionRate};
}

// ---- Rough series: the largest terms only, for the solver's starting points -------------
//
// The terms of power k of the Earth's longitude and radius whose amplitude reaches a
// threshold / 5^k (the higher powers count as tau grows), the first nutation terms and the
// lunar terms from a threshold up. For the Sun within about 1e-3 degrees of the fast series
// near J2000, a little more millennia away; the elongation, twelve times faster, makes do
// with coarser terms (a few 1e-3 degrees are 1e-4 days of its motion).

constexpr double RoughSolarEarthAmplitude = 3e-6;  // radians, au
constexpr double RoughElongationEarthAmplitude = 1e-5;
constexpr double RoughLunarArcseconds = 3;
constexpr std::size_t RoughNutationTerms = 2;

struct RoughTerm {
    double amplitude, phase, frequency;
    int power;
    bool radius;  // a term of the radius, else of the longitude
};

// Room for the rough Earth terms (66 for the Sun, 37 for the elongation).
constexpr std::size_t RoughEarthCapacity = 96;

struct RoughSeries {
    std::array<RoughTerm, RoughEarthCapacity> earth{};
    std::size_t earthCount = 0;
    std::array<LunarTerm, std::size(LunarTerms0) + std::size(LunarTerms1)> lunar{};
    std::array<int, std::size(LunarTerms0) + std::size(LunarTerms1)> lunarPower{};
    std::size_t lunarCount = 0;
};

RoughSeries buildRoughSeries(double earthAmplitude) {
    RoughSeries r;
    const auto keep = [&](std::span<const std::span<const PeriodicTerm>> series, bool radius) {
        double threshold = earthAmplitude;
        for (std::size_t k = 0; k < series.size(); ++k, threshold /= 5) {
            for (const PeriodicTerm& t : series[k]) {
                if (std::fabs(t.amplitude) >= threshold && r.earthCount < RoughEarthCapacity)
                    r.earth[r.earthCount++] = {t.amplitude, t.phase, t.frequency,
                                               static_cast<int>(k), radius};
            }
        }
    };
    keep(EarthLongitude, false);
    keep(EarthRadius, true);
    for (const LunarTerm& t : LunarTerms0) {
        if (std::fabs(t.amplitude) >= RoughLunarArcseconds) {
            r.lunarPower[r.lunarCount] = 0;
            r.lunar[r.lunarCount++] = t;
        }
    }
    for (const LunarTerm& t : LunarTerms1) {
        if (std::fabs(t.amplitude) >= RoughLunarArcseconds / 10) {
            r.lunarPower[r.lunarCount] = 1;
            r.lunar[r.lunarCount++] = t;
        }
    }
    return r;
}

const RoughSeries& roughSolarSeries() {
    static const RoughSeries series = buildRoughSeries(RoughSolarEarthAmplitude);
    return series;
}

const RoughSeries& roughElongationSeries() {
    static const RoughSeries series = buildRoughSeries(RoughElongationEarthAmplitude);
    return series;
}

// The Sun's geometric longitude plus the frame constant and the aberration (degrees, not
// reduced) and its daily motion, from the rough terms.
LongitudeAndRate roughSolarWithoutNutation(double jde, const RoughSeries& r) {
    const double tau = (jde - J2000) / DaysPerMillennium;
    double tauPower[6] = {1, tau, 0, 0, 0, 0};
    for (int k = 2; k < 6; ++k) tauPower[k] = tauPower[k - 1] * tau;
    std::array<double, RoughEarthCapacity> argument{}, sine, cosine;
    const std::size_t n = r.earthCount;
    for (std::size_t i = 0; i < n; ++i) argument[i] = r.earth[i].phase + r.earth[i].frequency * tau;
    sinesAndCosines({argument.data(), n}, {sine.data(), n}, {cosine.data(), n});
    double longitude = 0, rate = 0, radius = 0;  // radians, radians per millennium, au
    for (std::size_t i = 0; i < n; ++i) {
        const RoughTerm& t = r.earth[i];
        const double value = t.amplitude * cosine[i] * tauPower[t.power];
        if (t.radius) {
            radius += value;
            continue;
        }
        longitude += value;
        rate -= t.amplitude * t.frequency * sine[i] * tauPower[t.power];
        if (t.power > 0) rate += t.power * t.amplitude * cosine[i] * tauPower[t.power - 1];
    }
    const double degreesPerDay = rate / DaysPerMillennium / DegreeInRadians;
    const double geometric = (longitude + AstroPi) / DegreeInRadians;
    return {geometric + Fk5LongitudeOffsetArcseconds / 3600 -
                LightTimeDaysPerAu * radius * degreesPerDay,
            degreesPerDay};
}

// The first nutation terms in longitude, degrees; t in Julian centuries.
double roughNutationDegrees(double t) {
    const auto [d, m, mp, f, omega] = nutationArguments(t);
    double sum = 0;  // 0.0001 arcseconds
    for (std::size_t i = 0; i < RoughNutationTerms; ++i) {
        const NutationTerm& term = NutationTerms[i];
        sum += (term.s + term.sDot * t) *
               std::sin(DegreeInRadians *
                        (term.d * d + term.m * m + term.mp * mp + term.f * f + term.omega * omega));
    }
    return sum * 0.0001 / 3600;
}

// The reduction and the polynomials of sinesAndCosines over n values. Each value goes
// through the same operations in the same order whatever the vector width the compiler
// picks, and nothing is contracted to a fused multiply-add, so every instantiation gives
// the same bits.
[[gnu::always_inline]] inline void sinesAndCosinesLoopBody(const double* in, double* sinOut,
                                                           double* cosOut, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const double shifted = in[i] * TwoOverPi + RoundShift;
        const double k = shifted - RoundShift;  // nearest integer to x / (pi/2)
        const std::uint64_t quadrant = bitCast<std::uint64_t>(shifted);  // k mod 4 in bits 0-1
        const double r = ((in[i] - k * HalfPi1) - k * HalfPi2) - k * HalfPi3;  // [-pi/4, pi/4]
        const std::uint64_t s = bitCast<std::uint64_t>(sinOfReduced(r));
        const std::uint64_t c = bitCast<std::uint64_t>(cosOfReduced(r));
        // sin(r + k pi/2) is sin r, cos r, -sin r, -cos r for k mod 4 = 0..3; the cosine
        // is the sine a quadrant on.
        const std::uint64_t odd = 0 - (quadrant & 1);  // all ones when k is odd
        const std::uint64_t sinSign = (quadrant & 2) << 62;
        const std::uint64_t cosSign = ((quadrant + 1) & 2) << 62;
        sinOut[i] = bitCast<double>(((s & ~odd) | (c & odd)) ^ sinSign);
        cosOut[i] = bitCast<double>(((c & ~odd) | (s & odd)) ^ cosSign);
    }
}

void sinesAndCosinesPortable(const double* in, double* sinOut, double* cosOut, std::size_t n) {
    sinesAndCosinesLoopBody(in, sinOut, cosOut, n);
}

#if TAVOMERIX_WIDE_VECTORS
// The same loop in 256-bit registers (four values at a time, no FMA).
__attribute__((target("avx2"))) void sinesAndCosinesAvx2(const double* in, double* sinOut,
                                                         double* cosOut, std::size_t n) {
    sinesAndCosinesLoopBody(in, sinOut, cosOut, n);
}

// And in 512-bit registers, eight values at a time.
__attribute__((target("avx512f"))) void sinesAndCosinesAvx512(const double* in, double* sinOut,
                                                              double* cosOut, std::size_t n) {
    sinesAndCosinesLoopBody(in, sinOut, cosOut, n);
}
#endif

using SinesAndCosinesLoop = void (*)(const double*, double*, double*, std::size_t);

// The widest loop the processor runs, chosen once.
SinesAndCosinesLoop sinesAndCosinesLoop() {
#if TAVOMERIX_WIDE_VECTORS
    static const SinesAndCosinesLoop loop =
        __builtin_cpu_supports("avx512f") ? sinesAndCosinesAvx512
        : __builtin_cpu_supports("avx2")  ? sinesAndCosinesAvx2
                                          : sinesAndCosinesPortable;
    return loop;
#else
    return sinesAndCosinesPortable;
#endif
}

// Evaluations of the fast series on this thread: one instruction where thread-local
// storage is native; Windows builds, where it costs a call, do not count.
#if defined(_WIN32)
void countEvaluation() {}
std::uint64_t evaluationCount() { return 0; }
#else
thread_local std::uint64_t evaluations = 0;
void countEvaluation() { ++evaluations; }
std::uint64_t evaluationCount() { return evaluations; }
#endif

}  // namespace

void sinesAndCosines(std::span<const double> x, std::span<double> sines,
                     std::span<double> cosines) {
    sinesAndCosinesLoop()(x.data(), sines.data(), cosines.data(), x.size());
}

void sinesAndCosinesNarrow(std::span<const double> x, std::span<double> sines,
                           std::span<double> cosines) {
    sinesAndCosinesPortable(x.data(), sines.data(), cosines.data(), x.size());
}

bool wideSinesAndCosines() {
#if TAVOMERIX_WIDE_VECTORS
    return sinesAndCosinesLoop() != sinesAndCosinesPortable;
#else
    return false;
#endif
}

std::uint64_t fastSeriesEvaluations() { return evaluationCount(); }

LongitudeAndRate roughSolarLongitudeAndRate(double jde) {
    const LongitudeAndRate sun = roughSolarWithoutNutation(jde, roughSolarSeries());
    return {normalizeDegrees(sun.degrees + roughNutationDegrees((jde - J2000) / DaysPerCentury)),
            sun.degreesPerDay};
}

LongitudeAndRate roughLunarElongationAndRate(double jde) {
    const RoughSeries& r = roughElongationSeries();
    const double t = (jde - J2000) / DaysPerCentury;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const std::size_t n = r.lunarCount;
    std::array<double, std::size(LunarTerms0) + std::size(LunarTerms1)> argument{}, sine, cosine;
    for (std::size_t i = 0; i < n; ++i) {
        const LunarTerm& term = r.lunar[i];
        argument[i] =
            term.phase + term.rate * t + term.rate2 * t2 + term.rate3 * t3 + term.rate4 * t4;
    }
    sinesAndCosines({argument.data(), n}, {sine.data(), n}, {cosine.data(), n});
    double periodic = 0, periodicRate = 0;  // arcseconds, arcseconds per century
    for (std::size_t i = 0; i < n; ++i) {
        const LunarTerm& term = r.lunar[i];
        const double tPower = r.lunarPower[i] == 0 ? 1 : t;
        const double rate =
            term.rate + 2 * term.rate2 * t + 3 * term.rate3 * t2 + 4 * term.rate4 * t3;
        periodic += term.amplitude * sine[i] * tPower;
        periodicRate += term.amplitude * cosine[i] * rate * tPower;
        if (r.lunarPower[i] == 1) periodicRate += term.amplitude * sine[i];
    }
    const double mean = lunarMeanLongitude(t);
    const double meanRate = lunarMeanLongitudeRate(t);
    const double moon =
        (periodic / 3600 * DegreeInRadians + mean) / DegreeInRadians + generalPrecession(jde);
    const double moonRate =
        (periodicRate / 3600 * DegreeInRadians + meanRate) / DegreeInRadians / DaysPerCentury +
        PrecessionCoefficients[0] / 3600 / DaysPerMillennium;
    const LongitudeAndRate sun = roughSolarWithoutNutation(jde, r);
    return {normalizeDegrees(moon - sun.degrees), moonRate - sun.degreesPerDay};
}

LongitudeAndRate solarLongitudeAndRate(double jde) {
    countEvaluation();
    const SolarParts sun = solarParts(jde);
    const double nutation = nutationDegrees((jde - J2000) / DaysPerCentury);
    return {normalizeDegrees(sun.degreesWithoutNutation + nutation + sun.aberrationDegrees),
            sun.degreesPerDay};
}

LongitudeAndRate lunarElongationAndRate(double jde) {
    countEvaluation();
    const SolarParts sun = solarParts(jde);
    const LongitudeAndRate moon = lunarLongitudeWithoutNutation(jde);
    const double sunDegrees = normalizeDegrees(sun.degreesWithoutNutation + sun.aberrationDegrees);
    return {normalizeDegrees(moon.degrees - sunDegrees), moon.degreesPerDay - sun.degreesPerDay};
}

}  // namespace tavomerix
