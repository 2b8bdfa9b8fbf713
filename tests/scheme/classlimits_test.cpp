#include "scheme/classlimits.h"
#include "scheme/compositionspace.h"
#include "schemetext.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

// Distance of (x, y) from the polygon's edges on the chart's equilateral triangle of side 100,
// which is composition space shrunk by sqrt 2.
double EdgeDistance(const polygon& region, double x, double y) {
    using compositionspace::Flatten;
    const std::vector<point>& v = region.Vertices();
    double best = 1e9;
    for (std::size_t i = 0; i < v.size(); ++i)
        best = std::min(best, compositionspace::SegmentDistance(Flatten({x, y}), Flatten(v[i]),
                                                                Flatten(v[(i + 1) % v.size()])));
    return best / std::sqrt(2.0);
}

// The range of each fraction over each USDA class, read off the class tests of the USDA
// definitions (where their lines meet each other and the triangle's sides).
TEST(ClassLimitsUsda, RangesFollowTheClassDefinitions) {
    const struct {
        const char* name;
        double sand[2], clay[2], silt[2];
    } rows[] = {
        {"Sand", {85, 100}, {0, 10}, {0, 15}},
        {"Loamy sand", {70, 90}, {0, 15}, {0, 30}},
        {"Sandy loam", {43, 85}, {0, 20}, {0, 50}},
        {"Loam", {23, 52}, {7, 27}, {28, 50}},
        {"Silt loam", {0, 50}, {0, 27}, {50, 88}},
        {"Silt", {0, 20}, {0, 12}, {80, 100}},
        {"Sandy clay loam", {45, 80}, {20, 35}, {0, 28}},
        {"Clay loam", {20, 45}, {27, 40}, {15, 53}},
        {"Silty clay loam", {0, 20}, {27, 40}, {40, 73}},
        {"Sandy clay", {45, 65}, {35, 55}, {0, 20}},
        {"Silty clay", {0, 20}, {40, 60}, {40, 60}},
        {"Clay", {0, 45}, {40, 100}, {0, 40}},
    };
    const soiltex usda = LoadBundled("usda");
    const std::vector<ClassLimits> limits = SchemeClassLimits(usda.Classes());
    ASSERT_EQ(limits.size(), std::size(rows));
    for (const auto& row : rows) {
        const auto found = std::find_if(limits.begin(), limits.end(), [&row](const ClassLimits& l) {
            return l.name == row.name;
        });
        ASSERT_NE(found, limits.end()) << row.name;
        // The scheme's axes are sand, clay, silt.
        const double* expected[] = {row.sand, row.clay, row.silt};
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR(found->min[k], expected[k][0], 1e-9) << row.name << " axis " << k;
            EXPECT_NEAR(found->max[k], expected[k][1], 1e-9) << row.name << " axis " << k;
        }
    }
}

// The centre of every class of a few schemes lies in that class (the lookup gives it), and no
// point of a fine grid inside the class lies farther from its boundary by more than the
// precision plus the grid's own step.
TEST(ClassLimitsCentre, CentreIsInsideAndFarthestFromTheBoundary) {
    for (const char* id : {"usda", "de-ka5", "uk-ssew", "fr-geppa"}) {
        const soiltex scheme = LoadBundled(id);
        for (const ClassLimits& l : SchemeClassLimits(scheme.Classes())) {
            const std::vector<TextureClass> found =
                scheme.PointLookup(l.centre[0], l.centre[1], l.centre[2]);
            ASSERT_EQ(found.size(), 1u) << id << " " << l.name;
            EXPECT_EQ(found.front().name, l.name) << id;
            EXPECT_GT(l.centreDistance, 0) << id << " " << l.name;
            EXPECT_NEAR(l.centre[0] + l.centre[1] + l.centre[2], 100, 1e-9);
            double farthest = 0;
            for (const TextureClass& part : scheme.Classes()) {
                if (part.name != l.name)
                    continue;
                for (double x = 0; x <= 100; x += 0.5) {
                    for (double y = 0; x + y <= 100; y += 0.5) {
                        if (part.region.Find(x, y) == PointLocation::Inside)
                            farthest = std::max(farthest, EdgeDistance(part.region, x, y));
                    }
                }
            }
            EXPECT_LE(farthest, l.centreDistance + kCentrePrecision) << id << " " << l.name;
            EXPECT_GE(l.centreDistance + 1e-9, farthest - 0.5) << id << " " << l.name;
        }
    }
}

TEST(ClassLimitsCentre, PoleOfATriangleIsItsIncentre) {
    // In the equilateral triangle of the chart the whole triangle's pole is its centre, one
    // third of each fraction, at the inradius 100 / (2 sqrt 3).
    polygon whole;
    whole.Add(0, 0);
    whole.Add(100, 0);
    whole.Add(0, 100);
    double distance = 0;
    const point pole = PoleOfInaccessibility(whole, kCentrePrecision, &distance);
    EXPECT_NEAR(pole.x, 100 / 3.0, 0.05);
    EXPECT_NEAR(pole.y, 100 / 3.0, 0.05);
    EXPECT_NEAR(distance, 100 / (2 * std::sqrt(3.0)), kCentrePrecision);
}

} // namespace
