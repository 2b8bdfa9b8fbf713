#include "scheme/classlimits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace {

const double kHeight = std::sqrt(3.0) / 2;

// (x, y) of the scheme to the equilateral triangle, where a distance means the same whichever
// fraction is the x axis.
point ToTriangle(const point& p) {
    return {p.x + p.y / 2, p.y * kHeight};
}
point FromTriangle(const point& p) {
    return {p.x - p.y / (2 * kHeight), p.y / kHeight};
}

double SegmentDistanceSquared(const point& p, const point& a, const point& b) {
    double x = a.x, y = a.y;
    double dx = b.x - x, dy = b.y - y;
    if (dx != 0 || dy != 0) {
        const double t = ((p.x - x) * dx + (p.y - y) * dy) / (dx * dx + dy * dy);
        if (t > 1) {
            x = b.x;
            y = b.y;
        } else if (t > 0) {
            x += dx * t;
            y += dy * t;
        }
    }
    dx = p.x - x;
    dy = p.y - y;
    return dx * dx + dy * dy;
}

// Distance from p to the ring's edges, negative outside it (even-odd rule).
double SignedDistance(const point& p, const std::vector<point>& ring) {
    bool inside = false;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const point& a = ring[i];
        const point& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
        best = std::min(best, SegmentDistanceSquared(p, a, b));
    }
    return (inside ? 1 : -1) * std::sqrt(best);
}

struct Cell {
    point c;
    double half;
    double d;   // distance of the centre
    double max; // best distance any point of the cell can have
    Cell(point centre, double h, const std::vector<point>& ring)
        : c(centre), half(h), d(SignedDistance(centre, ring)), max(d + h * std::sqrt(2.0)) {}
};

} // namespace

// The search of Mapbox's polylabel: square cells, split while one could still hold a point
// farther from the edges than the best found by more than the precision.
point PoleOfInaccessibility(const polygon& region, double precision, double* distance) {
    std::vector<point> ring;
    for (const point& v : region.Vertices())
        ring.push_back(ToTriangle(v));
    if (ring.size() < 3) {
        if (distance != nullptr)
            *distance = 0;
        return ring.empty() ? point{0, 0} : region.Vertices().front();
    }
    double x0 = ring[0].x, y0 = ring[0].y, x1 = x0, y1 = y0;
    for (const point& v : ring) {
        x0 = std::min(x0, v.x);
        y0 = std::min(y0, v.y);
        x1 = std::max(x1, v.x);
        y1 = std::max(y1, v.y);
    }
    const double size = std::min(x1 - x0, y1 - y0);
    if (!(size > 0)) {
        if (distance != nullptr)
            *distance = 0;
        return region.Vertices().front();
    }
    const auto lower = [](const Cell& a, const Cell& b) { return a.max < b.max; };
    std::priority_queue<Cell, std::vector<Cell>, decltype(lower)> queue(lower);
    const double h = size / 2;
    for (double x = x0; x < x1; x += size)
        for (double y = y0; y < y1; y += size)
            queue.emplace(point{x + h, y + h}, h, ring);
    Cell best(ToTriangle(region.Centroid()), 0, ring);
    const Cell middle(point{(x0 + x1) / 2, (y0 + y1) / 2}, 0, ring);
    if (middle.d > best.d)
        best = middle;
    while (!queue.empty()) {
        const Cell cell = queue.top();
        queue.pop();
        if (cell.d > best.d)
            best = cell;
        if (cell.max - best.d <= precision)
            continue;
        const double q = cell.half / 2;
        for (const double dx : {-q, q})
            for (const double dy : {-q, q})
                queue.emplace(point{cell.c.x + dx, cell.c.y + dy}, q, ring);
    }
    if (distance != nullptr)
        *distance = best.d;
    return FromTriangle(best.c);
}

std::vector<ClassLimits> SchemeClassLimits(const std::vector<TextureClass>& classes) {
    std::vector<ClassLimits> limits;
    for (const TextureClass& c : classes) {
        auto found = std::find_if(limits.begin(), limits.end(),
                                  [&c](const ClassLimits& l) { return l.name == c.name; });
        if (found == limits.end()) {
            ClassLimits fresh;
            fresh.name = c.name;
            fresh.min = {100, 100, 100};
            fresh.max = {0, 0, 0};
            fresh.centreDistance = -1;
            limits.push_back(fresh);
            found = limits.end() - 1;
        }
        std::vector<AxisValues> part;
        for (const point& v : c.region.Vertices()) {
            const AxisValues a{v.x, v.y, 100 - v.x - v.y};
            part.push_back(a);
            for (std::size_t k = 0; k < 3; ++k) {
                found->min[k] = std::min(found->min[k], a[k]);
                found->max[k] = std::max(found->max[k], a[k]);
            }
        }
        found->parts.push_back(part);
        double distance = 0;
        const point pole = PoleOfInaccessibility(c.region, kCentrePrecision, &distance);
        if (c.region.Size() >= 3 && distance > found->centreDistance) {
            found->centreDistance = distance;
            found->centre = {pole.x, pole.y, 100 - pole.x - pole.y};
        }
    }
    for (ClassLimits& l : limits)
        l.centreDistance = std::max(0.0, l.centreDistance);
    return limits;
}
