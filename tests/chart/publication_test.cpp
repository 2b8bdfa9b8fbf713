// The publication style: its frame stays in the picture, class names stay in their classes, no
// text covers another, and large sets become density cells.
#include "chart/chartgeometry.h"
#include "chart/densitycells.h"
#include "chart/drawchart.h"
#include "chart/pointgroups.h"
#include "chart/publicationlayout.h"
#include "geometry/polelabel.h"
#include "tests/chart/recordingtarget.h"
#include "tests/chart/samplecharts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

const Colour kClassText{0x22, 0x22, 0x22};

ChartModel Publication(int triaxial, const char* scheme = "usda") {
    ChartModel model = Chart(triaxial);
    const std::string path = GRANUM_SCHEMES_DIR "/" + std::string(scheme) + ".dat";
    EXPECT_EQ(LoadSchemeFile(path, &model.mScheme), SchemeLoadStatus::Loaded);
    model.mMetadata = ReadSchemeFileMetadata(path);
    model.mXName = model.mScheme.GetXName();
    model.mYName = model.mScheme.GetYName();
    model.mZName = model.mScheme.GetZName();
    model.mbPublication = 1;
    return model;
}

void GroupByPrefix(ChartModel* model) {
    std::vector<std::string> prefixes;
    for (const std::string& label : model->mLabels)
        prefixes.push_back(SampleIdPrefix(label));
    GroupByValues(prefixes, &model->mGroups, &model->mGroupNames);
    model->mGroupTitle = "Plot";
}

std::string Text(const TextBox& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.right) +
           "," + std::to_string(b.bottom);
}

} // namespace

TEST(PublicationLayout, EverythingStaysInsideThePictureAtEverySize) {
    const std::array<int, 3> sizes[] = {{600, 400, 96},  {1280, 860, 96}, {400, 1000, 96},
                                        {2000, 500, 96}, {330, 300, 96},  {1875, 1250, 300}};
    for (const int triaxial : {1, 0}) {
        for (const bool legend : {false, true}) {
            for (const auto& [width, height, dpi] : sizes) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) +
                             (triaxial ? " tri" : " bi") + (legend ? " legend" : ""));
                ChartModel model = Publication(triaxial);
                AddSamples(&model);
                if (legend)
                    GroupByPrefix(&model);
                const ChartRect rect{0, 0, width, height};
                RecordingTarget target(dpi);
                if (!PaintChart(target, model, rect)) {
                    EXPECT_LT(std::min(width, height) * 96 / dpi, 400) << "only a small one";
                    continue;
                }
                // Titles carry the particle sizes; every value is there.
                const PublicationFrame frame = LayOutPublication(target, model);
                EXPECT_EQ(frame.values.size(), triaxial ? 33u : 22u);
                ASSERT_FALSE(frame.titles.empty());
                EXPECT_EQ(frame.titles[0].text, "Sand (50\u20132000 \u00b5m) %");
                for (const TextBox& box : target.TextBoxes())
                    EXPECT_TRUE(box.Inside(rect)) << Text(box);
                for (const auto* kind : {"line", "polygon"})
                    for (const auto* call : target.Of(kind))
                        for (const DevicePoint& p : call->points)
                            EXPECT_TRUE(p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height)
                                << kind << " " << p.x << "," << p.y;
                // The legend is left out only where it has no room.
                const bool shown = frame.legend.right > frame.legend.left;
                EXPECT_TRUE(legend || !shown);
                EXPECT_TRUE(shown || !legend || height * 96 / dpi < 400);
                // The mouse readout uses the same layout as the drawing.
                const DevicePoint apex = ChartToDevice(target, model, 0, 100);
                EXPECT_NEAR(DeviceToChart(target, model, apex).y, 100, 1);
            }
        }
    }
}

TEST(PublicationLabels, ClassNamesInsideTheirClassesAndNoTextOverAnother) {
    for (const char* scheme : {"usda", "de-ka5", "uk-ssew"}) {
        for (const int triaxial : {1, 0}) {
            SCOPED_TRACE(std::string(scheme) + (triaxial ? " tri" : " bi"));
            ChartModel model = Publication(triaxial, scheme);
            AddSamples(&model);
            GroupByPrefix(&model);
            RecordingTarget target;
            const ChartRect rect{0, 0, 900, 650};
            ASSERT_TRUE(PaintChart(target, model, rect));
            const ChartLayout layout = LayOutChart(target, model);
            const auto texts = target.Of("text");
            const std::vector<TextBox> boxes = target.TextBoxes();
            std::size_t names = 0, labels = 0;
            for (std::size_t a = 0; a < boxes.size(); ++a) {
                for (std::size_t b = a + 1; b < boxes.size(); ++b)
                    EXPECT_FALSE(boxes[a].Overlaps(boxes[b]))
                        << texts[a]->text << " over " << texts[b]->text;
                labels += texts[a]->text.rfind("Plot ", 0) == 0 && texts[a]->text.size() > 6;
                if (texts[a]->colour != kClassText)
                    continue;
                ++names;
                // Inside a region whose name or abbreviation it shows.
                bool inside = false;
                for (const TextureClass& c : model.mScheme.Classes()) {
                    const auto abbreviation = model.mMetadata.abbreviations.find(c.id);
                    const bool named = c.name.find(texts[a]->text) != std::string::npos ||
                                       (abbreviation != model.mMetadata.abbreviations.end() &&
                                        abbreviation->second == texts[a]->text);
                    std::vector<point> ring;
                    for (const point& v : c.region.Vertices()) {
                        const DevicePoint d = MapToDevice(layout, v.x, v.y);
                        ring.push_back({double(d.x), double(d.y)});
                    }
                    const TextBox& b = boxes[a];
                    inside = inside ||
                             (named && RingContainsBox(ring, b.left, b.top, b.right, b.bottom));
                }
                EXPECT_TRUE(inside) << texts[a]->text << " at " << Text(boxes[a]);
            }
            EXPECT_GE(names, model.mScheme.Classes().size() * 3 / 4) << "most classes named";
            EXPECT_GE(labels, 12u) << "most samples labelled";
        }
    }
}

