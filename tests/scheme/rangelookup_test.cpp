#include "scheme/rangetext.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

Strings Names(const std::vector<TextureClass>& classes) {
    Strings names;
    for (const TextureClass& c : classes)
        names.push_back(c.name);
    return names;
}

void ExpectVertices(const polygon& p, std::initializer_list<point> expected) {
    ASSERT_EQ(p.Size(), int(expected.size()));
    unsigned i = 0;
    for (const point& v : expected) {
        EXPECT_DOUBLE_EQ(p.Vertex(i).x, v.x) << "vertex " << i;
        EXPECT_DOUBLE_EQ(p.Vertex(i).y, v.y) << "vertex " << i;
        ++i;
    }
}

class RangeLookupTwoZone : public ::testing::Test {
protected:
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
};

TEST_F(RangeLookupTwoZone, WholeRangeIsTheTriangle) {
    ExpectVertices(scheme.RangePolygon(0, 100, 0, 100, 0, 100), {{0, 0}, {100, 0}, {0, 100}});
    EXPECT_EQ(Names(scheme.RangeLookup(0, 100, 0, 100, 0, 100)), (Strings{"Low", "High"}));
}

TEST_F(RangeLookupTwoZone, SmallSquareInLow) {
    ExpectVertices(scheme.RangePolygon(0, 10, 0, 10, 80, 100), {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(Names(scheme.RangeLookup(0, 10, 0, 10, 80, 100)), Strings{"Low"});
}

TEST_F(RangeLookupTwoZone, HexagonAcrossTheBoundary) {
    ExpectVertices(scheme.RangePolygon(20, 40, 10, 30, 40, 60),
                   {{30, 10}, {40, 10}, {40, 20}, {30, 30}, {20, 30}, {20, 20}});
    EXPECT_EQ(Names(scheme.RangeLookup(20, 40, 10, 30, 40, 60)), (Strings{"Low", "High"}));
}

struct LimitsCase {
    const char* name;
    double xmin, xmax, ymin, ymax, zmin, zmax;
    bool usable;
};

class RangeLimits : public ::testing::TestWithParam<LimitsCase> {};

TEST_P(RangeLimits, UnusableLimitsGiveEmptyResults) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    const LimitsCase& c = GetParam();
    const polygon range = scheme.RangePolygon(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax);
    EXPECT_EQ(range.Size() > 0, c.usable);
    EXPECT_EQ(scheme.RangeLookup(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax).empty(),
              !c.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RangeLimits,
    ::testing::Values(LimitsCase{"MinEqualsMax", 40, 40, 0, 100, 0, 100, false},
                      LimitsCase{"MinWithinToleranceOfMax", 40, 40.0000005, 0, 100, 0, 100, false},
                      LimitsCase{"MinAboveMax", 0, 100, 0, 100, 60, 50, false},
                      LimitsCase{"SlightlyNegativeMin", -0.0000005, 100, 0, 100, 0, 100, true},
                      LimitsCase{"NegativeMin", -0.001, 100, 0, 100, 0, 100, false},
                      LimitsCase{"MaxAboveHundred", 0, 100, 0, 100.5, 0, 100, false},
                      LimitsCase{"OutsideTheTriangle", 80, 100, 80, 100, 0, 100, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeLookup, InvalidSchemeGivesNothing) {
    const soiltex gap = SchemeWithClasses("A\n1\n0 0\n80 0\n0 80\n#\n");
    EXPECT_EQ(gap.RangePolygon(0, 100, 0, 100, 0, 100).Size(), 0);
    EXPECT_TRUE(gap.RangeLookup(0, 100, 0, 100, 0, 100).empty());
}

TEST(RangeLookup, ClassOfTwoPolygonsIsListedOnceAsItsFirstRecord) {
    const soiltex scheme = SchemeWithClasses(
        "Split\n7\n0 0\n50 0\n0 50\n#\nOther\n8\n50 0\n100 0\n50 50\n#\nSplit\n9\n50 50\n0 100\n0 "
        "50\n50 0\n#\n");
    ASSERT_TRUE(scheme.IsValidScheme());
    const std::vector<TextureClass> found = scheme.RangeLookup(0, 100, 0, 100, 0, 100);
    ASSERT_EQ(Names(found), (Strings{"Split", "Other"}));
    EXPECT_EQ(found[0].id, 7);
}

TEST(RemoveCopies, KeepsTheFirstOfEachName) {
    std::vector<TextureClass> list;
    for (const char* name : {"A", "B", "A", "C", "B", "a"})
        list.push_back(TextureClass{name, 0, polygon()});
    soiltex::RemoveCopies(&list);
    EXPECT_EQ(Names(list), (Strings{"A", "B", "C", "a"}));
    try {
        soiltex::RemoveCopies(nullptr);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "soiltex::RemoveCopies");
    }
}

TEST(RangeTexts, CountsAndCoordinates) {
    EXPECT_EQ(RangeCountText(0), "0 texture class");
    EXPECT_EQ(RangeCountText(1), "1 texture class");
    EXPECT_EQ(RangeCountText(2), "2 texture classes");
    polygon p;
    p.Add(0, 0);
    p.Add(100.004, 0.001); // x + y beyond 100 by rounding: z is 0, not -0
    p.Add(-0.0000005, 33.333333);
    EXPECT_EQ(RangeCoordinateLines(p),
              (Strings{"(0.00,\t0.00,\t100.00)", "(100.00,\t0.00,\t0.00)",
                       "(0.00,\t33.33,\t66.67)"}));
    EXPECT_TRUE(RangeCoordinateLines(polygon()).empty());
}

} // namespace
