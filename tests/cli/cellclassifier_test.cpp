#include "cli/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// The shortcut must never change an answer: random points, points on the cell borders, on the
// class edges of the test schemes and next to the vertices, with values missing and sums off.
TEST(CellShortcut, SameTextsAsPointClassifier) {
    for (const char* path :
         {GRANUM_TEST_DATA_DIR "/twozone/twozone.dat",
          GRANUM_TEST_DATA_DIR "/cli-schemes/noborder.dat", GRANUM_SCHEMES_DIR "/usda.dat"}) {
        SCOPED_TRACE(path);
        soiltex scheme;
        ASSERT_EQ(LoadSchemeFile(path, &scheme), SchemeLoadStatus::Loaded);
        CellClassifier cells(scheme);
        PointClassifier reference(scheme);
        EXPECT_GT(cells.StoredCells(), 10000);
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> unit(0, 100), nudge(-2e-6, 2e-6);
        std::uniform_int_distribution<int> quarter(0, 400);
        for (int n = 0; n < 200000; ++n) {
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
            const double z = n % 11 == 0 ? -1 : 100 - x - y + (n % 17 == 0 ? 1e-6 * (n % 5) : 0);
            if (n % 13 == 0)
                x = -1;
            std::string fast, slow;
            const bool found = cells.AppendTexture(x, y, z, &fast);
            EXPECT_EQ(found, !reference.Classify(x, y, z).empty());
            reference.AppendTextureText(&slow);
            ASSERT_EQ(fast, slow) << x << " " << y << " " << z;
        }
    }
}

TEST(CellShortcut, InvalidSchemeFailsEverything) {
    soiltex scheme;
    LoadSchemeFile(GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat", &scheme);
    CellClassifier cells(scheme);
    EXPECT_EQ(cells.StoredCells(), 0);
    std::string text;
    EXPECT_FALSE(cells.AppendTexture(10, 10, 80, &text));
    EXPECT_EQ(text, "{ fail }");
}

} // namespace
