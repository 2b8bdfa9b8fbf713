#pragma once

#include "scheme/soiltex.h"

#include <iosfwd>
#include <string_view>

// One axis's limits, in percent.
struct AxisRange {
    double min = 0;
    double max = 100;
};

// Reads "MIN:MAX", each a number within 0 to 100 (tolerance 1e-6); an empty side keeps its
// default (0 or 100). False for any other text; *range is then unchanged.
bool ParseAxisRange(std::string_view text, AxisRange* range);

// False, with "AXIS: Min value must be smaller than Max value" on err for the first axis (x, y,
// z) whose minimum is not below its maximum.
bool CheckRangeOrder(const soiltex& scheme, const AxisRange& x, const AxisRange& y,
                     const AxisRange& z, std::ostream& err);

// Writes the count text, the names of the classes the range overlaps one a line, and the
// vertices of the range polygon one a line ("(x,\ty,\tz)"), or "{ fail }" when the ranges enclose
// no part of the triangle; returns 0, or 1 for "{ fail }". A minimum not below its maximum (tested
// x, y, z) gives "AXIS: Min value must be smaller than Max value" on err and 1.
int RunRange(const soiltex& scheme, const AxisRange& x, const AxisRange& y, const AxisRange& z,
             std::ostream& out, std::ostream& err);
