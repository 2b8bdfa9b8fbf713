#include "scheme/blockclassifier.h"
#include "scheme/schemefile.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

soiltex Bundled(const std::string& id) {
    soiltex s;
    LoadSchemeFile(GRANUM_SCHEMES_DIR "/" + id + ".dat", &s);
    return s;
}

// The name a code stands for, or how it is missing.
std::string NameOf(const BlockClassifier& b, uint8_t code) {
    if (code == BlockClassifier::kNoData)
        return "no data";
    return code <= b.Names().size() ? b.Names()[code - 1u] : "{ fail }";
}

struct TableCase {
    const char* scheme;
    double scale, offset;
    bool three;
    std::optional<double> normalise;
    int32_t lo, hi; // stored values tried on each axis, beyond the accepted range
};

class BlockTable : public testing::TestWithParam<TableCase> {};

// The table is a memo of ClassifyCell: every stored pair (and, with three axes, sums a few units
// off) gets the code the cell path gives, nodata and out-of-range values included.
TEST_P(BlockTable, GivesTheCodesOfTheCellPath) {
    const TableCase& c = GetParam();
    const soiltex scheme = Bundled(c.scheme);
    const int32_t noData = -9999;
    std::array<StoredAxis, 3> axes;
    for (StoredAxis& a : axes)
        a = {true, c.scale, c.offset, double(noData)};
    axes[2].present = c.three;
    BlockClassifier table(scheme, axes, c.normalise);
    BlockClassifier cells = table;
    ASSERT_TRUE(table.BuildTable());
    std::vector<int32_t> x, y, z;
    const int32_t sum = int32_t(std::lround((100 - 3 * c.offset) / c.scale));
    for (int32_t a = c.lo; a <= c.hi; ++a) {
        for (int32_t b = c.lo; b <= c.hi; ++b) {
            for (int32_t d : {-1, 0, 1, 40}) {
                if (!c.three && d != 0)
                    continue;
                x.push_back(a == c.lo ? noData : a);
                y.push_back(b);
                z.push_back(sum + d - a - b);
            }
        }
    }
    std::vector<uint8_t> fast(x.size());
    table.Classify(x.data(), y.data(), c.three ? z.data() : nullptr, x.size(), fast.data());
    std::size_t classified = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const uint8_t slow = cells.ClassifyCell(x[i], y[i], z[i]);
        ASSERT_EQ(fast[i], slow) << x[i] << " " << y[i] << " " << z[i];
        classified += slow != BlockClassifier::kNoData && slow != BlockClassifier::kFail;
    }
    EXPECT_GT(classified, x.size() / 20);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, BlockTable,
    testing::Values(TableCase{"usda", 1, 0, false, std::nullopt, -3, 103},    // whole percent
                    TableCase{"usda", 0.1, 0, false, std::nullopt, -5, 1005}, // g/kg
                    TableCase{"usda", 0.1, 0, true, std::nullopt, -2, 1002},  // sums must be 100
                    TableCase{"hypres", 0.1, 0, true, 2.0, -2, 1002},         // sums off, scaled
                    TableCase{"de-ka5", -0.5, 100, false, std::nullopt, -2, 202}, // reversed axis
                    TableCase{"uk-ssew", 0.25, 0.5, true, 5.0, -1, 401}));

// A composition on a shared boundary gets the first class of the row's answer.
TEST(BlockCells, BoundaryCellsTakeTheFirstClassOfTheRow) {
    const soiltex scheme = Bundled("usda");
    std::array<StoredAxis, 3> axes{};
    axes[2].present = false;
    BlockClassifier block(scheme, axes, std::nullopt);
    CellClassifier cells(scheme);
    for (int sand = 0; sand <= 100; ++sand) {
        for (int clay = 0; sand + clay <= 100; ++clay) {
            const std::vector<int>& classes = cells.Classify(sand, clay, -1);
            ASSERT_FALSE(classes.empty());
            const std::string& name = scheme.Classes()[std::size_t(classes.front())].name;
            EXPECT_EQ(NameOf(block, block.ClassifyCell(sand, clay, 0)), name)
                << sand << " " << clay;
        }
    }
    EXPECT_EQ(block.Names().size(), 12u); // Silt loam's two records share a code
}

TEST(BlockCells, MissingAndUnusableValues) {
    const soiltex scheme = Bundled("usda");
    std::array<StoredAxis, 3> axes{};
    axes[0].noData = -1;
    BlockClassifier block(scheme, axes, std::nullopt);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, y, z;
        bool classified;
        uint8_t code; // when not classified
    } rows[] = {
        {40, 20, 40, true, 0},
        {-1, 20, 80, true, 0},  // nodata: completed from the other two
        {nan, 20, 80, true, 0}, // not a number: the same
        {-1, nan, 80, false, BlockClassifier::kNoData},
        {40, 20, 41, false, BlockClassifier::kFail}, // off by one without --normalise
        {140, 20, 40, true, 0},                      // beyond 100 is missing: completed
        {40, 20, 40.0000001, true, 0},               // within the tolerance of the sum
    };
    for (const auto& r : rows) {
        const uint8_t code = block.ClassifyCell(r.x, r.y, r.z);
        if (r.classified)
            EXPECT_TRUE(code != BlockClassifier::kNoData && code != BlockClassifier::kFail)
                << r.x << " " << r.y << " " << r.z;
        else
            EXPECT_EQ(code, r.code) << r.x << " " << r.y << " " << r.z;
    }
    axes[1].present = axes[2].present = false;
    EXPECT_THROW(BlockClassifier(scheme, axes, std::nullopt), std::invalid_argument);
}

} // namespace
