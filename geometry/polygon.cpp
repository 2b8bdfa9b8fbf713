#include "geometry/polygon.h"

#include "geometry/clipperadapter.h"
#include "util/futil.h"

#include <algorithm>
#include <stdexcept>

namespace {

void RequireThreeVertices(const std::vector<point>& vertices, const char* operation) {
    if (vertices.size() < 3)
        throw std::domain_error(operation);
}

// True when the segment from a to b passes closer than the tolerance to the origin.
bool NearOrigin(const point& a, const point& b) {
    constexpr double tol = futil::kTolerance;
    // Most edges of a lookup lie wholly to one side of the point: settled by comparisons alone.
    if ((a.x > tol && b.x > tol) || (a.x < -tol && b.x < -tol) || (a.y > tol && b.y > tol) ||
        (a.y < -tol && b.y < -tol))
        return false;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(-(a.x * dx + a.y * dy) / length2, 0.0, 1.0) : 0.0;
    const double cx = a.x + t * dx;
    const double cy = a.y + t * dy;
    return cx * cx + cy * cy < tol * tol;
}

} // namespace

void polygon::ToGPC(ClipPaths* g) const {
    if (g == nullptr)
        throw std::invalid_argument("polygon::ToGPC");
    if (!clipperadapter::FitsRange(*this))
        throw std::domain_error("polygon::ToGPC");
    g->paths.assign(1, clipperadapter::ToPath(*this));
}

void polygon::FromGPC(const ClipPaths* g) {
    if (g == nullptr)
        throw std::invalid_argument("polygon::FromGPC");
    mVertices.clear();
    if (g->paths.empty())
        return;
    const ClipperLib::Path& first = g->paths.front();
    mVertices.reserve(first.size());
    for (const ClipperLib::IntPoint& v : first)
        mVertices.push_back(
            {double(v.X) / clipperadapter::kScale, double(v.Y) / clipperadapter::kScale});
}

bool polygon::IsValid() const {
    return mVertices.size() >= 3 && Orientation() != 0;
}

void polygon::Add(double x, double y) {
    mVertices.push_back({x, y});
}

void polygon::Clear() {
    // Releases the storage too: an empty polygon owns none.
    std::vector<point>().swap(mVertices);
}

int polygon::Size() const {
    return int(mVertices.size());
}

point& polygon::operator[](int i) {
    if (i < 0)
        throw std::out_of_range("polygon::operator[]");
    if (std::size_t(i) >= mVertices.size())
        mVertices.resize(std::size_t(i) + 1, point{0.0, 0.0});
    return mVertices[std::size_t(i)];
}

point polygon::Vertex(unsigned i) const {
    if (i >= mVertices.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return mVertices[i];
}

polygon polygon::Clip(const polygon& other, int op) const {
    if (!clipperadapter::FitsRange(*this) || !clipperadapter::FitsRange(other))
        throw std::domain_error("polygon::Clip");
    polygon result;
    // Nothing can come of an operand that encloses no area; skipping the clipper for it keeps
    // the validity check of schemes with many degenerate classes fast.
    if (op == ClipIntersection && (mVertices.size() < 3 || other.mVertices.size() < 3))
        return result;
    ClipPaths subject;
    ClipPaths clip;
    ToGPC(&subject);
    other.ToGPC(&clip);
    ClipPaths solution{clipperadapter::Execute(subject.paths, clip.paths, op)};
    result.FromGPC(&solution);
    return result;
}

bool polygon::InClipRange() const {
    return clipperadapter::FitsRange(*this);
}

double polygon::ClipLimit() {
    return clipperadapter::Limit();
}

polygon polygon::Intersect(const polygon& other) const {
    return Clip(other, ClipIntersection);
}

int polygon::Orientation() const {
    RequireThreeVertices(mVertices, "polygon::Orientation");
    const std::size_t n = mVertices.size();
    std::size_t k = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const point& v = mVertices[i];
        const point& candidate = mVertices[k];
        if (v.y < candidate.y || (futil::eq(v.y, candidate.y) && v.x > candidate.x))
            k = i;
    }
    const point& prev = mVertices[(k + n - 1) % n];
    const point& cur = mVertices[k];
    const point& next = mVertices[(k + 1) % n];
    // Evaluated in this expanded order so that the sign of nearly collinear turns is stable.
    const double v = cur.y * prev.x - cur.x * prev.y + next.x * prev.y - next.y * prev.x +
                     next.y * cur.x - next.x * cur.y;
    if (v > 0)
        return 1;
    if (v < 0)
        return -1;
    return 0;
}

double polygon::Area() const {
    RequireThreeVertices(mVertices, "polygon::Area");
    const std::size_t n = mVertices.size();
    double s = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const point& a = mVertices[i];
        const point& b = mVertices[(i + 1) % n];
        s += a.x * b.y - a.y * b.x;
    }
    s *= 0.5;
    if (s < 0)
        s *= -1;
    return s;
}

PointLocation polygon::Find(double x, double y) const {
    RequireThreeVertices(mVertices, "polygon::Find");
    // Crossings of the edges with the horizontal line through the query point, counted to its
    // right and to its left; they disagree in parity exactly when the point lies on an edge.
    // Every vertex is taken relative to the query point, so the arithmetic is that of the point.
    const std::size_t n = mVertices.size();
    int right = 0;
    int left = 0;
    bool nearEdge = false;
    point q{mVertices[n - 1].x - x, mVertices[n - 1].y - y};
    for (std::size_t i = 0; i < n; ++i) {
        const point p{mVertices[i].x - x, mVertices[i].y - y};
        if (futil::eq(p.x, 0.0) && futil::eq(p.y, 0.0))
            return PointLocation::OnVertex;
        if ((p.y > 0) != (q.y > 0)) {
            const double c = (p.x * q.y - q.x * p.y) / (q.y - p.y);
            if (c > 0)
                ++right;
        }
        if ((p.y < 0) != (q.y < 0)) {
            const double c = (p.x * q.y - q.x * p.y) / (q.y - p.y);
            if (c < 0)
                ++left;
        }
        nearEdge = nearEdge || NearOrigin(q, p);
        q = p;
    }
    // A point on an edge whose decimals are not exact in binary (12.3 clay on the side where
    // silt is 0) lands a hair to one side of it; it is on the edge all the same, for the border
    // rules to settle.
    if (right % 2 != left % 2 || nearEdge)
        return PointLocation::OnEdge;
    return right % 2 == 1 ? PointLocation::Inside : PointLocation::Outside;
}

point polygon::Centroid() const {
    RequireThreeVertices(mVertices, "polygon::Centroid");
    const std::size_t n = mVertices.size();
    double sx = 0.0;
    double sy = 0.0;
    double s = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const point& a = mVertices[i];
        const point& b = mVertices[(i + 1) % n];
        const double c = a.x * b.y - b.x * a.y;
        sx += (a.x + b.x) * c;
        sy += (a.y + b.y) * c;
        s += c;
    }
    if (s == 0.0) {
        // No area to balance: the mean of the vertices is the only sensible centre.
        point mean{0.0, 0.0};
        for (const point& v : mVertices) {
            mean.x += v.x;
            mean.y += v.y;
        }
        return {mean.x / double(n), mean.y / double(n)};
    }
    const double d = 3.0 * s;
    return {sx / d, sy / d};
}
