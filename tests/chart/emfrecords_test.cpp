// The metafile read back record by record: it must hold the description and exactly the lines,
// circles, polygon and texts that the same chart draws onto a recording target.
#include "chart/chartexport.h"
#include "chart/drawchart.h"
#include "scheme/schemefile.h"
#include "tests/chart/recordingtarget.h"

#include <QByteArray>
#include <QSize>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Record types of the Enhanced Metafile format.
enum : std::uint32_t {
    kHeader = 1,
    kPolygon = 3,
    kEof = 14,
    kMoveTo = 27,
    kEllipse = 42,
    kLineTo = 54,
    kTextW = 84,
    kPolygon16 = 86,
};

struct Metafile {
    std::string description;
    std::vector<std::vector<DevicePoint>> lines;    // from, to
    std::vector<std::vector<DevicePoint>> ellipses; // centre, radii
    std::vector<std::vector<DevicePoint>> polygons;
    std::vector<std::string> texts;
    bool ended = false;
};

// A little-endian field at a byte offset; a field past the end is a fault of the file.
template <typename T> T Field(const QByteArray& bytes, int at) {
    T v = 0;
    if (at < 0 || bytes.size() - at < static_cast<int>(sizeof v)) {
        ADD_FAILURE() << "field at " << at << " lies past the end";
        return v;
    }
    std::memcpy(&v, bytes.constData() + at, sizeof v);
    return v;
}

std::int32_t Int(const QByteArray& bytes, int at) { return Field<std::int32_t>(bytes, at); }
std::int16_t Short(const QByteArray& bytes, int at) { return Field<std::int16_t>(bytes, at); }

std::u16string Utf16(const QByteArray& bytes, int at, int count) {
    std::u16string text;
    for (int k = 0; k < count; ++k)
        text += static_cast<char16_t>(static_cast<std::uint16_t>(Short(bytes, at + 2 * k)));
    return text;
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end()); // the chart's texts are ASCII
}

// Walks the records; a record that runs past the end stops the walk (and fails the test).
Metafile Read(const QByteArray& bytes) {
    Metafile file;
    DevicePoint pen;
    for (int at = 0; at + 8 <= bytes.size();) {
        const auto type = static_cast<std::uint32_t>(Int(bytes, at));
        const int size = Int(bytes, at + 4);
        if (size < 8 || at + size > bytes.size()) {
            ADD_FAILURE() << "record of type " << type << " at " << at << " runs past the end";
            break;
        }
        switch (type) {
        case kHeader:
            file.description = Narrow(Utf16(bytes, at + Int(bytes, at + 64), Int(bytes, at + 60)));
            break;
        case kMoveTo:
            pen = {Int(bytes, at + 8), Int(bytes, at + 12)};
            break;
        case kLineTo: {
            const DevicePoint to{Int(bytes, at + 8), Int(bytes, at + 12)};
            file.lines.push_back({pen, to});
            pen = to;
            break;
        }
        case kEllipse: {
            const int l = Int(bytes, at + 8), t = Int(bytes, at + 12);
            const int r = Int(bytes, at + 16), b = Int(bytes, at + 20);
            file.ellipses.push_back({{(l + r) / 2, (t + b) / 2}, {(r - l) / 2, (b - t) / 2}});
            break;
        }
        case kPolygon:
        case kPolygon16: {
            std::vector<DevicePoint> vertices;
            const int count = Int(bytes, at + 24);
            for (int k = 0; k < count; ++k)
                vertices.push_back(type == kPolygon
                                       ? DevicePoint{Int(bytes, at + 28 + 8 * k),
                                                     Int(bytes, at + 32 + 8 * k)}
                                       : DevicePoint{Short(bytes, at + 28 + 4 * k),
                                                     Short(bytes, at + 30 + 4 * k)});
            file.polygons.push_back(vertices);
            break;
        }
        case kTextW:
            file.texts.push_back(
                Narrow(Utf16(bytes, at + Int(bytes, at + 48), Int(bytes, at + 44))));
            break;
        case kEof:
            file.ended = true;
            break;
        }
        at += size;
    }
    return file;
}

ChartModel UsdaChart(int samples) {
    ChartModel model;
    EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme),
              SchemeLoadStatus::Loaded);
    model.mbSamples = samples;
    if (samples) {
        model.mPoints = {{40, 20}, {10, 80}, {65, 12}};
        model.mLabels = {"A", "no. 2", "Plot C"};
    } else {
        model.mPoints = {{20, 10}, {40, 10}, {40, 30}, {20, 30}};
    }
    return model;
}

// What the recording target saw for the same chart at the same size and resolution.
RecordingTarget Recorded(ChartModel model) {
    RecordingTarget target;
    PaintChart(target, model, {0, 0, 600, 400});
    return target;
}

std::vector<std::vector<DevicePoint>> PointsOf(const RecordingTarget& t, const char* kind) {
    std::vector<std::vector<DevicePoint>> found;
    for (const RecordingTarget::Call* c : t.Of(kind))
        found.push_back(c->points);
    return found;
}

std::vector<std::string> TextsOf(const RecordingTarget& t) {
    std::vector<std::string> found;
    for (const RecordingTarget::Call* c : t.Of("text"))
        found.push_back(c->text);
    return found;
}

} // namespace

TEST(ChartMetafile, HoldsTheDescriptionAndWhatWasDrawn) {
    for (const int samples : {1, 0}) {
        SCOPED_TRACE(samples ? "samples" : "range");
        ChartModel model = UsdaChart(samples);
        const Metafile file = Read(ChartBytes(model, ChartFormat::Emf, QSize(600, 400), 96));
        const RecordingTarget expected = Recorded(UsdaChart(samples));

        EXPECT_EQ(file.description, std::string("Granum\0Chart\0\0", 14));
        EXPECT_TRUE(file.ended);
        EXPECT_EQ(file.ellipses.size(), samples ? 3u : 0u);
        EXPECT_EQ(file.polygons.size(), samples ? 0u : 1u);
        EXPECT_EQ(file.lines, PointsOf(expected, "line"));
        EXPECT_EQ(file.ellipses, PointsOf(expected, "ellipse"));
        EXPECT_EQ(file.polygons, PointsOf(expected, "polygon"));
        // Texts are measured differently on the two targets, so their places may differ; the
        // texts themselves, in order, may not.
        EXPECT_EQ(file.texts, TextsOf(expected));
        EXPECT_NE(std::find(file.texts.begin(), file.texts.end(), "USDA:"), file.texts.end());
    }
}
