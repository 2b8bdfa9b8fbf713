#include "geometry/clipperadapter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace clipperadapter {
namespace {

bool StartsBefore(const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b) {
    return a.Y != b.Y ? a.Y < b.Y : a.X < b.X;
}

ClipperLib::ClipType ToClipType(int op) {
    switch (op) {
    case ClipDifference:
        return ClipperLib::ctDifference;
    case ClipIntersection:
        return ClipperLib::ctIntersection;
    case ClipExclusiveOr:
        return ClipperLib::ctXor;
    case ClipUnion:
        return ClipperLib::ctUnion;
    }
    throw std::invalid_argument("polygon::Clip");
}

} // namespace

double Limit() {
    // A round figure below hiRange / kScale (4.6e11), so that rounding at the limit itself cannot
    // step past the clipper's range.
    return 4e11;
}

bool FitsRange(const polygon& p) {
    const double limit = Limit();
    for (const point& v : p.Vertices()) {
        // The negated form also rejects NaN.
        if (!(std::fabs(v.x) <= limit && std::fabs(v.y) <= limit))
            return false;
    }
    return true;
}

ClipperLib::Path ToPath(const polygon& p) {
    ClipperLib::Path path;
    path.reserve(p.Vertices().size());
    for (const point& v : p.Vertices())
        path.emplace_back(ClipperLib::cInt(std::llround(v.x * kScale)),
                          ClipperLib::cInt(std::llround(v.y * kScale)));
    return path;
}

void Canonicalise(ClipperLib::Paths* paths) {
    for (ClipperLib::Path& path : *paths) {
        if (path.empty())
            continue;
        if (ClipperLib::Area(path) < 0)
            std::reverse(path.begin(), path.end());
        std::rotate(path.begin(), std::min_element(path.begin(), path.end(), StartsBefore),
                    path.end());
    }
    std::stable_sort(paths->begin(), paths->end(),
                     [](const ClipperLib::Path& a, const ClipperLib::Path& b) {
                         if (a.empty() || b.empty())
                             return !a.empty() && b.empty();
                         return StartsBefore(a.front(), b.front());
                     });
}

ClipperLib::Paths Execute(const ClipperLib::Paths& subject, const ClipperLib::Paths& clip, int op) {
    const ClipperLib::ClipType type = ToClipType(op);
    ClipperLib::Clipper clipper;
    // AddPaths ignores degenerate contours (fewer than 3 distinct points); that is the right
    // answer for them, as they enclose nothing.
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(clip, ClipperLib::ptClip, true);
    ClipperLib::Paths result;
    clipper.Execute(type, result, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
    Canonicalise(&result);
    return result;
}

} // namespace clipperadapter
