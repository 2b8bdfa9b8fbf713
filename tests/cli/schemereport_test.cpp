#include "cli/rangecommand.h"
#include "cli/schemereport.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

soiltex SchemeFile(const std::string& name) {
    soiltex scheme;
    LoadSchemeFile(GRANUM_TEST_DATA_DIR "/" + name, &scheme);
    return scheme;
}

TEST(SchemeReportChecks, ValidSchemeHasNothingToSay) {
    const SchemeReport report = InspectScheme(SchemeFile("twozone/twozone.dat"));
    EXPECT_TRUE(report.valid);
    EXPECT_DOUBLE_EQ(report.areaTotal, 5000);
    EXPECT_TRUE(report.overlaps.empty());
    EXPECT_TRUE(report.outside.empty());
    EXPECT_TRUE(report.unknownRuleIds.empty());
    ASSERT_TRUE(report.gridChecked);
    EXPECT_EQ(report.gridPoints, 201u * 202u / 2u);
    EXPECT_EQ(report.unclassifiedCount, 0u);
    EXPECT_EQ(report.ambiguousCount, 0u);
}

TEST(SchemeReportChecks, OverlapWithItsArea) {
    const SchemeReport report = InspectScheme(SchemeFile("cli-schemes/overlap.dat"));
    EXPECT_FALSE(report.valid);
    ASSERT_EQ(report.overlaps.size(), 1u);
    EXPECT_EQ(report.overlaps[0].first, 0u);
    EXPECT_EQ(report.overlaps[0].second, 1u);
    ASSERT_TRUE(report.overlaps[0].area);
    EXPECT_NEAR(*report.overlaps[0].area, 1800 - 1250, 1e-9); // between x + y = 50 and 60
    EXPECT_NEAR(report.areaTotal, 1800 + 3750, 1e-9);
}

TEST(SchemeReportChecks, FewVerticesStopsTheGridButNotTheReport) {
    const SchemeReport report = InspectScheme(SchemeFile("cli-schemes/fewvertices.dat"));
    EXPECT_FALSE(report.valid);
    EXPECT_EQ(report.fewVertices, (std::vector<std::size_t>{0}));
    EXPECT_FALSE(report.gridChecked);
    EXPECT_DOUBLE_EQ(report.areaTotal, 3750);
}

TEST(SchemeReportChecks, GapsOutsideVerticesAndUnknownRuleIds) {
    const SchemeReport report = InspectScheme(SchemeFile("cli-schemes/gaps.dat"));
    EXPECT_FALSE(report.valid);
    ASSERT_EQ(report.outside.size(), 1u);
    EXPECT_EQ(report.outside[0].classIndex, 1u);
    EXPECT_DOUBLE_EQ(report.outside[0].vertex.x, 101);
    EXPECT_EQ(report.unknownRuleIds, (std::vector<int32_t>{9}));
    ASSERT_TRUE(report.gridChecked);
    // Strictly between x + y = 50 and 60 on the half-percent grid: the sums 50.5 to 59.5.
    std::size_t band = 0;
    for (int s = 101; s <= 119; ++s)
        band += std::size_t(s + 1);
    EXPECT_EQ(report.unclassifiedCount, band);
    ASSERT_EQ(report.unclassified.size(), kListedGridPoints);
    EXPECT_DOUBLE_EQ(report.unclassified[0].x + report.unclassified[0].y, 50.5);
}

TEST(SchemeReportChecks, EdgeWithoutBorderRuleIsAmbiguous) {
    const SchemeReport report = InspectScheme(SchemeFile("cli-schemes/noborder.dat"));
    EXPECT_TRUE(report.valid);
    EXPECT_EQ(report.ambiguousCount, 101u); // x + y = 50 at every half percent
    ASSERT_FALSE(report.ambiguous.empty());
    EXPECT_EQ(report.ambiguous[0].classes, (std::vector<int>{0, 1}));
}

struct RangeText {
    const char* text;
    bool ok;
    double min;
    double max;
};

class RangeArgument : public ::testing::TestWithParam<RangeText> {};

TEST_P(RangeArgument, MinColonMaxWithinZeroToHundred) {
    AxisRange range{-1, -1};
    EXPECT_EQ(ParseAxisRange(GetParam().text, &range), GetParam().ok) << GetParam().text;
    EXPECT_EQ(range.min, GetParam().ok ? GetParam().min : -1);
    EXPECT_EQ(range.max, GetParam().ok ? GetParam().max : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RangeArgument,
    ::testing::Values(RangeText{"20:40", true, 20, 40}, RangeText{"20:", true, 20, 100},
                      RangeText{":40", true, 0, 40}, RangeText{"50:40", true, 50, 40},
                      RangeText{"-0.0000005:100.0000005", true, -0.0000005, 100.0000005},
                      RangeText{"0:101", false, 0, 0}, RangeText{"-1:50", false, 0, 0},
                      RangeText{"20", false, 0, 0}, RangeText{"a:b", false, 0, 0},
                      RangeText{"20:40:60", false, 0, 0}, RangeText{"nan:50", false, 0, 0},
                      RangeText{"20 :40", false, 0, 0}));

} // namespace
