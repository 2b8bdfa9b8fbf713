#pragma once

// A vertex or composition point in the (x, y) plane, in percent.
struct point {
    double x;
    double y;
};

// Exact equality, as for vertices read from files or produced by the clipper.
inline bool operator==(const point& a, const point& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const point& a, const point& b) { return !(a == b); }
