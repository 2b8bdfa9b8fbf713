#include "scheme/rangetext.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(RangeLookup, PolygonAndClassesOfTheTwoZoneScheme) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    const struct {
        double xmin, xmax, ymin, ymax, zmin, zmax;
        std::vector<point> vertices;
        Strings classes;
    } cases[] = {
        {0, 100, 0, 100, 0, 100, {{0, 0}, {100, 0}, {0, 100}}, {"Low", "High"}},
        {0, 10, 0, 10, 80, 100, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {"Low"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scheme.RangePolygon(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax).Vertices(),
                  c.vertices);
        EXPECT_EQ(Names(scheme.RangeLookup(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax)),
                  c.classes);
    }
}

TEST(RangeLookup, UnusableLimitsOrSchemeGiveEmptyResults) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    const struct {
        double xmin, xmax, ymin, ymax, zmin, zmax;
        bool usable;
    } cases[] = {
        {40, 40.0000005, 0, 100, 0, 100, false}, // min not below max within the tolerance
        {0, 100, 0, 100, 60, 50, false},         {-0.0000005, 100, 0, 100, 0, 100, true},
        {-0.001, 100, 0, 100, 0, 100, false},    {0, 100, 0, 100.5, 0, 100, false},
        {80, 100, 80, 100, 0, 100, false}, // outside the triangle
    };
    for (const auto& c : cases) {
        const polygon range = scheme.RangePolygon(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax);
        EXPECT_EQ(range.Size() > 0, c.usable) << c.xmin << " " << c.zmin;
        EXPECT_EQ(scheme.RangeLookup(c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax).empty(),
                  !c.usable)
            << c.xmin << " " << c.zmin;
    }
}

TEST(RangeLookup, ClassOfTwoPolygonsIsListedOnceAsItsFirstRecord) {
    const soiltex scheme = SchemeWithClasses("Split\n7\n0 0\n50 0\n0 50\n#\n"
                                             "Other\n8\n50 0\n100 0\n50 50\n#\n"
                                             "Split\n9\n50 50\n0 100\n0 50\n50 0\n#\n");
    ASSERT_TRUE(scheme.IsValidScheme());
    const std::vector<TextureClass> found = scheme.RangeLookup(0, 100, 0, 100, 0, 100);
    ASSERT_EQ(Names(found), (Strings{"Split", "Other"}));
    EXPECT_EQ(found[0].id, 7);
}

TEST(RangeTexts, CoordinatesWithTwoDecimalsAndZNeverNegative) {
    polygon p;
    p.Add(0, 0);
    p.Add(100.004, 0.001); // x + y beyond 100 by rounding: z is 0, not -0
    p.Add(-0.0000005, 33.333333);
    EXPECT_EQ(RangeCoordinateLines(p), (Strings{"(0.00,\t0.00,\t100.00)", "(100.00,\t0.00,\t0.00)",
                                                "(0.00,\t33.33,\t66.67)"}));
    EXPECT_TRUE(RangeCoordinateLines(polygon()).empty());
}

} // namespace
