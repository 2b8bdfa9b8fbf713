#include "scheme/boundarydistance.h"

#include "geometry/boxsweep.h"
#include "scheme/compositionspace.h"
#include "util/futil.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The part of edge (c, d) that lies along edge (a, b), as parameters of (a, b) in [t0, t1];
// false when they do not run together for more than the tolerance.
bool SharedPart(const point& a, const point& b, const point& c, const point& d, double* t0,
                double* t1) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (!(length > futil::kTolerance))
        return false;
    const auto offLine = [&](const point& p) {
        return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
    };
    if (offLine(c) > futil::kTolerance || offLine(d) > futil::kTolerance)
        return false;
    const auto along = [&](const point& p) {
        return ((p.x - a.x) * dx + (p.y - a.y) * dy) / (length * length);
    };
    const double tc = along(c), td = along(d);
    *t0 = std::max(0.0, std::min(tc, td));
    *t1 = std::min(1.0, std::max(tc, td));
    return (*t1 - *t0) * length > futil::kTolerance;
}

} // namespace

BoundaryDistance::BoundaryDistance(const soiltex& scheme)
    : mNames(scheme), mBoundaries(mNames.names.size()) {
    const std::vector<TextureClass>& classes = scheme.Classes();
    std::vector<Box> boxes;
    for (const TextureClass& c : classes) {
        Box b = BoundsOf(c.region);
        // Neighbours' boxes only touch; widened, the sweep finds them.
        b.minX -= 1e-3;
        b.minY -= 1e-3;
        b.maxX += 1e-3;
        b.maxY += 1e-3;
        boxes.push_back(b);
    }
    // Pairs in a fixed order, so that ties between equally near boundaries are settled the same
    // way every time.
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    ForEachOverlappingBoxPair(boxes,
                              [&](std::size_t i, std::size_t j) { pairs.emplace_back(i, j); });
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [i, j] : pairs) {
        const int ni = mNames.ofRecord[i], nj = mNames.ofRecord[j];
        if (ni == nj)
            continue;
        const std::vector<point>& u = classes[i].region.Vertices();
        const std::vector<point>& v = classes[j].region.Vertices();
        for (std::size_t k = 0; k < u.size(); ++k) {
            const point& a = u[k];
            const point& b = u[(k + 1) % u.size()];
            for (std::size_t m = 0; m < v.size(); ++m) {
                double t0 = 0, t1 = 0;
                if (!SharedPart(a, b, v[m], v[(m + 1) % v.size()], &t0, &t1))
                    continue;
                const point p =
                    compositionspace::Flatten({a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)});
                const point q =
                    compositionspace::Flatten({a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)});
                mBoundaries[std::size_t(ni)].push_back({p, q, nj});
                mBoundaries[std::size_t(nj)].push_back({p, q, ni});
            }
        }
    }
}

BoundaryDistance::Nearest BoundaryDistance::From(double x, double y, int name) const {
    Nearest nearest{std::numeric_limits<double>::infinity(), -1};
    if (name < 0 || std::size_t(name) >= mBoundaries.size())
        return nearest;
    const point p = compositionspace::Flatten({x, y});
    for (const Segment& s : mBoundaries[std::size_t(name)]) {
        const double d = compositionspace::SegmentDistance(p, s.a, s.b);
        if (d < nearest.distance)
            nearest = {d, s.across};
    }
    return nearest;
}
