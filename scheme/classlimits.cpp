#include "scheme/classlimits.h"

#include "geometry/polelabel.h"

#include <algorithm>
#include <cmath>

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

} // namespace

point PoleOfInaccessibility(const polygon& region, double precision, double* distance) {
    std::vector<point> ring;
    for (const point& v : region.Vertices())
        ring.push_back(ToTriangle(v));
    const RingPole pole = FindPole(ring, precision);
    if (distance != nullptr)
        *distance = pole.distance;
    if (ring.empty())
        return point{0, 0};
    return pole.distance > 0 ? FromTriangle(pole.centre) : region.Vertices().front();
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
