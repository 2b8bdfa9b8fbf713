#include "geometry/polygon.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace {

polygon Make(std::initializer_list<point> vertices) {
    polygon p;
    for (const point& v : vertices)
        p.Add(v.x, v.y);
    return p;
}

const polygon kSquare = Make({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
const polygon kSquareReversed = Make({{0, 100}, {100, 100}, {100, 0}, {0, 0}});
const polygon kTriangle = Make({{0, 0}, {100, 0}, {0, 100}});

template <class Exception, class Call>
void ExpectThrowNamed(Call call, const std::string& message) {
    try {
        call();
        FAIL() << "no exception, expected " << message;
    } catch (const Exception& e) {
        EXPECT_EQ(e.what(), message);
    }
}

TEST(PolygonMeasures, SquareInBothOrders) {
    for (const polygon* p : {&kSquare, &kSquareReversed}) {
        EXPECT_DOUBLE_EQ(p->Area(), 10000);
        EXPECT_DOUBLE_EQ(p->Centroid().x, 50);
        EXPECT_DOUBLE_EQ(p->Centroid().y, 50);
    }
    EXPECT_EQ(kSquare.Orientation(), 1);
    EXPECT_EQ(kSquareReversed.Orientation(), -1);
}

TEST(PolygonMeasures, TextureTriangle) {
    EXPECT_DOUBLE_EQ(kTriangle.Area(), 5000);
    EXPECT_EQ(kTriangle.Orientation(), 1);
    EXPECT_NEAR(kTriangle.Centroid().x, 100.0 / 3, 1e-12);
    EXPECT_NEAR(kTriangle.Centroid().y, 100.0 / 3, 1e-12);
}

TEST(PolygonMeasures, PivotIsTheLowestVertexWithLargestX) {
    // Pivot (100, 0): a concave notch at (0, 0) would give the opposite sign there.
    const polygon p = Make({{0, 0}, {50, 10}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_EQ(p.Orientation(), 1);
    // Equal lowest y within the tolerance counts as equal: the larger x wins.
    const polygon q = Make({{0, 0.0000005}, {100, 0}, {50, 50}});
    EXPECT_EQ(q.Orientation(), 1);
}

TEST(PolygonMeasures, CollinearVerticesAreDegenerate) {
    const polygon line = Make({{0, 0}, {50, 50}, {100, 100}});
    EXPECT_EQ(line.Area(), 0);
    EXPECT_EQ(line.Orientation(), 0);
    EXPECT_FALSE(line.IsValid());
}

TEST(PolygonMeasures, CentroidOfZeroAreaIsTheMeanOfTheVertices) {
    const point c = Make({{0, 0}, {30, 30}, {90, 90}}).Centroid();
    EXPECT_DOUBLE_EQ(c.x, 40);
    EXPECT_DOUBLE_EQ(c.y, 40);
}

TEST(PolygonMeasures, FewerThanThreeVerticesThrowWithTheirNames) {
    for (int n = 0; n < 3; ++n) {
        polygon p;
        for (int i = 0; i < n; ++i)
            p.Add(i, i * 2);
        ExpectThrowNamed<std::domain_error>([&] { p.Area(); }, "polygon::Area");
        ExpectThrowNamed<std::domain_error>([&] { p.Orientation(); }, "polygon::Orientation");
        ExpectThrowNamed<std::domain_error>([&] { p.Find(0, 0); }, "polygon::Find");
        ExpectThrowNamed<std::domain_error>([&] { p.Centroid(); }, "polygon::Centroid");
        EXPECT_FALSE(p.IsValid());
        EXPECT_EQ(p.Size(), n);
    }
}

struct FindCase {
    double x;
    double y;
    PointLocation expected;
};

class PolygonFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(PolygonFind, OnSquareInBothOrders) {
    for (const polygon* p : {&kSquare, &kSquareReversed})
        EXPECT_EQ(p->Find(GetParam().x, GetParam().y), GetParam().expected)
            << "(" << GetParam().x << ", " << GetParam().y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Locations, PolygonFind,
    ::testing::Values(FindCase{50, 50, PointLocation::Inside},
                      FindCase{150, 50, PointLocation::Outside},
                      FindCase{-50, 50, PointLocation::Outside},
                      FindCase{50, 150, PointLocation::Outside},
                      FindCase{100, 50, PointLocation::OnEdge},
                      FindCase{0, 50, PointLocation::OnEdge},
                      FindCase{50, 0, PointLocation::OnEdge},
                      FindCase{50, 100, PointLocation::OnEdge},
                      FindCase{100, 100, PointLocation::OnVertex},
                      FindCase{0, 0, PointLocation::OnVertex},
                      FindCase{100.0000005, 100, PointLocation::OnVertex},
                      FindCase{100.000002, 100, PointLocation::Outside}));

TEST(PolygonFindCodes, KeepTheirNumbers) {
    EXPECT_EQ(int(PointLocation::Inside), 1);
    EXPECT_EQ(int(PointLocation::Outside), 2);
    EXPECT_EQ(int(PointLocation::OnVertex), 3);
    EXPECT_EQ(int(PointLocation::OnEdge), 4);
}

TEST(PolygonFind, DiagonalEdgeOfTheTriangle) {
    EXPECT_EQ(kTriangle.Find(50, 50), PointLocation::OnEdge);
    EXPECT_EQ(kTriangle.Find(20, 30), PointLocation::Inside);
    EXPECT_EQ(kTriangle.Find(60, 40.5), PointLocation::Outside);
}

TEST(PolygonVertices, IndexingGrowsAndChecks) {
    polygon p;
    point& last = p[5];
    EXPECT_EQ(p.Size(), 6);
    last.x = 7;
    EXPECT_EQ(p.Vertex(5).x, 7);
    EXPECT_EQ(p.Vertex(0).y, 0);
    ExpectThrowNamed<std::out_of_range>([&] { p[-1]; }, "polygon::operator[]");
    ExpectThrowNamed<std::out_of_range>([&] { p.Vertex(6); }, "invalid vector<T> subscript");
}

TEST(PolygonVertices, CopiesAreDeep) {
    polygon a = kSquare;
    polygon b = a;
    b[0].x = 42;
    EXPECT_EQ(a.Vertex(0).x, 0);
    a = a;
    EXPECT_EQ(a.Size(), 4);
    a.Clear();
    EXPECT_EQ(a.Size(), 0);
    EXPECT_EQ(b.Size(), 4);
}

} // namespace
