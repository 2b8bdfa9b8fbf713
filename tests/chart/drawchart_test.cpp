// The chart's layout and drawing, checked on a recording target at 96 pixels per inch.
#include "chart/chartdefinition.h"
#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/textblock.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"
#include "tests/chart/samplecharts.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

bool HasText(const RecordingTarget& t, const std::string& text) {
    const auto texts = t.Of("text");
    return std::any_of(texts.begin(), texts.end(), [&](auto* c) { return c->text == text; });
}

} // namespace

TEST(ChartMapping, WorkedExampleBothLayoutsBothWays) {
    const RecordingTarget target;
    const struct {
        int triaxial;
        double x, y;
        DevicePoint device;
    } cases[] = {
        {0, 0, 0, {166, 333}},   {0, 100, 0, {433, 333}}, {0, 0, 100, {166, 66}},
        {0, 50, 50, {299, 199}}, {0, 20, 30, {219, 252}}, {1, 0, 0, {454, 333}},
        {1, 100, 0, {146, 333}}, {1, 0, 100, {300, 66}},  {1, 50, 0, {300, 333}},
        {1, 20, 30, {346, 252}}, // 252.9 truncated after rounding
    };
    for (const auto& c : cases) {
        const DevicePoint p = ChartToDevice(target, Chart(c.triaxial, false), c.x, c.y);
        EXPECT_EQ(p, c.device) << c.triaxial << " (" << c.x << ", " << c.y << ") gave " << p.x
                               << ", " << p.y;
    }
    const point bi = DeviceToChart(target, Chart(0, false), {299, 199});
    EXPECT_NEAR(bi.x, 49.81, 0.005);
    EXPECT_NEAR(bi.y, 50.19, 0.005);
    const point tri = DeviceToChart(target, Chart(1, false), {346, 252});
    EXPECT_NEAR(tri.x, 19.90, 0.005);
    EXPECT_NEAR(tri.y, 30.34, 0.005);
    EXPECT_LT(DeviceToChart(target, ChartModel{}, {5, 5}).x, 0) << "no triangle, no composition";
}

TEST(DrawChart, FlagsDecideWhatIsDrawn) {
    // Flags in the order triaxial, titles, values, grid, legend, classes.
    const struct {
        std::array<int, 6> flags;
        std::size_t lines, texts;
    } cases[] = {
        {{0, 0, 0, 1, 0, 0}, 3 + 20, 0}, // bi-axial: no z grid, values or title
        {{1, 0, 0, 1, 0, 0}, 3 + 30, 0},
        {{1, 0, 1, 0, 0, 0}, 3, 33},
        {{0, 0, 1, 0, 0, 0}, 3, 22},
        {{0, 1, 0, 0, 0, 0}, 3, 2},
        {{1, 0, 0, 0, 1, 0}, 3, 0}, // a legend only with the classes
        // Every edge of the 13 classes, shared ones twice; 13 numbers and the legend's 13 lines
        // (Silt loam, in two regions, is listed once).
        {{1, 0, 0, 0, 1, 1}, 62, 13 + 13},
    };
    for (const auto& c : cases) {
        ChartModel model = Chart(1);
        int* flags[] = {&model.mbTriaxial,  &model.mbAxisTitle, &model.mbAxisValues,
                        &model.mbGridLines, &model.mbLegend,    &model.mbTextureClasses};
        for (std::size_t k = 0; k < c.flags.size(); ++k)
            *flags[k] = c.flags[k];
        RecordingTarget target;
        PaintChart(target, model, model.mChartRect);
        EXPECT_EQ(target.Of("line").size(), c.lines) << &c - cases;
        EXPECT_EQ(target.Of("text").size(), c.texts) << &c - cases;
        EXPECT_EQ(target.Of("line").back()->colour, chartcolour::kBlack) << "boundaries last";
    }
}

