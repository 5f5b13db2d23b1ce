#pragma once

#include <iterator>

namespace tavomerix {

// One term of the daily motion of the Sun: coefficient*tau^power*sin(phase + rate*tau),
// coefficient in arcseconds per day, phase in degrees, rate in degrees per millennium.
struct MotionTerm {
    double coefficient;
    int power;
    double phase;
    double rate;
};

// Daily variation of the Sun's longitude (VSOP87-based), in the order the terms are added.
inline constexpr MotionTerm SolarMotionTerms[] = {
    {118.568, 0, 87.5287, 359993.7286}, {2.476, 0, 85.0561, 719987.4571},
    {1.376, 0, 27.8502, 4452671.1152},  {0.119, 0, 73.1375, 450368.8564},
    {0.114, 0, 337.2264, 329644.6718},  {0.086, 0, 222.54, 659289.3436},
    {0.078, 0, 162.8136, 9224659.7915}, {0.054, 0, 82.5823, 1079981.1857},
    {0.052, 0, 171.5189, 225184.4282},  {0.034, 0, 30.3214, 4092677.3866},
    {0.033, 0, 119.8105, 337181.4711},  {0.023, 0, 247.5418, 299295.6151},
    {0.023, 0, 325.1526, 315559.556},   {0.021, 0, 155.1241, 675553.2846},
    {7.311, 1, 333.4515, 359993.7286},  {0.305, 1, 330.9814, 719987.4571},
    {0.010, 1, 328.517, 1079981.1857},  {0.309, 2, 241.4518, 359993.7286},
    {0.021, 2, 205.0482, 719987.4571},  {0.004, 2, 297.861, 4452671.1152},
    {0.010, 3, 154.7066, 359993.7286},
};
static_assert(std::size(SolarMotionTerms) == 21);

// Mean daily motion of the Sun, arcseconds per day: the constant of that series.
inline constexpr double SolarMeanMotionArcseconds = 3548.193;

}  // namespace tavomerix
