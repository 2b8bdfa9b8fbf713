// The chart's layout and drawing, checked on a recording target at 96 pixels per inch.
#include "chart/chartdefinition.h"
#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/textblock.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace {

// The mapping's worked example: 600 by 400 at 96 dpi with the classic margins (nothing beside
// the triangle asks for more room).
ChartModel WorkedExample(int triaxial) {
    ChartModel model;
    model.mChartRect = {0, 0, 600, 400};
    model.mbTriaxial = triaxial;
    model.mbAxisTitle = model.mbAxisValues = 0;
    return model;
}

// The USDA chart with everything shown, in the worked example's rectangle.
ChartModel Usda() {
    ChartModel model = WorkedExample(1);
    model.mbAxisTitle = model.mbAxisValues = 1;
    EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme),
              SchemeLoadStatus::Loaded);
    return model;
}

// The samples of the example file, as the Point Lookup page hands them over.
void AddExampleSamples(ChartModel* model) {
    std::ifstream file(GRANUM_TEST_DATA_DIR "/../../examples/samples.csv");
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string id, x, y;
        std::getline(fields, id, ',');
        std::getline(fields, x, ',');
        std::getline(fields, y, ',');
        model->mPoints.push_back({std::stod(x), std::stod(y)});
        model->mLabels.push_back(id);
    }
    EXPECT_EQ(model->mPoints.size(), 15u);
}

// count samples spread evenly over the triangle, from a fixed seed, labelled "S1", "S2"...
void AddRandomSamples(ChartModel* model, int count) {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> percent(0, 100);
    while (static_cast<int>(model->mPoints.size()) < count) {
        const double x = percent(random);
        const double y = percent(random);
        if (x + y > 100)
            continue;
        model->mPoints.push_back({x, y});
        model->mLabels.push_back("S" + std::to_string(model->mPoints.size()));
    }
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
    EXPECT_TRUE(HasText(target, "5, 13: Silt loam")) << "a class of two regions listed once";
    EXPECT_TRUE(HasText(target, "13")) << "each region keeps its number";
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

// The axis titles stood a fixed share of the side away from a triangle laid out with fixed
// margins, so "Sand" fell off the bottom of a 1280 by 860 chart and "Clay" off the left of a
// tall bi-axial one.
TEST(ChartLayout, TitlesAndValuesStayInsideThePictureAtEverySize) {
    const struct {
        int width, height;
    } sizes[] = {{600, 400},  {560, 349},  {1280, 860}, {1920, 1080}, {700, 900},
                 {400, 1000}, {2000, 500}, {330, 300},  {5000, 4000}};
    for (const int dpi : {96, 300}) {
        for (const int triaxial : {1, 0}) {
            for (const auto& size : sizes) {
                SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) +
                             (triaxial ? " tri " : " bi ") + std::to_string(dpi) + " dpi");
                ChartModel model = Usda();
                model.mbTriaxial = triaxial;
                model.mXName = "Sand";
                model.mYName = "Clay";
                model.mZName = "Silt";
                const ChartRect rect{0, 0, size.width * dpi / 96, size.height * dpi / 96};
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
    ChartModel model = Usda();
    model.mbTriaxial = 0;
    model.mYName = std::string(120, 'c'); // 720 units, wider than the picture
    RecordingTarget target;
    ASSERT_TRUE(PaintChart(target, model, model.mChartRect));
    for (const TextBox& box : target.TextBoxes())
        EXPECT_GE(box.left, 0);
}

// A picture with no room for the triangle drew a tiny inverted one under its labels.
TEST(ChartLayout, NoRoomForTheTriangleDrawsNothing) {
    const struct {
        int width, height, dpi;
    } cases[] = {{200, 120, 96}, {100, 100, 96}, {600, 400, 300}, {230, 180, 96}};
    for (const auto& c : cases) {
        ChartModel model = Usda();
        AddExampleSamples(&model);
        RecordingTarget target(c.dpi);
        EXPECT_FALSE(PaintChart(target, model, {0, 0, c.width, c.height}))
            << c.width << "x" << c.height << " at " << c.dpi;
        EXPECT_EQ(target.calls.size(), 1u) << "only the white fill";
        EXPECT_LT(ChartToDevice(target, model, 50, 50).x, c.width) << "mapping still defined";
        EXPECT_LT(DeviceToChart(target, model, {c.width / 2, c.height / 2}).x, 0);
    }
}

TEST(ChartLayout, HigherResolutionIsTheSamePictureLarger) {
    for (const int triaxial : {1, 0}) {
        ChartModel model = Usda();
        model.mbTriaxial = triaxial;
        AddExampleSamples(&model);
        RecordingTarget screen;
        RecordingTarget print(300);
        PaintChart(screen, model, {0, 0, 600, 400});
        PaintChart(print, model, {0, 0, 1875, 1250});
        for (const char* kind : {"line", "ellipse"}) {
            const auto small = screen.Of(kind);
            const auto large = print.Of(kind);
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
        const char* name;
        int triaxial, samples, width, height, dpi;
        std::size_t drawn; // at least this many labels find room
    } cases[] = {
        {"ExampleFile", 1, 0, 600, 400, 96, 15},
        {"ExampleFileBiaxial", 0, 0, 600, 400, 96, 15},
        {"ExampleFileLarge", 1, 0, 1280, 860, 96, 15},
        // Plot C-05 finds no room in the crowded corner beside Plot A-02 at this resolution.
        {"ExampleFile300Dpi", 1, 0, 1875, 1250, 300, 14},
        {"ThousandSamples", 1, 1000, 900, 600, 96, 100},
        {"ThousandBiaxial", 0, 1000, 900, 600, 96, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChartModel model = Usda();
        model.mbTriaxial = c.triaxial;
        if (c.samples)
            AddRandomSamples(&model, c.samples);
        else
            AddExampleSamples(&model);
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
        for (std::size_t k = 0; k < model.mPoints.size(); ++k) {
            const DevicePoint p =
                ChartToDevice(target, model, model.mPoints[k].x, model.mPoints[k].y);
            for (std::size_t a = 0; a < boxes.size(); ++a) {
                if (texts[a]->text != model.mLabels[k])
                    continue;
                const int reach = (2 * 10 + 3) * c.dpi / 96;
                EXPECT_LE(std::max(boxes[a].left - p.x, p.x - boxes[a].right), reach);
                EXPECT_LE(std::max(boxes[a].top - p.y, p.y - boxes[a].bottom), reach);
            }
        }
        EXPECT_GE(drawn, c.drawn);
    }
}

// A million samples made a picture of a million circles and labels (5 GB for an SVG).
TEST(ChartSamples, LargeSetDrawsOneMarkerPerDevicePoint) {
    ChartModel model = Usda();
    AddRandomSamples(&model, 100000);
    RecordingTarget target;
    PaintChart(target, model, model.mChartRect);
    const ChartLayout layout = LayOutChart(target, model);
    std::set<std::pair<int, int>> points;
    for (const point& p : model.mPoints) {
        const DevicePoint d = MapToDevice(layout, p.x, p.y);
        points.insert({d.x, d.y});
    }
    std::set<std::pair<int, int>> centres;
    for (const auto* e : target.Of("ellipse"))
        centres.insert({e->points[0].x, e->points[0].y});
    EXPECT_EQ(target.Of("ellipse").size(), centres.size()) << "each point once";
    EXPECT_EQ(centres, points) << "and none left out";
    // The triangle of the worked example covers 308 * 267 / 2 device points.
    EXPECT_LT(centres.size(), 42000u);
    EXPECT_LT(target.Of("text").size(), 2000u) << "labels only where there is room";
}
