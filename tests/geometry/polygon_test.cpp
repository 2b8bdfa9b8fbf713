#include "geometry/polygon.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <random>
#include <stdexcept>
#include <vector>

void PrintTo(const point& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

namespace {

// Vertices compare exactly: the clipper's integer scale must give decimal vertices back unchanged.
using Points = std::vector<point>;

polygon Make(std::initializer_list<point> vertices) {
    polygon p;
    for (const point& v : vertices)
        p.Add(v.x, v.y);
    return p;
}

const polygon kSquare = Make({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
const polygon kSquareReversed = Make({{0, 100}, {100, 100}, {100, 0}, {0, 0}});
const polygon kTriangle = Make({{0, 0}, {100, 0}, {0, 100}});

TEST(PolygonMeasures, SameInEitherVertexOrder) {
    for (const polygon* p : {&kSquare, &kSquareReversed}) {
        EXPECT_DOUBLE_EQ(p->Area(), 10000);
        EXPECT_DOUBLE_EQ(p->Centroid().x, 50);
        EXPECT_DOUBLE_EQ(p->Centroid().y, 50);
    }
    EXPECT_EQ(kSquare.Orientation(), 1);
    EXPECT_EQ(kSquareReversed.Orientation(), -1);
    EXPECT_DOUBLE_EQ(kTriangle.Area(), 5000);
    EXPECT_NEAR(kTriangle.Centroid().y, 100.0 / 3, 1e-12);
}

TEST(PolygonMeasures, OrientationIsJudgedAtTheLowestVertexWithLargestX) {
    // A concave notch at (0, 0) would give the opposite sign there.
    EXPECT_EQ(Make({{0, 0}, {50, 10}, {100, 0}, {100, 100}, {0, 100}}).Orientation(), 1);
    // Equal lowest y within the tolerance counts as equal: the larger x wins.
    EXPECT_EQ(Make({{0, 0.0000005}, {100, 0}, {50, 50}}).Orientation(), 1);
}

TEST(PolygonMeasures, DegenerateAndTooSmallPolygons) {
    const polygon line = Make({{0, 0}, {30, 30}, {90, 90}});
    EXPECT_EQ(line.Area(), 0);
    EXPECT_EQ(line.Orientation(), 0);
    EXPECT_FALSE(line.IsValid());
    EXPECT_DOUBLE_EQ(line.Centroid().x, 40); // the mean of the vertices
    const polygon two = Make({{0, 0}, {10, 20}});
    EXPECT_THROW(two.Area(), std::domain_error);
    EXPECT_THROW(two.Find(0, 0), std::domain_error);
    EXPECT_FALSE(two.IsValid());
}

TEST(PolygonFind, EdgesVerticesAndTheirTolerance) {
    using L = PointLocation;
    const struct {
        const polygon* p;
        double x, y;
        PointLocation expected;
    } cases[] = {
        {&kSquare, 50, 50, L::Inside},
        {&kSquare, 150, 50, L::Outside},
        {&kSquare, 100, 50, L::OnEdge},
        {&kSquare, 0, 0, L::OnVertex},
        {&kSquare, 100.0000005, 100, L::OnVertex},
        {&kSquare, 100.000002, 100, L::Outside},
        {&kTriangle, 50, 50, L::OnEdge},
        {&kTriangle, 0.1, 99.9, L::OnEdge}, // a hair outside in binary: on the edge all the same
        {&kTriangle, 60, 40.5, L::Outside},
    };
    for (const auto& c : cases) {
        const polygon& reversed = c.p == &kSquare ? kSquareReversed : *c.p;
        EXPECT_EQ(c.p->Find(c.x, c.y), c.expected) << c.x << ", " << c.y;
        EXPECT_EQ(reversed.Find(c.x, c.y), c.expected) << c.x << ", " << c.y;
    }
}

TEST(PolygonClip, DecimalVerticesStayExactAndTouchingGivesNothing) {
    const polygon a = Make({{0, 0}, {52.5, 0}, {52.5, 33.3333}, {0, 33.3333}});
    EXPECT_EQ(a.Intersect(kTriangle).Vertices(), a.Vertices());
    const polygon low = Make({{0, 0}, {50, 0}, {0, 50}});
    EXPECT_EQ(low.Intersect(Make({{50, 0}, {100, 0}, {0, 100}, {0, 50}})).Size(), 0); // an edge
    EXPECT_EQ(low.Intersect(Make({{50, 0}, {60, 0}, {60, 10}})).Size(), 0);           // a vertex
    EXPECT_EQ(low.Intersect(polygon()).Size(), 0);
}

TEST(PolygonClip, TwoPiecesKeepTheFirstInCanonicalOrder) {
    // A U shape cut by a bar across its arms gives two squares; the lower-left one comes first.
    const polygon u =
        Make({{0, 0}, {30, 0}, {30, 30}, {20, 30}, {20, 10}, {10, 10}, {10, 30}, {0, 30}});
    const polygon bar = Make({{-5, 20}, {35, 20}, {35, 25}, {-5, 25}});
    EXPECT_EQ(u.Intersect(bar).Vertices(), (Points{{0, 20}, {10, 20}, {10, 25}, {0, 25}}));
}

TEST(PolygonClip, OtherOperationsAndRefusedInput) {
    const polygon a = Make({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    const polygon b = Make({{10, 0}, {30, 0}, {30, 20}, {10, 20}});
    EXPECT_EQ(a.Clip(b, ClipUnion).Vertices(), (Points{{0, 0}, {30, 0}, {30, 20}, {0, 20}}));
    const Points left{{0, 0}, {10, 0}, {10, 20}, {0, 20}};
    EXPECT_EQ(a.Clip(b, ClipDifference).Vertices(), left);
    EXPECT_EQ(a.Clip(b, ClipExclusiveOr).Vertices(), left);
    EXPECT_THROW(a.Clip(b, 7), std::invalid_argument);
    // Beyond the clipper's integer range: refused instead of computing nonsense.
    for (double huge : {1e300, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(a.Intersect(Make({{0, 0}, {huge, 0}, {0, 10}})), std::domain_error);
}

// Random triangles of either winding: the intersection is the same in either operand order,
// counter-clockwise from its lowest vertex, and no larger than either operand.
TEST(PolygonClipRandom, IntersectionIsCanonicalAndNoLargerThanEitherOperand) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> coordinate(0, 100);
    for (int round = 0; round < 300; ++round) {
        polygon a, b;
        for (int i = 0; i < 3; ++i) {
            a.Add(coordinate(rng), coordinate(rng));
            b.Add(coordinate(rng), coordinate(rng));
        }
        const polygon both = a.Intersect(b);
        EXPECT_EQ(both.Vertices(), b.Intersect(a).Vertices());
        if (both.Size() == 0)
            continue;
        EXPECT_EQ(both.Orientation(), 1);
        // Vertices are rounded to 1e-7, which can grow the area by a little.
        EXPECT_LE(both.Area(), std::min(a.Area(), b.Area()) + 1e-4);
        const point start = both.Vertex(0);
        for (const point& v : both.Vertices())
            EXPECT_TRUE(v.y > start.y || (v.y == start.y && v.x >= start.x));
    }
}

} // namespace
