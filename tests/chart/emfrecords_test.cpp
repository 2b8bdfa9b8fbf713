// The metafile read back record by record: it must hold the description and exactly the lines,
// circles, polygon and texts that the same chart draws onto a recording target.
#include "chart/chartexport.h"
#include "chart/drawchart.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <QByteArray>
#include <QSize>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A little-endian field at a byte offset; one past the end is a fault of the file.
template <typename T = std::int32_t> int Field(const QByteArray& bytes, int at) {
    T v = 0;
    if (at < 0 || bytes.size() - at < static_cast<int>(sizeof v))
        ADD_FAILURE() << "field at " << at << " lies past the end";
    else
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

// The shapes of a metafile by the recording target's kinds, and its texts after its description.
using Drawn = std::map<std::string, std::vector<std::vector<DevicePoint>>>;

std::pair<Drawn, std::vector<std::string>> Read(const QByteArray& bytes) {
    enum { kHeader = 1, kPolygon = 3, kMoveTo = 27, kEllipse = 42 };
    enum { kLineTo = 54, kText = 84, kPolygon16 = 86 };
    Drawn drawn;
    std::vector<std::string> texts;
    DevicePoint pen;
    for (int at = 0, size = 0; at + 8 <= bytes.size(); at += size) {
        const auto Int = [&](int offset) { return Field(bytes, at + offset); };
        if ((size = Int(4)) < 8) {
            ADD_FAILURE() << "record at " << at << " has no size";
            break;
        }
        const int type = Int(0), step = type == kPolygon ? 4 : 2;
        const DevicePoint to{Int(8), Int(12)};
        if (type == kHeader)
            texts.push_back(Text(bytes, at + Int(64), Int(60)));
        if (type == kMoveTo)
            pen = to;
        if (type == kLineTo)
            drawn["line"].push_back({std::exchange(pen, to), to});
        if (type == kEllipse) // its bounding box, as centre and radii
            drawn["ellipse"].push_back({{(to.x + Int(16)) / 2, (to.y + Int(20)) / 2},
                                        {(Int(16) - to.x) / 2, (Int(20) - to.y) / 2}});
        if (type == kPolygon || type == kPolygon16) {
            // Vertices after the bounds and the count, as 32- or 16-bit coordinates.
            const auto coordinate = [&](int p) {
                return step == 4 ? Field(bytes, p) : Field<std::int16_t>(bytes, p);
            };
            auto& vertices = drawn["polygon"].emplace_back();
            for (int k = 0, p = at + 28; k < Int(24); ++k, p += 2 * step)
                vertices.push_back({coordinate(p), coordinate(p + step)});
        }
        if (type == kText)
            texts.push_back(Text(bytes, at + Int(48), Int(44)));
    }
    return {drawn, texts};
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

} // namespace

TEST(ChartMetafile, HoldsTheDescriptionAndWhatWasDrawn) {
    for (const int samples : {1, 0}) {
        SCOPED_TRACE(samples ? "samples" : "range");
        ChartModel model = UsdaChart(samples);
        const auto [drawn, texts] = Read(ChartBytes(model, ChartFormat::Emf, QSize(600, 400), 96));
        RecordingTarget target;
        PaintChart(target, model, {0, 0, 600, 400});
        // Texts are measured differently on the two targets, so their places may differ; the
        // texts themselves, in order, may not.
        Drawn expected;
        std::vector<std::string> expectedTexts{std::string("Granum\0Chart\0\0", 14)};
        for (const RecordingTarget::Call& c : target.calls)
            if (c.kind == "text")
                expectedTexts.push_back(c.text);
            else if (c.kind != "fill")
                expected[c.kind].push_back(c.points);
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(texts, expectedTexts);
        const auto count = [&](const char* kind) {
            return drawn.count(kind) ? drawn.at(kind).size() : 0u;
        };
        EXPECT_EQ(count("ellipse") + count("polygon"), samples ? 4u : 1u);
    }
}

// The publication style through the metafile: its layout follows the texts' sizes, which the
// two targets measure differently, so shapes are compared by kind and number.
TEST(ChartMetafile, HoldsThePublicationStyle) {
    ChartModel model = UsdaChart(1);
    model.mbPublication = 1;
    model.mGroups = {0, 1, 0, 1};
    model.mGroupNames = {"North", "South"};
    const auto [drawn, texts] = Read(ChartBytes(model, ChartFormat::Emf, QSize(800, 600), 96));
    RecordingTarget target;
    ASSERT_TRUE(PaintChart(target, model, {0, 0, 800, 600}));
    for (const char* kind : {"line", "polygon"}) {
        ASSERT_TRUE(drawn.count(kind)) << kind;
        EXPECT_EQ(drawn.at(kind).size(), target.Of(kind).size()) << kind;
    }
    EXPECT_EQ(drawn.count("ellipse"), 0u) << "markers are filled shapes";
    for (const char* text : {"North", "South", "x %", "Plot C", "100"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
}

// The header claimed the library's own reference screen (about 81 dpi) and a border of 10
// units: the default chart said 194 by 132 mm instead of 159 by 106.
TEST(ChartMetafile, HeaderTellsThePicturesTrueSize) {
    for (const auto& [width, height, dpi] : {std::array{600, 400, 96}, {1875, 1250, 300}}) {
        SCOPED_TRACE(dpi);
        ChartModel model = UsdaChart(1);
        const QByteArray bytes = ChartBytes(model, ChartFormat::Emf, QSize(width, height), dpi);
        ASSERT_GT(bytes.size(), 100);
        const auto at = [&bytes](int offset) { return Field(bytes, offset); };
        EXPECT_EQ((std::array{at(8), at(12), at(16), at(20)}),
                  (std::array{0, 0, width - 1, height - 1}))
            << "bounds: the whole picture, no border";
        // The frame in hundredths of a millimetre: the same window at both resolutions.
        EXPECT_EQ((std::array{at(24), at(28), at(32), at(36)}), (std::array{0, 0, 15875, 10583}));
        // The reference device's pixels per millimetre are the picture's.
        EXPECT_NEAR(at(72) / double(at(80)), dpi / 25.4, 1e-9);
        EXPECT_NEAR(at(76) / double(at(84)), dpi / 25.4, 1e-9);
    }
}
