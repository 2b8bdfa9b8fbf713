// The chart's layout and drawing, checked on a recording target at 96 pixels per inch.
#include "chart/chartdefinition.h"
#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/textblock.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

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
    EXPECT_LT(DeviceToChart(target, ChartModel{}, {5, 5}).x, 0) << "no triangle, no composition";
}

TEST(DrawChart, FlagsDecideWhatIsDrawn) {
    // Flags in the order triaxial, titles, values, labels, grid, legend, classes.
    const struct {
        const char* name;
        std::array<int, 7> flags;
        std::size_t lines, texts;
    } cases[] = {
        {"AllOffOnlyTheOutline", {0, 0, 0, 0, 0, 0, 0}, 3, 0},
        {"BiaxialGridWithoutValuesHasNoZ", {0, 0, 0, 0, 1, 0, 0}, 3 + 20, 0},
        {"TriaxialGridHasZ", {1, 0, 0, 0, 1, 0, 0}, 3 + 30, 0},
        {"TriaxialValuesWithoutGrid", {1, 0, 1, 0, 0, 0, 0}, 3, 33},
        {"BiaxialValuesHaveNoZ", {0, 0, 1, 0, 0, 0, 0}, 3, 22},
        {"BiaxialTitlesHaveNoZ", {0, 1, 0, 0, 0, 0, 0}, 3, 2},
        {"LegendOnlyWithClasses", {1, 0, 0, 0, 0, 1, 0}, 3, 0},
        // Every edge of the 13 classes, shared ones twice; 13 numbers and the legend's 13 lines
        // (Silt loam, in two regions, is listed once).
        {"ClassesWithNumbersAndLegend", {1, 0, 0, 0, 0, 1, 1}, 62, 13 + 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChartModel model = Usda();
        int* flags[] = {&model.mbTriaxial,      &model.mbAxisTitle, &model.mbAxisValues,
                        &model.mbDataLabels,    &model.mbGridLines, &model.mbLegend,
                        &model.mbTextureClasses};
        for (std::size_t k = 0; k < c.flags.size(); ++k)
            *flags[k] = c.flags[k];
        RecordingTarget target;
        PaintChart(target, model, model.mChartRect);
        EXPECT_EQ(target.Of("line").size(), c.lines);
        EXPECT_EQ(target.Of("text").size(), c.texts);
        EXPECT_EQ(target.Of("line").back()->colour, chartcolour::kBlack) << "boundaries last";
    }
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
    const std::vector<std::string> lines = WrapText(target, "a b\r\nlonger line\n\tx", 1000);
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
