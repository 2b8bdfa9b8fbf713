#include "geometry/polelabel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace {

double SegmentDistance(point p, point a, point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Distance to the outline, negative outside.
double SignedDistance(const std::vector<point>& ring, point p) {
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        nearest = std::min(nearest, SegmentDistance(p, ring[j], ring[i]));
    return RingContains(ring, p) ? nearest : -nearest;
}

struct Cell {
    point centre;
    double half;                                                     // half the cell's side
    double distance;                                                 // of its centre
    double Best() const { return distance + half * std::sqrt(2.0); } // what the cell may hold
    bool operator<(const Cell& o) const { return Best() < o.Best(); }
};

bool SegmentsCross(point a, point b, point c, point d) {
    const auto cross = [](point o, point p, point q) {
        return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
    };
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

} // namespace

bool RingContains(const std::vector<point>& ring, point p) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const point a = ring[i], b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

bool RingContainsBox(const std::vector<point>& ring, double left, double top, double right,
                     double bottom) {
    const point corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    for (const point& c : corners)
        if (!RingContains(ring, c))
            return false;
    // Corners inside can still straddle a notch of the outline.
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const point a = ring[j], b = ring[i];
        if ((a.x > left && a.x < right && a.y > top && a.y < bottom) ||
            (b.x > left && b.x < right && b.y > top && b.y < bottom))
            return false;
        for (int k = 0; k < 4; ++k)
            if (SegmentsCross(a, b, corners[k], corners[(k + 1) % 4]))
                return false;
    }
    return true;
}

RingPole FindPole(const std::vector<point>& ring, double precision) {
    if (ring.size() < 3)
        return {ring.empty() ? point{0, 0} : ring.front(), 0};
    double minX = ring[0].x, maxX = minX, minY = ring[0].y, maxY = minY;
    for (const point& p : ring) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double size = std::min(maxX - minX, maxY - minY);
    if (!(size > 0))
        return {ring.front(), 0};
    precision = std::max(precision, size * 1e-6); // bounds the work on a huge ring

    std::priority_queue<Cell> cells;
    const auto make = [&ring](point c, double half) {
        return Cell{c, half, SignedDistance(ring, c)};
    };
    const double half = size / 2;
    for (double x = minX; x < maxX; x += size)
        for (double y = minY; y < maxY; y += size)
            cells.push(make({x + half, y + half}, half));

    // The centroid is often the answer already, and a good first bound either way.
    double area = 0, cx = 0, cy = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double f = ring[i].x * ring[j].y - ring[j].x * ring[i].y;
        cx += (ring[i].x + ring[j].x) * f;
        cy += (ring[i].y + ring[j].y) * f;
        area += f * 3;
    }
    Cell best = area != 0 ? make({cx / area, cy / area}, 0) : make(ring.front(), 0);
    const Cell box = make({minX + (maxX - minX) / 2, minY + (maxY - minY) / 2}, 0);
    if (box.distance > best.distance)
        best = box;

    while (!cells.empty()) {
        const Cell cell = cells.top();
        cells.pop();
        if (cell.distance > best.distance)
            best = cell;
        if (cell.Best() - best.distance <= precision)
            continue;
        const double h = cell.half / 2;
        for (const double dx : {-h, h})
            for (const double dy : {-h, h})
                cells.push(make({cell.centre.x + dx, cell.centre.y + dy}, h));
    }
    return {best.centre, std::max(0.0, best.distance)};
}