TEST(DrawChart, LayersLabelsAndLegend) {
    ChartModel model = Chart(1);
    model.mPoints = {{20, 30}, {40, 40}};
    model.mLabels = {"A", "B"};
    RecordingTarget target;
    PaintChart(target, model, model.mChartRect);
    const auto first = [&](const std::string& kind, Colour colour) {
        for (std::size_t i = 0; i < target.calls.size(); ++i)
            if (target.calls[i].kind == kind && target.calls[i].colour == colour)
                return i;
        return target.calls.size();
    };
    EXPECT_LT(first("line", chartcolour::kGrey), first("ellipse", chartcolour::kRed));
    EXPECT_LT(first("ellipse", chartcolour::kRed), first("line", chartcolour::kBlack));
    EXPECT_LT(first("line", chartcolour::kBlack), first("text", chartcolour::kDarkGrey));
    ASSERT_EQ(target.Of("ellipse").size(), 2u);
    EXPECT_EQ(target.Of("ellipse")[0]->points[1], (DevicePoint{3, 3}));
    // Label centred above its point: 6 wide, 10 high, top at y - 12.
    const DevicePoint p = ChartToDevice(target, model, 20, 30);
    const auto texts = target.Of("text");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](auto* t) {
        return t->text == "A" && t->points[0] == DevicePoint{p.x - 3, p.y - 12};
    }));
    int right = 0; // the legend ends at the right edge
    for (const auto* t : texts)
        if (t->colour == chartcolour::kBlack && t->text.find(": ") != std::string::npos)
            right = std::max(right, t->points[0].x + static_cast<int>(t->text.size()) * 6);
    EXPECT_EQ(right, 597);
    EXPECT_TRUE(HasText(target, "5, 13: Silt loam")) << "a class of two regions listed once";
    EXPECT_TRUE(HasText(target, "13")) << "each region keeps its number";
    EXPECT_EQ(WrapText(target, "a b\r\nlonger line\n\tx", 1000),
              (std::vector<std::string>{"a b", "longer line", "        x"}));
    EXPECT_EQ(WrapText(target, "aa bb cc", 30), (std::vector<std::string>{"aa bb", "cc"}));

    model.mLabels = {"A"}; // counts differ: markers only
    RecordingTarget unlabelled;
    PaintChart(unlabelled, model, model.mChartRect);
    EXPECT_EQ(unlabelled.Of("ellipse").size(), 2u);
    EXPECT_FALSE(HasText(unlabelled, "A"));
    model.mbSamples = 0;
    model.mPoints.clear();
    RecordingTarget empty;
    PaintChart(empty, model, model.mChartRect);
    EXPECT_TRUE(empty.Of("polygon").empty()) << "a range polygon without vertices draws nothing";
}

TEST(ChartDefinition, NameIsCutAtTheFileNamesFirstDot) {
    EXPECT_EQ(ChartDefinitionPath("/home/a.b/usda.v2.dat"), "/home/a.b/usda.cha");
    EXPECT_EQ(ChartDefinitionPath("usda"), "usda.cha");
}

// The axis titles stood a fixed share of the side away from a triangle laid out with fixed
// margins, so "Sand" fell off the bottom of a 1280 by 860 chart and "Clay" off the left of a
// tall bi-axial one.
TEST(ChartLayout, TitlesAndValuesStayInsideThePictureAtEverySize) {
    const std::array<int, 2> sizes[] = {{600, 400},   {560, 349}, {1280, 860},
                                        {1920, 1080}, {700, 900}, {400, 1000},
                                        {2000, 500},  {330, 300}, {5000, 4000}};
    for (const int dpi : {96, 300}) {
        for (const int triaxial : {1, 0}) {
            for (const auto& [width, height] : sizes) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) +
                             (triaxial ? " tri " : " bi ") + std::to_string(dpi) + " dpi");
                ChartModel model = Chart(triaxial);
                model.mXName = "Sand";
                model.mYName = "Clay";
                model.mZName = "Silt";
                const ChartRect rect{0, 0, width * dpi / 96, height * dpi / 96};
                RecordingTarget target(dpi);
                ASSERT_TRUE(PaintChart(target, model, rect));
                EXPECT_EQ(target.Of("text").size(), (triaxial ? 33u + 3 : 22u + 2) + 13 + 13);
                for (const TextBox& box : target.TextBoxes())
                    EXPECT_TRUE(box.Inside(rect))
                        << box.left << "," << box.top << " " << box.right << "," << box.bottom;
            }
        }
    }
}

TEST(ChartLayout, TitleLongerThanThePictureIsPushedInside) {
    ChartModel model = Chart(0);
    model.mYName = std::string(120, 'c'); // 720 units, wider than the picture
    RecordingTarget target;
    ASSERT_TRUE(PaintChart(target, model, model.mChartRect));
    for (const TextBox& box : target.TextBoxes())
        EXPECT_GE(box.left, 0);
}

// A picture with no room for the triangle drew a tiny inverted one under its labels.
TEST(ChartLayout, NoRoomForTheTriangleDrawsNothing) {
    for (const auto& [width, height, dpi] : {std::array{230, 180, 96}, {600, 400, 300}}) {
        ChartModel model = Chart(1);
        AddSamples(&model);
        RecordingTarget target(dpi);
        EXPECT_FALSE(PaintChart(target, model, {0, 0, width, height})) << dpi;
        EXPECT_EQ(target.calls.size(), 1u) << "only the white fill";
        EXPECT_LT(ChartToDevice(target, model, 50, 50).x, width) << "mapping still defined";
        EXPECT_LT(DeviceToChart(target, model, {width / 2, height / 2}).x, 0);
    }
}

