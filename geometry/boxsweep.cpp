#include "geometry/boxsweep.h"

#include <algorithm>
#include <limits>

Box BoundsOf(const polygon& p) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Box b{inf, inf, -inf, -inf};
    for (const point& v : p.Vertices()) {
        b.minX = std::min(b.minX, v.x);
        b.minY = std::min(b.minY, v.y);
        b.maxX = std::max(b.maxX, v.x);
        b.maxY = std::max(b.maxY, v.y);
    }
    return b;
}

void ForEachOverlappingBoxPair(const std::vector<Box>& boxes,
                               const std::function<void(std::size_t, std::size_t)>& visit) {
    std::vector<std::size_t> order;
    order.reserve(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        // Also false for a NaN bound, which no comparison below could place.
        if (b.minX < b.maxX && b.minY < b.maxY)
            order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&boxes](std::size_t a, std::size_t b) {
        return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
    });
    for (std::size_t s = 0; s < order.size(); ++s) {
        const Box& a = boxes[order[s]];
        for (std::size_t t = s + 1; t < order.size(); ++t) {
            const Box& b = boxes[order[t]];
            if (!(b.minX < a.maxX))
                break;
            if (b.minY < a.maxY && a.minY < b.maxY)
                visit(std::min(order[s], order[t]), std::max(order[s], order[t]));
        }
    }
}
