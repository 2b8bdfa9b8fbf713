#pragma once

#include <cstdint>

// Tolerant comparisons of percentages and coordinates. Every sum, range and coincidence test of
// the program goes through these, so that values that differ only by floating-point noise agree.
namespace futil {

// Absolute tolerance of every comparison below.
constexpr double kTolerance = 0.000001;

// b - 1e-6 < a < b + 1e-6 (both strict).
bool eq(double a, double b);
bool ne(double a, double b);
// a < b and not eq(a, b).
bool lt(double a, double b);
// a < b or eq(a, b).
bool le(double a, double b);
// a > b or eq(a, b).
bool ge(double a, double b);

// Rounds v in place to n decimals, half away from zero; a fraction short of one half by less than
// the tolerance counts as one half. Throws std::invalid_argument "futil::round" when n < 0.
void round(double& v, int32_t n);

} // namespace futil
