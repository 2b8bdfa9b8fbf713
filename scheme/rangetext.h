#pragma once

#include "geometry/polygon.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// The texts of a range lookup's results, shared by the Range Lookup page and the batch tool.

// "0 texture class", "1 texture class", "2 texture classes".
std::string RangeCountText(std::size_t count);

// The first axis (0 x, 1 y, 2 z) whose minimum is not below its maximum within the comparison
// tolerance, or -1 when every range is in order.
int FirstUnorderedAxis(const std::array<double, 3>& mins, const std::array<double, 3>& maxs);

// "AXIS: Min value must be smaller than Max value".
std::string RangeOrderMessage(const std::string& axisName);

// One line per vertex of the range polygon, "(x,\ty,\tz)" with two decimals, z = 100 - x - y
// and never below 0; no line end. No vertex gives no line (the caller shows "{ fail }").
std::vector<std::string> RangeCoordinateLines(const polygon& range);
