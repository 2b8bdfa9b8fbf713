// The chart's layout and drawing, checked on a recording target at 96 pixels per inch.
#include "chart/chartgeometry.h"
#include "chart/chartdefinition.h"
#include "chart/drawchart.h"
#include "chart/textblock.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

ChartModel WorkedExample(int triaxial) {
    ChartModel model;
    model.mChartRect = {0, 0, 600, 400};
    model.mbTriaxial = triaxial;
    return model;
}

ChartModel Usda() {
    ChartModel model = WorkedExample(1);
    EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme),
              SchemeLoadStatus::Loaded);
    return model;
}

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
        const DevicePoint p = ChartToDevice(target, WorkedExample(c.triaxial), c.x, c.y);
        EXPECT_EQ(p, c.device) << c.triaxial << " (" << c.x << ", " << c.y << ") gave " << p.x
                               << ", " << p.y;
    }
    const point bi = DeviceToChart(target, WorkedExample(0), {299, 199});
    EXPECT_NEAR(bi.x, 49.81, 0.005);
    EXPECT_NEAR(bi.y, 50.19, 0.005);
    const point tri = DeviceToChart(target, WorkedExample(1), {346, 252});
    EXPECT_NEAR(tri.x, 19.90, 0.005);
    EXPECT_NEAR(tri.y, 30.34, 0.005);
}

TEST(ChartMapping, WideWindowIsLimitedByItsHeightAndCentred) {
    const RecordingTarget target;
    ChartModel model = WorkedExample(0);
    model.mChartRect = {10, 20, 2010, 420};
    const DevicePoint left = ChartToDevice(target, model, 0, 0);
    const DevicePoint right = ChartToDevice(target, model, 100, 0);
    EXPECT_EQ(right.x - left.x, 267);
    EXPECT_EQ(left.x - 10, 2000 - right.x + 10 - 1); // (2000 - 267) / 2 on the left
    const point none = DeviceToChart(target, ChartModel{}, {5, 5});
    EXPECT_LT(none.x, 0) << "an empty rectangle holds no composition";
}

TEST(DrawChart, FlagsDecideWhatIsDrawn) {
    ChartModel model = Usda();
    RecordingTarget all;
    PaintChart(all, model, model.mChartRect);
    EXPECT_TRUE(HasText(all, model.mScheme.GetName() + ":"));
    EXPECT_TRUE(HasText(all, "1: Sand"));
    EXPECT_TRUE(HasText(all, "13")) << "class numbers";

    for (int* flag : {&model.mbTriaxial, &model.mbAxisTitle, &model.mbAxisValues,
                      &model.mbDataLabels, &model.mbGridLines, &model.mbLegend,
                      &model.mbTextureClasses})
        *flag = 0;
    RecordingTarget none;
    PaintChart(none, model, model.mChartRect);
    EXPECT_TRUE(none.Of("text").empty());
    ASSERT_EQ(none.Of("line").size(), 3u) << "only the triangle's outline";
    for (const auto* line : none.Of("line"))
        EXPECT_EQ(line->colour, chartcolour::kBlack);

    // Grid without values, values without grid; z only in the tri-axial layout.
    model.mbGridLines = 1;
    RecordingTarget biGrid;
    PaintChart(biGrid, model, model.mChartRect);
    EXPECT_EQ(biGrid.Of("line").size(), 3u + 20u);
    EXPECT_TRUE(biGrid.Of("text").empty());
    model.mbTriaxial = 1;
    RecordingTarget triGrid;
    PaintChart(triGrid, model, model.mChartRect);
    EXPECT_EQ(triGrid.Of("line").size(), 3u + 30u);
    model.mbGridLines = 0;
    model.mbAxisValues = 1;
    RecordingTarget values;
    PaintChart(values, model, model.mChartRect);
    EXPECT_EQ(values.Of("line").size(), 3u);
    EXPECT_EQ(values.Of("text").size(), 33u);
    model.mbTriaxial = 0;
    RecordingTarget biValues;
    PaintChart(biValues, model, model.mChartRect);
    EXPECT_EQ(biValues.Of("text").size(), 22u);

    // The legend only with the classes.
    model.mbLegend = 1;
    RecordingTarget legendAlone;
    PaintChart(legendAlone, model, model.mChartRect);
    EXPECT_FALSE(HasText(legendAlone, "1: Sand"));
}

TEST(DrawChart, LayersAndLabels) {
    ChartModel model = Usda();
    model.mPoints = {{20, 30}, {40, 40}};
    model.mLabels = {"A", "B"};
    RecordingTarget target;
    PaintChart(target, model, model.mChartRect);
    std::vector<std::string> order;
    for (const auto& c : target.calls)
        if (order.empty() || order.back() != c.kind)
            order.push_back(c.kind);
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
    bool found = false;
    for (const auto* t : target.Of("text"))
        found = found || (t->text == "A" && t->points[0] == DevicePoint{p.x - 3, p.y - 12});
    EXPECT_TRUE(found);

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

TEST(DrawChart, LegendEndsAtTheRightEdge) {
    ChartModel model = Usda();
    RecordingTarget target;
    PaintChart(target, model, model.mChartRect);
    const std::vector<std::string> lines =
        WrapText(target, "a b\r\nlonger line\n\tx", 1000);
    EXPECT_EQ(lines, (std::vector<std::string>{"a b", "longer line", "        x"}));
    EXPECT_EQ(WrapText(target, "aa bb cc", 30), (std::vector<std::string>{"aa bb", "cc"}));
    int right = 0;
    for (const auto* t : target.Of("text"))
        if (t->colour == chartcolour::kBlack && t->text.find(": ") != std::string::npos)
            right = std::max(right, t->points[0].x + static_cast<int>(t->text.size()) * 6);
    EXPECT_EQ(right, 597);
}

TEST(ChartDefinition, NameIsCutAtTheFileNamesFirstDot) {
    EXPECT_EQ(ChartDefinitionPath("schemes/usda.dat"), "schemes/usda.cha");
    EXPECT_EQ(ChartDefinitionPath("usda"), "usda.cha");
    EXPECT_EQ(ChartDefinitionPath("/home/a.b/usda.v2.dat"), "/home/a.b/usda.cha");
    ChartModel model;
    EXPECT_EQ(ReadChartDefinition(model), ChartDefinitionStatus::NotFound);
    model.mSchemeFile = "/no/such/scheme.dat";
    EXPECT_EQ(ReadChartDefinition(model), ChartDefinitionStatus::NotFound);
    EXPECT_TRUE(ChartDefinitionMessage(ChartDefinitionStatus::NotFound).empty());
}
