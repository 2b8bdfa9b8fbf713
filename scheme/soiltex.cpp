#include "scheme/soiltex.h"

#include "util/futil.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

constexpr double kTriangleArea = 5000.0;

struct Bounds {
    double minX, minY, maxX, maxY;
};

Bounds BoundsOf(const polygon& p) {
    Bounds b{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const point& v : p.Vertices()) {
        b.minX = std::min(b.minX, v.x);
        b.minY = std::min(b.minY, v.y);
        b.maxX = std::max(b.maxX, v.x);
        b.maxY = std::max(b.maxY, v.y);
    }
    return b;
}

bool HasNaN(const polygon& p) {
    return std::any_of(p.Vertices().begin(), p.Vertices().end(),
                       [](const point& v) { return v.x != v.x || v.y != v.y; });
}

// The lowest class index i that overlaps some later class j, or classes.size() when none does.
// Regions whose bounding boxes at most touch cannot overlap, so a sweep over the boxes leaves the
// clipper only the pairs that might; the answer is that of testing every pair in order.
std::size_t FirstOverlappingClass(const std::vector<TextureClass>& classes) {
    const std::size_t n = classes.size();
    std::vector<Bounds> bounds(n);
    std::vector<std::size_t> order;
    order.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const polygon& region = classes[i].region;
        if (region.Size() < 3)
            continue; // encloses nothing, overlaps nothing
        bounds[i] = BoundsOf(region);
        if (HasNaN(region)) // no box to sweep with; the clipper will refuse it
            bounds[i] = {-std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::infinity()};
        order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&bounds](std::size_t a, std::size_t b) {
        return bounds[a].minX < bounds[b].minX || (bounds[a].minX == bounds[b].minX && a < b);
    });

    std::size_t first = n;
    for (std::size_t s = 0; s < order.size(); ++s) {
        const std::size_t a = order[s];
        for (std::size_t t = s + 1; t < order.size(); ++t) {
            const std::size_t b = order[t];
            if (!(bounds[b].minX < bounds[a].maxX))
                break;
            if (std::min(a, b) >= first)
                continue; // cannot lower the answer
            if (!(bounds[b].minY < bounds[a].maxY && bounds[a].minY < bounds[b].maxY))
                continue;
            const std::size_t i = std::min(a, b);
            const std::size_t j = std::max(a, b);
            if (classes[i].region.Intersect(classes[j].region).Size() > 0)
                first = i;
        }
    }
    return first;
}

} // namespace

soiltex::soiltex() { Clear(); }

void soiltex::Clear() {
    mName.clear();
    mXName = "x";
    mYName = "y";
    mZName = "z";
    mClasses.clear();
    mBorders.clear();
}

TextureClass soiltex::GetClass(int32_t index) const {
    if (index < 0 || index >= GetClassCount())
        throw std::out_of_range("invalid vector<T> subscript");
    return mClasses[std::size_t(index)];
}

bool soiltex::IsValidScheme() const {
    if (mClasses.empty())
        return false;
    const std::size_t firstOverlap = FirstOverlappingClass(mClasses);
    double total = 0.0;
    for (std::size_t i = 0; i < mClasses.size(); ++i) {
        // Class i's pairs with later classes are examined before its area is measured.
        if (i == firstOverlap)
            return false;
        total += mClasses[i].region.Area();
    }
    return futil::eq(total, kTriangleArea);
}

bool soiltex::IsUsable() const {
    try {
        return IsValidScheme();
    } catch (const std::exception&) {
        return false;
    }
}
