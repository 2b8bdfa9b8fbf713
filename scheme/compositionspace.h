#pragma once

#include "geometry/point.h"

#include <algorithm>
#include <cmath>

// Lengths between compositions. A move (dx, dy) in the (x, y) plane changes z by -(dx + dy), so
// its length in percentage points of composition is sqrt(dx^2 + dy^2 + (dx + dy)^2).
namespace compositionspace {

inline double Length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy + (dx + dy) * (dx + dy));
}

// The point in coordinates where plain Euclidean length is Length: (sqrt 2 (x + y / 2),
// sqrt 1.5 y). There a normal error of equal deviation on each fraction is round.
inline point Flatten(const point& p) {
    return {std::sqrt(2.0) * (p.x + 0.5 * p.y), std::sqrt(1.5) * p.y};
}

// The inverse of Flatten.
inline point Unflatten(const point& f) {
    const double y = f.y / std::sqrt(1.5);
    return {f.x / std::sqrt(2.0) - 0.5 * y, y};
}

// Plain Euclidean distance from p to the segment from a to b.
inline double SegmentDistance(const point& p, const point& a, const point& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

} // namespace compositionspace
