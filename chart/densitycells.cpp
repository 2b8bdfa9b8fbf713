#include "chart/densitycells.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;

double Area(const std::vector<point>& ring) {
    double twice = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        twice += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return std::abs(twice) / 2;
}

// The part of subject inside the convex polygon clip (Sutherland-Hodgman), in either
// orientation of clip.
std::vector<point> ClipToConvex(std::vector<point> subject, const std::vector<point>& clip) {
    double orientation = 0;
    for (std::size_t i = 0, j = clip.size() - 1; i < clip.size(); j = i++)
        orientation += clip[j].x * clip[i].y - clip[i].x * clip[j].y;
    for (std::size_t i = 0, j = clip.size() - 1; i < clip.size() && !subject.empty(); j = i++) {
        const point a = clip[j], b = clip[i];
        const auto side = [&](point p) {
            return ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) * orientation;
        };
        std::vector<point> kept;
        for (std::size_t k = 0, l = subject.size() - 1; k < subject.size(); l = k++) {
            const point p = subject[l], q = subject[k];
            const double sp = side(p), sq = side(q);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                kept.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            }
            if (sq >= 0)
                kept.push_back(q);
        }
        subject = std::move(kept);
    }
    return subject;
}

// The key of the cell holding device point d: its axial coordinates, rounded through cube
// coordinates.
std::uint64_t CellOf(DevicePoint d, double radius) {
    const double q = (kSqrt3 / 3 * d.x - d.y / 3.0) / radius;
    const double r = (2.0 / 3 * d.y) / radius;
    double cq = std::round(q), cr = std::round(r);
    const double cs = std::round(-q - r);
    const double eq = std::abs(cq - q), er = std::abs(cr - r), es = std::abs(cs + q + r);
    if (eq > es && eq > er)
        cq = -cs - cr;
    else if (er > es)
        cr = -cq - cs;
    return std::uint64_t(std::uint32_t(std::int32_t(cq))) << 32 | std::uint32_t(std::int32_t(cr));
}

} // namespace

std::vector<DensityCell> DensityCells(const ChartLayout& layout, const std::vector<point>& points,
                                      double radius) {
    std::unordered_map<std::uint64_t, int> counts;
    for (const point& p : points)
        ++counts[CellOf(MapToDevice(layout, p.x, p.y), radius)];

    std::vector<point> triangle;
    for (const point& corner : {point{0, 0}, point{100, 0}, point{0, 100}}) {
        const DevicePoint d = MapToDevice(layout, corner.x, corner.y);
        triangle.push_back({double(d.x), double(d.y)});
    }
    std::vector<DensityCell> cells;
    cells.reserve(counts.size());
    for (const auto& [key, count] : counts) {
        const double q = std::int32_t(std::uint32_t(key >> 32));
        const double r = std::int32_t(std::uint32_t(key & 0xffffffffu));
        const double x = kSqrt3 * radius * (q + r / 2);
        const double y = 1.5 * radius * r;
        std::vector<point> hexagon;
        for (int k = 0; k < 6; ++k) {
            const double angle = 3.14159265358979 / 180 * (60 * k - 30);
            hexagon.push_back({x + radius * std::cos(angle), y + radius * std::sin(angle)});
        }
        const double whole = Area(hexagon);
        const std::vector<point> inside = ClipToConvex(hexagon, triangle);
        if (inside.size() < 3)
            continue;
        DensityCell cell;
        cell.density = count / std::max(0.25, Area(inside) / whole);
        for (const point& p : inside)
            cell.outline.push_back(
                {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))});
        cells.push_back(std::move(cell));
    }
    return cells;
}
