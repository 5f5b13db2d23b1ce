#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "astro/historical_reckoning.h"

namespace tavomerix {
namespace {

// A day whose term instant is moved: sign +1 to the start of day + days, sign -1 to the
// last second of day - days.
struct TermDayCorrection {
    int day;
    int sign;
    int days;
};

// Sorted by day. The 冬至 of -104 is moved to the epoch of the first historical era.
constexpr TermDayCorrection TermDayCorrections[] = {
    {1683429, +1, 2},
};

constexpr bool strictlyIncreasing() {
    for (std::size_t i = 1; i < std::size(TermDayCorrections); ++i) {
        if (TermDayCorrections[i - 1].day >= TermDayCorrections[i].day) return false;
    }
    return true;
}
static_assert(strictlyIncreasing());

constexpr double OneSecondDays = 0.000011574;

}  // namespace

double applyTermDayCorrection(double t) {
    if (!(t >= INT_MIN && t < INT_MAX)) return t;
    const int day = static_cast<int>(std::floor(t));
    const auto* it = std::lower_bound(std::begin(TermDayCorrections), std::end(TermDayCorrections), day,
                                      [](const TermDayCorrection& c, int d) { return c.day < d; });
    if (it == std::end(TermDayCorrections) || it->day != day) return t;
    if (it->sign > 0) return day + it->days;
    return day - it->days + 1 - OneSecondDays;
}

}  // namespace tavomerix