TEST(ChartLayout, HigherResolutionIsTheSamePictureLarger) {
    for (const int triaxial : {1, 0}) {
        ChartModel model = Chart(triaxial);
        AddSamples(&model);
        RecordingTarget screen, print(300);
        PaintChart(screen, model, {0, 0, 600, 400});
        PaintChart(print, model, {0, 0, 1875, 1250});
        for (const char* kind : {"line", "ellipse"}) {
            const auto small = screen.Of(kind), large = print.Of(kind);
            ASSERT_EQ(small.size(), large.size()) << kind;
            for (std::size_t k = 0; k < small.size(); ++k) {
                for (std::size_t p = 0; p < small[k]->points.size(); ++p) {
                    EXPECT_NEAR(small[k]->points[p].x * 3.125, large[k]->points[p].x, 4);
                    EXPECT_NEAR(small[k]->points[p].y * 3.125, large[k]->points[p].y, 4);
                }
            }
        }
    }
}

// Sample labels were drawn over each other, the class numbers and the axis values.
TEST(ChartLabels, NoLabelOverlapsAnotherText) {
    const struct {
        int triaxial, samples, width, height, dpi;
        std::size_t drawn; // at least this many labels find room
    } cases[] = {
        {1, 0, 600, 400, 96, 15},
        {0, 0, 600, 400, 96, 15},
        // Plot C-05 finds no room in the crowded corner beside Plot A-02 at this resolution.
        {1, 0, 1875, 1250, 300, 14},
        {1, 1000, 900, 600, 96, 100},
        {0, 1000, 900, 600, 96, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ChartModel model = Chart(c.triaxial);
        AddSamples(&model, c.samples);
        const std::set<std::string> labels(model.mLabels.begin(), model.mLabels.end());
        RecordingTarget target(c.dpi);
        PaintChart(target, model, {0, 0, c.width, c.height});
        const auto texts = target.Of("text");
        const std::vector<TextBox> boxes = target.TextBoxes();
        std::size_t drawn = 0;
        for (std::size_t a = 0; a < boxes.size(); ++a) {
            if (!labels.count(texts[a]->text))
                continue;
            ++drawn;
            for (std::size_t b = 0; b < boxes.size(); ++b)
                EXPECT_TRUE(a == b || !boxes[a].Overlaps(boxes[b]))
                    << texts[a]->text << " over " << texts[b]->text;
        }
        // Each one near its own point: within two text lines and the marker.
        const int reach = (2 * 10 + 3) * c.dpi / 96;
        for (std::size_t k = 0; k < model.mPoints.size(); ++k) {
            const DevicePoint p =
                ChartToDevice(target, model, model.mPoints[k].x, model.mPoints[k].y);
            for (std::size_t a = 0; a < boxes.size(); ++a) {
                if (texts[a]->text != model.mLabels[k])
                    continue;
                EXPECT_LE(std::max(boxes[a].left - p.x, p.x - boxes[a].right), reach);
                EXPECT_LE(std::max(boxes[a].top - p.y, p.y - boxes[a].bottom), reach);
            }
        }
        EXPECT_GE(drawn, c.drawn);
    }
}

// A million samples made a picture of a million circles and labels (5 GB for an SVG).
TEST(ChartSamples, LargeSetDrawsOneMarkerPerDevicePoint) {
    ChartModel model = Chart(1);
    AddSamples(&model, 100000);
    RecordingTarget target;
    PaintChart(target, model, model.mChartRect);
    const ChartLayout layout = LayOutChart(target, model);
    std::set<std::pair<int, int>> points, centres;
    for (const point& p : model.mPoints) {
        const DevicePoint d = MapToDevice(layout, p.x, p.y);
        points.insert({d.x, d.y});
    }
    for (const auto* e : target.Of("ellipse"))
        centres.insert({e->points[0].x, e->points[0].y});
    EXPECT_EQ(target.Of("ellipse").size(), centres.size()) << "each point once";
    EXPECT_EQ(centres, points) << "and none left out";
    // The triangle of the worked example covers 308 * 267 / 2 device points.
    EXPECT_LT(centres.size(), 42000u);
    EXPECT_LT(target.Of("text").size(), 2000u) << "labels only where there is room";
}
