// Lab-error regions around the samples, in both chart styles.
#include "chart/drawchart.h"
#include "chart/errorregions.h"
#include "tests/chart/recordingtarget.h"
#include "tests/chart/samplecharts.h"

#include <gtest/gtest.h>

// One closed ring a sample, drawn before (under) the markers; none without a lab error.
TEST(ErrorRegionDrawing, OneClosedRingPerSampleUnderTheMarkersInBothStyles) {
    for (const int publication : {0, 1}) {
        for (const ErrorModel m : {ErrorModel::Uniform, ErrorModel::Normal}) {
            SCOPED_TRACE(publication * 2 + int(m));
            ChartModel model = Chart(1);
            model.mbPublication = publication;
            AddSamples(&model);
            model.mLabError = LabError{m, 2};
            RecordingTarget target;
            ASSERT_TRUE(PaintChart(target, model, {0, 0, 900, 600}));
            std::size_t rings = 0, last = 0;
            DevicePoint start;
            bool open = false;
            for (std::size_t k = 0; k < target.calls.size(); ++k) {
                const RecordingTarget::Call& c = target.calls[k];
                if (c.kind != "line" || c.colour != kErrorRegionColour)
                    continue;
                if (!open)
                    start = c.points[0], ++rings;
                open = c.points[1] != start;
                last = k;
            }
            EXPECT_FALSE(open);
            EXPECT_EQ(rings, model.mPoints.size());
            ASSERT_LT(last + 1, target.calls.size());
            EXPECT_EQ(target.calls[last + 1].kind, publication ? "polygon" : "ellipse");
        }
    }
}

// Regions hold their sample and stay in the triangle (the ellipse is cut to it); a range chart
// or a very large set gets none.
TEST(ErrorRegions, AroundTheSampleInsideTheTriangleAndOnlyForModestSets) {
    ChartModel model = Chart(1);
    model.mPoints = {{0, 0}, {99, 0.5}, {30, 30}, {0, 100}};
    for (const ErrorModel m : {ErrorModel::Uniform, ErrorModel::Normal}) {
        model.mLabError = LabError{m, 3};
        const std::vector<polygon> regions = ErrorRegions(model);
        ASSERT_EQ(regions.size(), model.mPoints.size());
        for (std::size_t k = 0; k < regions.size(); ++k) {
            ASSERT_GE(regions[k].Size(), 3);
            EXPECT_NE(regions[k].Find(model.mPoints[k].x, model.mPoints[k].y),
                      PointLocation::Outside);
            for (const point& p : regions[k].Vertices())
                EXPECT_TRUE(p.x > -1e-6 && p.y > -1e-6 && p.x + p.y < 100 + 1e-6);
        }
    }
    model.mbSamples = 0;
    EXPECT_TRUE(ErrorRegions(model).empty());
    model.mbSamples = 1;
    AddSamples(&model, int(kMostErrorRegions) + 1);
    EXPECT_TRUE(ErrorRegions(model).empty());
}
