// Lab-error regions around the samples, in both chart styles.
#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/errorregions.h"
#include "chart/publicationlayout.h"
#include "tests/chart/recordingtarget.h"
#include "tests/chart/samplecharts.h"

#include <gtest/gtest.h>

namespace {

// The closed rings that the region-coloured lines make, as their lines' end points.
std::vector<std::vector<DevicePoint>> Rings(const RecordingTarget& target) {
    std::vector<std::vector<DevicePoint>> rings;
    bool open = false;
    for (const RecordingTarget::Call* line : target.Of("line")) {
        if (line->colour != kErrorRegionColour)
            continue;
        if (!open)
            rings.push_back({line->points[0]});
        EXPECT_EQ(rings.back().back(), line->points[0]) << "a ring's lines follow on";
        rings.back().push_back(line->points[1]);
        open = line->points[1] != rings.back().front();
    }
    EXPECT_FALSE(open) << "every ring closes";
    return rings;
}

struct RegionCase {
    const char* name;
    int publication;
    ErrorModel model;
    double size;
};

class ErrorRegionDrawing : public testing::TestWithParam<RegionCase> {};

} // namespace

// One ring a sample, around it, drawn before (under) the markers; none without a lab error.
TEST_P(ErrorRegionDrawing, OneRingAroundEachSampleUnderTheMarkers) {
    const RegionCase& c = GetParam();
    ChartModel model = Chart(1);
    model.mbPublication = c.publication;
    AddSamples(&model);
    RecordingTarget plain;
    ASSERT_TRUE(PaintChart(plain, model, {0, 0, 900, 600}));
    EXPECT_TRUE(Rings(plain).empty());

    model.mLabError = LabError{c.model, c.size};
    RecordingTarget target;
    ASSERT_TRUE(PaintChart(target, model, {0, 0, 900, 600}));
    const auto rings = Rings(target);
    ASSERT_EQ(rings.size(), model.mPoints.size());
    const ChartLayout layout =
        c.publication ? LayOutPublication(target, model).layout : LayOutChart(target, model);
    for (std::size_t k = 0; k < rings.size(); ++k) {
        const point s = model.mPoints[k];
        const DevicePoint d = MapToDevice(layout, s.x, s.y);
        int left = d.x, right = d.x, top = d.y, bottom = d.y;
        for (const DevicePoint& p : rings[k]) {
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
        // Inside its ring's box, and the ring is a few points wide, not the whole triangle.
        EXPECT_TRUE(left <= d.x && d.x <= right && top <= d.y && d.y <= bottom) << k;
        EXPECT_LT(right - left, 60) << k;
    }
    // The call after the last ring's line is a marker.
    std::size_t last = 0;
    for (std::size_t k = 0; k < target.calls.size(); ++k)
        if (target.calls[k].kind == "line" && target.calls[k].colour == kErrorRegionColour)
            last = k;
    ASSERT_LT(last + 1, target.calls.size());
    EXPECT_EQ(target.calls[last + 1].kind, c.publication ? "polygon" : "ellipse");
}

INSTANTIATE_TEST_SUITE_P(
    BothStyles, ErrorRegionDrawing,
    testing::Values(RegionCase{"ClassicUniform", 0, ErrorModel::Uniform, 2},
                    RegionCase{"ClassicNormal", 0, ErrorModel::Normal, 1.5},
                    RegionCase{"PublicationUniform", 1, ErrorModel::Uniform, 2},
                    RegionCase{"PublicationNormal", 1, ErrorModel::Normal, 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

// Regions stay in the triangle (the ellipse is cut to it), and a range chart or a very large
// set gets none.
TEST(ErrorRegions, InsideTheTriangleAndOnlyForModestSampleSets) {
    ChartModel model = Chart(1);
    model.mPoints = {{0, 0}, {99, 0.5}, {30, 30}, {0, 100}};
    for (const ErrorModel m : {ErrorModel::Uniform, ErrorModel::Normal}) {
        model.mLabError = LabError{m, 3};
        const std::vector<polygon> regions = ErrorRegions(model);
        ASSERT_EQ(regions.size(), model.mPoints.size());
        for (const polygon& r : regions) {
            ASSERT_GE(r.Size(), 3);
            for (const point& p : r.Vertices())
                EXPECT_TRUE(p.x > -1e-6 && p.y > -1e-6 && p.x + p.y < 100 + 1e-6)
                    << p.x << ", " << p.y;
        }
    }
    model.mbSamples = 0;
    EXPECT_TRUE(ErrorRegions(model).empty());
    model.mbSamples = 1;
    AddSamples(&model, int(kMostErrorRegions) + 1);
    EXPECT_TRUE(ErrorRegions(model).empty());
}
