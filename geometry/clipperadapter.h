#pragma once

// The one place that knows the clipping library. Not included by any public header.

#include "geometry/polygon.h"

#include <polyclipping/clipper.hpp>

struct ClipPaths {
    ClipperLib::Paths paths;
};

namespace clipperadapter {

// Clipper works in integers; coordinates are scaled by this power of ten so that vertices with up
// to seven decimals are exact and shared edges of adjacent classes coincide exactly. At this
// scale the texture triangle stays within the clipper's fast 64-bit range.
constexpr double kScale = 1e7;

// The largest magnitude of a coordinate that scales into the clipper's integer range.
double Limit();

// True when every coordinate of p is finite and scales into the clipper's integer range.
bool FitsRange(const polygon& p);

ClipperLib::Path ToPath(const polygon& p);

// Puts every contour into canonical order: counter-clockwise (y up), starting at its lowest
// vertex (lowest x among equals), contours sorted by that vertex.
void Canonicalise(ClipperLib::Paths* paths);

// Runs op (ClipOperation) with even-odd filling; the result is canonical.
ClipperLib::Paths Execute(const ClipperLib::Paths& subject, const ClipperLib::Paths& clip, int op);

} // namespace clipperadapter
