#include "geometry/clipperadapter.h"
#include "geometry/polygon.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

polygon Make(std::initializer_list<point> vertices) {
    polygon p;
    for (const point& v : vertices)
        p.Add(v.x, v.y);
    return p;
}

std::vector<point> VerticesOf(const polygon& p) { return p.Vertices(); }

void ExpectVertices(const polygon& p, std::initializer_list<point> expected) {
    ASSERT_EQ(p.Size(), int(expected.size()));
    int i = 0;
    for (const point& v : expected) {
        EXPECT_EQ(p.Vertex(unsigned(i)).x, v.x) << "vertex " << i;
        EXPECT_EQ(p.Vertex(unsigned(i)).y, v.y) << "vertex " << i;
        ++i;
    }
}

TEST(PolygonClip, RangeHexagonComesOutInCanonicalOrder) {
    // The x 20-40, y 10-30 rectangle against the band of z 40-60.
    const polygon rectangle = Make({{20, 10}, {40, 10}, {40, 30}, {20, 30}});
    const polygon band = Make({{10, 30}, {30, 10}, {50, 10}, {30, 30}});
    ExpectVertices(rectangle.Intersect(band),
                   {{30, 10}, {40, 10}, {40, 20}, {30, 30}, {20, 30}, {20, 20}});
}

TEST(PolygonClip, OrderOfOperandsAndTheirWindingDoNotChangeTheResult) {
    const polygon a = Make({{0, 0}, {60, 0}, {60, 60}, {0, 60}});
    const polygon b = Make({{30, 30}, {30, 90}, {90, 90}, {90, 30}}); // clockwise
    const polygon ab = a.Intersect(b);
    const polygon ba = b.Intersect(a);
    ExpectVertices(ab, {{30, 30}, {60, 30}, {60, 60}, {30, 60}});
    EXPECT_EQ(VerticesOf(ab), VerticesOf(ba));
}

TEST(PolygonClip, DecimalVerticesStayExact) {
    const polygon a = Make({{0, 0}, {52.5, 0}, {52.5, 33.3333}, {0, 33.3333}});
    const polygon whole = Make({{-10, -10}, {200, -10}, {-10, 200}});
    ExpectVertices(a.Intersect(whole), {{0, 0}, {52.5, 0}, {52.5, 33.3333}, {0, 33.3333}});
}

TEST(PolygonClip, SharedEdgesAndVerticesGiveNothing) {
    const polygon low = Make({{0, 0}, {50, 0}, {0, 50}});
    const polygon high = Make({{50, 0}, {100, 0}, {0, 100}, {0, 50}});
    EXPECT_EQ(low.Intersect(high).Size(), 0);
    const polygon corner = Make({{50, 50}, {60, 50}, {60, 60}});
    const polygon square = Make({{0, 0}, {50, 0}, {50, 50}, {0, 50}});
    EXPECT_EQ(corner.Intersect(square).Size(), 0);
}

TEST(PolygonClip, DisjointAndDegenerateOperandsGiveNothing) {
    const polygon a = Make({{0, 0}, {10, 0}, {0, 10}});
    const polygon far = Make({{50, 50}, {60, 50}, {60, 60}});
    EXPECT_EQ(a.Intersect(far).Size(), 0);
    EXPECT_EQ(a.Intersect(polygon()).Size(), 0);
    EXPECT_EQ(a.Intersect(Make({{0, 0}, {10, 10}})).Size(), 0);
}

TEST(PolygonClip, TwoPiecesKeepTheFirstInCanonicalOrder) {
    // A U shape cut by a bar across its arms gives two squares; the lower-left one comes first.
    const polygon u = Make({{0, 0}, {30, 0}, {30, 30}, {20, 30}, {20, 10}, {10, 10}, {10, 30},
                            {0, 30}});
    const polygon bar = Make({{-5, 20}, {35, 20}, {35, 25}, {-5, 25}});
    ExpectVertices(u.Intersect(bar), {{0, 20}, {10, 20}, {10, 25}, {0, 25}});
}

TEST(PolygonClip, OtherOperationCodes) {
    const polygon a = Make({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    const polygon b = Make({{10, 0}, {30, 0}, {30, 20}, {10, 20}});
    ExpectVertices(a.Clip(b, ClipUnion), {{0, 0}, {30, 0}, {30, 20}, {0, 20}});
    ExpectVertices(a.Clip(b, ClipDifference), {{0, 0}, {10, 0}, {10, 20}, {0, 20}});
    ExpectVertices(a.Clip(b, ClipExclusiveOr), {{0, 0}, {10, 0}, {10, 20}, {0, 20}});
    EXPECT_EQ(int(ClipIntersection), 1);
    EXPECT_THROW(a.Clip(b, 7), std::invalid_argument);
}

TEST(PolygonClip, CoordinatesBeyondTheClipperRangeAreRefused) {
    const polygon a = Make({{0, 0}, {10, 0}, {0, 10}});
    for (double huge : {1e300, -1e300, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()}) {
        const polygon b = Make({{0, 0}, {huge, 0}, {0, 10}});
        try {
            a.Intersect(b);
            FAIL() << huge;
        } catch (const std::domain_error& e) {
            EXPECT_STREQ(e.what(), "polygon::Clip");
        }
    }
}

TEST(PolygonClipperForm, ConversionsKeepTheirContract) {
    const polygon a = Make({{1.5, 2.25}, {10, 0}, {0, 10}});
    EXPECT_THROW(a.ToGPC(nullptr), std::invalid_argument);
    polygon b;
    EXPECT_THROW(b.FromGPC(nullptr), std::invalid_argument);

    ClipPaths paths;
    a.ToGPC(&paths);
    ASSERT_EQ(paths.paths.size(), 1u);
    b.FromGPC(&paths);
    EXPECT_EQ(VerticesOf(b), VerticesOf(a));

    polygon().ToGPC(&paths);
    ASSERT_EQ(paths.paths.size(), 1u);
    EXPECT_TRUE(paths.paths[0].empty());

    ClipPaths none;
    b.FromGPC(&none);
    EXPECT_EQ(b.Size(), 0);
}

TEST(PolygonClipRandom, IntersectionAreaNeverExceedsEitherOperand) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> coordinate(0, 100);
    for (int round = 0; round < 300; ++round) {
        polygon a;
        polygon b;
        for (int i = 0; i < 3; ++i) {
            a.Add(coordinate(rng), coordinate(rng));
            b.Add(coordinate(rng), coordinate(rng));
        }
        const polygon both = a.Intersect(b);
        if (both.Size() == 0)
            continue;
        EXPECT_EQ(both.Orientation(), 1);
        // Vertices are rounded to 1e-7, which can grow the area by a little.
        EXPECT_LE(both.Area(), a.Area() + 1e-4);
        EXPECT_LE(both.Area(), b.Area() + 1e-4);
        // Canonical start: no vertex lies lower (or as low and further left).
        const point start = both.Vertex(0);
        for (const point& v : both.Vertices())
            EXPECT_TRUE(v.y > start.y || (v.y == start.y && v.x >= start.x));
    }
}

} // namespace
