#include "cli/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

class CellShortcut : public ::testing::TestWithParam<std::string> {};

// The shortcut must never change an answer: random points, points on the cell borders, on the
// class edges of the test schemes and next to the vertices, with values missing and sums off.
TEST_P(CellShortcut, SameTextsAsPointClassifier) {
    const std::string path = GetParam();
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not there";
    soiltex scheme;
    ASSERT_EQ(LoadSchemeFile(path, &scheme), SchemeLoadStatus::Loaded);
    CellClassifier cells(scheme);
    PointClassifier reference(scheme);
    EXPECT_GT(cells.StoredCells(), 10000);

    std::vector<Composition> points;
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> unit(0, 100);
    std::uniform_int_distribution<int> grid(0, 400);
    std::uniform_real_distribution<double> nudge(-2e-6, 2e-6);
    for (int n = 0; n < 200000; ++n) {
        double x = unit(rng), y = unit(rng);
        if (n % 3 == 1) { // on the quarter-percent lines: cell borders and most class edges
            x = grid(rng) / 4.0;
            y = grid(rng) / 4.0;
        }
        if (x + y > 100) {
            x = 100 - x;
            y = 100 - y;
        }
        if (n % 3 == 2) { // within the vertex tolerance of a class vertex
            const auto& c = scheme.Classes()[std::size_t(n) % scheme.Classes().size()];
            const point v = c.region.Vertex(unsigned(n) % unsigned(c.region.Size()));
            x = v.x + nudge(rng);
            y = v.y + nudge(rng);
        }
        double z = 100 - x - y;
        if (n % 11 == 0)
            z = -1;
        if (n % 13 == 0)
            x = -1;
        if (n % 17 == 0)
            z += 1e-6 * (n % 5);
        points.push_back({x, y, z});
    }
    for (const Composition& p : points) {
        std::string fast, slow;
        const bool found = cells.AppendTexture(p.x, p.y, p.z, &fast);
        EXPECT_EQ(found, !reference.Classify(p.x, p.y, p.z).empty());
        reference.AppendTextureText(&slow);
        ASSERT_EQ(fast, slow) << p.x << " " << p.y << " " << p.z;
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, CellShortcut,
                         ::testing::Values(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat",
                                           GRANUM_TEST_DATA_DIR "/cli-schemes/noborder.dat",
                                           GRANUM_SCHEMES_DIR "/usda.dat"));

TEST(CellShortcutLimits, InvalidSchemeFailsEverything) {
    soiltex scheme;
    LoadSchemeFile(GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat", &scheme);
    CellClassifier cells(scheme);
    EXPECT_EQ(cells.StoredCells(), 0);
    std::string text;
    EXPECT_FALSE(cells.AppendTexture(10, 10, 80, &text));
    EXPECT_EQ(text, "{ fail }");
}

} // namespace
