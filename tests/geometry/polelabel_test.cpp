#include "geometry/polelabel.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

TEST(PoleOfInaccessibility, FarthestInsidePointOfTheRing) {
    const std::vector<std::vector<point>> rings = {
        {{0, 0}, {10, 0}, {10, 10}, {0, 10}},                       // square: its centre
        {{0, 0}, {30, 0}, {30, 4}, {4, 4}, {4, 30}, {0, 30}},       // thin L: centroid outside
        {{0, 0}, {100, 0}, {0, 100}},                               // triangle
        {{0, 0}, {40, 0}, {40, 40}, {20, 5}, {0, 40}},              // notched
        {{50, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 0}, {50, 0}}, // repeated vertices
    };
    std::mt19937 random(42);
    for (const auto& ring : rings) {
        SCOPED_TRACE(&ring - rings.data());
        const RingPole pole = FindPole(ring, 0.01);
        ASSERT_TRUE(RingContains(ring, pole.centre));
        // No point inside lies farther from the outline.
        std::uniform_real_distribution<double> x(0, 100);
        for (int k = 0; k < 2000; ++k) {
            const point p{x(random), x(random)};
            if (!RingContains(ring, p))
                continue;
            double nearest = 1e9;
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
                const point a = ring[j], b = ring[i];
                const double dx = b.x - a.x, dy = b.y - a.y, l = dx * dx + dy * dy;
                const double t =
                    l > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l, 0.0, 1.0) : 0;
                nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
            }
            EXPECT_LE(nearest, pole.distance + 0.01);
        }
    }
    EXPECT_NEAR(FindPole(rings[0], 0.01).centre.x, 5, 0.01);
    EXPECT_EQ(FindPole({{1, 1}, {2, 2}}, 1).distance, 0);
}

} // namespace
