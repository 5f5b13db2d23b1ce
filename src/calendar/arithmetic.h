#pragma once

#include <cmath>

namespace tavomerix {

// Quotient rounded toward minus infinity; b > 0.
constexpr int floorDiv(int a, int b) { return a / b - ((a % b != 0) && (a < 0) ? 1 : 0); }

// Remainder in [0, b); b > 0.
constexpr int floorMod(int a, int b) { return a - b * floorDiv(a, b); }

// Quotient rounded toward zero (C++'s own division, named at the call site).
constexpr int truncDiv(int a, int b) { return a / b; }

// Floor of a double as an int; the value must lie within int's range.
inline int floorToInt(double x) { return static_cast<int>(std::floor(x)); }

}  // namespace tavomerix