TEST(PublicationSamples, LargeSetsAndForcedDensityDrawCellsNotMarkers) {
    const struct {
        int samples, forced;
        bool cells;
    } cases[] = {{15, 0, false}, {15, 1, true}, {4000, 0, false}, {100000, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.samples);
        ChartModel model = Publication(1);
        AddSamples(&model, c.samples);
        model.mbDensity = c.forced;
        model.mbTextureClasses = 0; // only markers and cells are polygons then
        RecordingTarget target;
        ASSERT_TRUE(PaintChart(target, model, {0, 0, 900, 600}));
        const std::size_t polygons = target.Of("polygon").size();
        const std::size_t arrowHeads = 3;
        if (c.cells) {
            // A sixtieth of the side per cell: a few thousand at most, and a key of them.
            EXPECT_LT(polygons, 4000u);
            EXPECT_TRUE(std::any_of(target.calls.begin(), target.calls.end(),
                                    [](const auto& t) { return t.text == "Samples per cell"; }));
        } else {
            EXPECT_EQ(polygons, arrowHeads + model.mPoints.size());
        }
    }
}

// Counts add up, cells stay inside the triangle, and a cell cut by a side counts as a whole one
// (scaled by at most four).
TEST(DensityCells, CountEverySampleOnceInsideTheTriangle) {
    ChartModel model = Chart(1);
    RecordingTarget target;
    const ChartLayout layout = LayOutChart(target, model);
    std::mt19937 random(42);
    std::uniform_real_distribution<double> percent(0, 100);
    std::vector<point> points(3000, point{30, 30}); // a whole cell in the middle
    const std::size_t corner = 200;
    points.insert(points.end(), corner, point{0, 0});
    while (points.size() < 20000) {
        const double x = percent(random), y = percent(random);
        if (x + y <= 100)
            points.push_back({x, y});
    }
    const double radius = 5;
    const std::vector<DensityCell> cells = DensityCells(layout, points, radius);
    const DevicePoint a = MapToDevice(layout, 0, 0), b = MapToDevice(layout, 100, 0),
                      apex = MapToDevice(layout, 0, 100);
    double highest = 0, cornerDensity = 0;
    for (const DensityCell& cell : cells) {
        ASSERT_GE(cell.outline.size(), 3u);
        highest = std::max(highest, cell.density);
        for (const DevicePoint& p : cell.outline) {
            EXPECT_GE(p.y, apex.y - 1);
            EXPECT_LE(p.y, a.y + 1);
            EXPECT_GE(p.x, b.x - 1);
            EXPECT_LE(p.x, a.x + 1);
        }
        const bool atCorner = std::any_of(cell.outline.begin(), cell.outline.end(), [&](auto p) {
            return std::abs(p.x - a.x) <= 1 && std::abs(p.y - a.y) <= 1;
        });
        if (atCorner)
            cornerDensity = std::max(cornerDensity, cell.density);
    }
    EXPECT_GT(highest, 3000) << "the middle cell holds its 3000 and a few more";
    EXPECT_LT(highest, 3100);
    EXPECT_GT(cornerDensity, 2 * corner) << "a cut cell is scaled up";
    EXPECT_LE(cornerDensity, 4 * (corner + 50.0));
}

TEST(PublicationTitles, ParticleSizesOfTheFractionNamed) {
    SchemeMetadata metadata;
    metadata.limits = ParticleLimits{2, 63, 2000};
    const struct {
        const char* name;
        bool limits;
        const char* title;
    } cases[] = {
        {"Sand", true, "Sand (63\u20132000 \u00b5m) %"},
        {"clay", true, "clay (<2 \u00b5m) %"},
        {"Silt", true, "Silt (2\u201363 \u00b5m) %"},
        {"Ton", true, "Ton %"},
        {"Sand", false, "Sand %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AxisTitleWithSizes(c.name, c.limits ? metadata : SchemeMetadata()), c.title);
}

TEST(PointGroups, PrefixesAndMarkers) {
    const std::pair<const char*, const char*> prefixes[] = {
        {"Plot A-01", "Plot A"}, {"BH3-20cm", "BH"}, {"no. 12", "(no Sample ID)"},
        {"no. 12a", "no"},       {"1234", "1234"},   {"", ""},
    };
    for (const auto& [id, prefix] : prefixes)
        EXPECT_EQ(SampleIdPrefix(id), prefix) << id;
    std::vector<int> groups;
    std::vector<std::string> names;
    GroupByValues({"b", "a", "", "b"}, &groups, &names);
    EXPECT_EQ(groups, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "(empty)"}));
    GroupNumbering unique;
    for (int k = 0; k < 3 * GroupNumbering::kMostGroups; ++k)
        unique.Number(std::to_string(k));
    EXPECT_EQ(unique.Names().size(), GroupNumbering::kMostGroups + 1u);
    EXPECT_EQ(unique.Number("new"), GroupNumbering::kMostGroups) << "(other values)";
    std::set<std::pair<std::array<int, 3>, int>> styles;
    for (int g = 0; g < 42; ++g) {
        const MarkerStyle s = GroupMarker(g);
        styles.insert({{s.colour.red, s.colour.green, s.colour.blue}, int(s.shape)});
    }
    EXPECT_EQ(styles.size(), 42u) << "the first 42 groups all differ";
}
