// The metafile read back record by record: it must hold the description and exactly the lines,
// circles, polygon and texts that the same chart draws onto a recording target.
#include "chart/chartexport.h"
#include "chart/drawchart.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <QByteArray>
#include <QSize>
#include <array>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Shapes = std::vector<std::vector<DevicePoint>>;

// What a metafile holds, in the recording target's terms.
struct Metafile {
    std::string description;
    Shapes lines, ellipses, polygons;
    std::vector<std::string> texts;
};

// A little-endian field at a byte offset; one past the end is a fault of the file.
template <typename T> int Field(const QByteArray& bytes, int at) {
    T v = 0;
    if (at < 0 || bytes.size() - at < static_cast<int>(sizeof v)) {
        ADD_FAILURE() << "field at " << at << " lies past the end";
        return 0;
    }
    std::memcpy(&v, bytes.constData() + at, sizeof v);
    return v;
}

// count UTF-16 characters at an offset; the chart's texts are ASCII.
std::string Text(const QByteArray& bytes, int at, int count) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += static_cast<char>(Field<std::uint16_t>(bytes, at + 2 * k));
    return text;
}

Metafile Read(const QByteArray& bytes) {
    enum { kHeader = 1, kPolygon = 3, kMoveTo = 27, kEllipse = 42 };
    enum { kLineTo = 54, kText = 84, kPolygon16 = 86 };
    Metafile file;
    DevicePoint pen;
    for (int at = 0, size = 0; at + 8 <= bytes.size(); at += size) {
        const auto Int = [&](int offset) { return Field<std::int32_t>(bytes, at + offset); };
        size = Int(4);
        if (size < 8) {
            ADD_FAILURE() << "record at " << at << " has no size";
            break;
        }
        switch (Int(0)) {
        case kHeader:
            file.description = Text(bytes, at + Int(64), Int(60));
            break;
        case kMoveTo:
            pen = {Int(8), Int(12)};
            break;
        case kLineTo:
            file.lines.push_back({pen, {Int(8), Int(12)}});
            pen = {Int(8), Int(12)};
            break;
        case kEllipse: // its bounding box, as centre and radii
            file.ellipses.push_back({{(Int(8) + Int(16)) / 2, (Int(12) + Int(20)) / 2},
                                     {(Int(16) - Int(8)) / 2, (Int(20) - Int(12)) / 2}});
            break;
        case kPolygon:
        case kPolygon16: {
            // Vertices after the bounds and the count, as 32- or 16-bit coordinates.
            const int step = Int(0) == kPolygon ? 4 : 2;
            const auto coordinate = [&](int p) {
                return step == 4 ? Field<std::int32_t>(bytes, p) : Field<std::int16_t>(bytes, p);
            };
            std::vector<DevicePoint> vertices;
            for (int k = 0, p = at + 28; k < Int(24); ++k, p += 2 * step)
                vertices.push_back({coordinate(p), coordinate(p + step)});
            file.polygons.push_back(vertices);
            break;
        }
        case kText:
            file.texts.push_back(Text(bytes, at + Int(48), Int(44)));
            break;
        }
    }
    return file;
}

ChartModel UsdaChart(int samples) {
    ChartModel model;
    EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme),
              SchemeLoadStatus::Loaded);
    model.mbSamples = samples;
    model.mPoints = {{20, 10}, {40, 10}, {40, 30}, {20, 30}};
    if (samples)
        model.mLabels = {"A", "no. 2", "Plot C", "D"};
    return model;
}

Shapes ShapesOf(const RecordingTarget& t, const char* kind) {
    Shapes found;
    for (const RecordingTarget::Call* c : t.Of(kind))
        found.push_back(c->points);
    return found;
}

} // namespace

TEST(ChartMetafile, HoldsTheDescriptionAndWhatWasDrawn) {
    for (const int samples : {1, 0}) {
        SCOPED_TRACE(samples ? "samples" : "range");
        ChartModel model = UsdaChart(samples);
        const Metafile file = Read(ChartBytes(model, ChartFormat::Emf, QSize(600, 400), 96));
        RecordingTarget expected;
        PaintChart(expected, model, {0, 0, 600, 400});

        EXPECT_EQ(file.description, std::string("Granum\0Chart\0\0", 14));
        EXPECT_EQ(file.lines, ShapesOf(expected, "line"));
        EXPECT_EQ(file.ellipses, ShapesOf(expected, "ellipse"));
        EXPECT_EQ(file.polygons, ShapesOf(expected, "polygon"));
        EXPECT_EQ(file.ellipses.size() + file.polygons.size(), samples ? 4u : 1u);
        // Texts are measured differently on the two targets, so their places may differ; the
        // texts themselves, in order, may not.
        std::vector<std::string> texts;
        for (const RecordingTarget::Call* c : expected.Of("text"))
            texts.push_back(c->text);
        EXPECT_EQ(file.texts, texts);
    }
}

// The header claimed the library's own reference screen (about 81 dpi) and a border of 10
// units: the default chart said 194 by 132 mm instead of 159 by 106.
TEST(ChartMetafile, HeaderTellsThePicturesTrueSize) {
    const struct {
        int width, height, dpi;
        int frameRight, frameBottom; // hundredths of a millimetre
    } cases[] = {
        {600, 400, 96, 15875, 10583},
        {1875, 1250, 300, 15875, 10583}, // the same window at 300 dpi
        {1200, 900, 120, 25400, 19050},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        ChartModel model = UsdaChart(1);
        const QByteArray bytes =
            ChartBytes(model, ChartFormat::Emf, QSize(c.width, c.height), c.dpi);
        ASSERT_GT(bytes.size(), 100);
        const auto at = [&bytes](int offset) { return Field<std::int32_t>(bytes, offset); };
        EXPECT_EQ((std::array{at(8), at(12), at(16), at(20)}),
                  (std::array{0, 0, c.width - 1, c.height - 1}))
            << "bounds: the whole picture, no border";
        EXPECT_EQ((std::array{at(24), at(28), at(32), at(36)}),
                  (std::array{0, 0, c.frameRight, c.frameBottom}));
        // The reference device's pixels per millimetre are the picture's.
        EXPECT_NEAR(at(72) / double(at(80)), c.dpi / 25.4, 1e-9);
        EXPECT_NEAR(at(76) / double(at(84)), c.dpi / 25.4, 1e-9);
    }
}
