#include "scheme/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

// The shortcut must never change an answer: random points, points on the cell borders, on the
// class edges of the test schemes and next to the vertices, with values missing and sums off.
void ExpectSameAnswers(const soiltex& scheme, int points) {
    SCOPED_TRACE(scheme.GetName() + " " + std::to_string(scheme.GetClassCount()));
    ASSERT_TRUE(scheme.IsValidScheme());
    CellClassifier cells(scheme);
    PointClassifier reference(scheme);
    EXPECT_GT(cells.StoredCells(), 10000);
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> unit(0, 100), nudge(-2e-6, 2e-6);
    std::uniform_int_distribution<int> quarter(0, 400);
    for (int n = 0; n < points; ++n) {
        double x = unit(rng), y = unit(rng);
        if (n % 3 == 1) { // on the quarter-percent lines: cell borders and most class edges
            x = quarter(rng) / 4.0;
            y = quarter(rng) / 4.0;
        }
        if (x + y > 100) {
            x = 100 - x;
            y = 100 - y;
        }
        if (n % 3 == 2) { // within the vertex tolerance of a class vertex
            const polygon& region = scheme.Classes()[n % scheme.Classes().size()].region;
            const point v = region.Vertex(unsigned(n) % unsigned(region.Size()));
            x = v.x + nudge(rng);
            y = v.y + nudge(rng);
        }
        if (n % 7 == 0)
            y = (n % 2) * 30 + nudge(rng); // along the spikes

        const double z = n % 11 == 0 ? -1 : 100 - x - y + (n % 17 == 0 ? 1e-6 * (n % 5) : 0);
        if (n % 13 == 0)
            x = -1;
        const std::vector<int> fast = cells.Classify(x, y, z);
        ASSERT_EQ(fast, reference.Classify(x, y, z)) << x << " " << y << " " << z;
        std::string fastText, slowText;
        EXPECT_EQ(cells.AppendTexture(x, y, z, &fastText), !fast.empty());
        reference.AppendTextureText(&slowText);
        ASSERT_EQ(fastText, slowText);
    }
}

// A vertex far outside the triangle once overflowed the cell index, which left the cells along
// its edge unmarked, so the spike schemes must agree too.
TEST(CellShortcut, SameAnswersAsPointClassifier) {
    const std::string all = "All\n1\n0 0 100 0 0 100\n#\n";
    const soiltex schemes[] = {
        LoadedScheme(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat"),
        LoadedScheme(GRANUM_TEST_DATA_DIR "/cli-schemes/noborder.dat"),
        LoadedScheme(GRANUM_SCHEMES_DIR "/usda.dat"),
        SchemeWithClasses(all +
                          "Spike\n2\n50 0 1e10 0 60 0\n#\nInner\n3\n20 30 1e10 30 25 30\n#\n"),
        SchemeWithClasses("All\n1\n0 0 50 0 -3e11 0.5 50 0 100 0 0 100\n#\n"),
    };
    for (const soiltex& scheme : schemes)
        ExpectSameAnswers(scheme, 200000);
}

// The triangle cut into 150 upright strips, one class each: more kinds of cell (a class inside,
// edges of one or two classes near) than a one-byte grid index can tell apart.
TEST(CellShortcut, SameAnswersWithMoreCellKindsThanOneByteHolds) {
    constexpr int kStrips = 150;
    std::string classes;
    for (int k = 0; k < kStrips; ++k) {
        const double left = 100.0 * k / kStrips, right = 100.0 * (k + 1) / kStrips;
        const auto vertex = [](double x, double y) {
            return std::to_string(x) + " " + std::to_string(y) + " ";
        };
        const std::string id = std::to_string(k + 1);
        classes += "C" + id + "\n" + id + "\n" + vertex(left, 0) + vertex(right, 0) +
                   (right < 100 ? vertex(right, 100 - right) : "") + vertex(left, 100 - left) +
                   "\n#\n";
    }
    ExpectSameAnswers(SchemeWithClasses(classes), 20000);
}

TEST(CellShortcut, InvalidSchemeFailsEverythingUnlessTheCallerVouchesForIt) {
    soiltex overlap;
    LoadSchemeFile(GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat", &overlap);
    CellClassifier cells(overlap);
    EXPECT_EQ(cells.StoredCells(), 0);
    std::string text;
    EXPECT_FALSE(cells.AppendTexture(10, 10, 80, &text));
    EXPECT_EQ(text, "{ fail }");
    // A checked scheme is not checked again; the answers are the scheme's own.
    const soiltex twoZone = LoadedScheme(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat");
    EXPECT_EQ(CellClassifier(twoZone, SchemeCheck::AlreadyDone).Classify(20, 30, 50),
              std::vector<int>{1});
}

} // namespace
