#include "scheme/samplelookup.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct CompositionText {
    const char* text;
    bool valid;
};

class SampleCellAcceptance : public ::testing::TestWithParam<CompositionText> {};

TEST_P(SampleCellAcceptance, WholeNumberWithinZeroToHundred) {
    EXPECT_EQ(IsValidComposition(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, SampleCellAcceptance,
                         ::testing::Values(CompositionText{"45", true}, CompositionText{"", true},
                                           CompositionText{" 45", true},
                                           CompositionText{"45 ", false},
                                           CompositionText{"12abc", false},
                                           CompositionText{"-5", false},
                                           CompositionText{"100.5", false},
                                           CompositionText{"100.0000005", true},
                                           CompositionText{"-0.0000005", true},
                                           CompositionText{"1e2", true},
                                           CompositionText{"12,5", false}));

TEST(SampleRowCompletion, OneMissingValueIsCompleted) {
    const std::optional<Composition> z = CompleteRow(40, 40, -1);
    ASSERT_TRUE(z);
    EXPECT_DOUBLE_EQ(z->z, 20);
    const std::optional<Composition> x = CompleteRow(-1, 30, 20);
    ASSERT_TRUE(x);
    EXPECT_DOUBLE_EQ(x->x, 50);
    EXPECT_FALSE(CompleteRow(40, -1, -1));
    EXPECT_FALSE(CompleteRow(-1, -1, 40));
    const std::optional<Composition> all = CompleteRow(60, 60, 60);
    ASSERT_TRUE(all); // the sum is not tested here; the lookup fails it
    EXPECT_DOUBLE_EQ(all->x + all->y + all->z, 180);
}

TEST(SampleRowCompletion, CellValues) {
    EXPECT_EQ(CellValue(""), -1);
    EXPECT_EQ(CellValue("abc"), -1);
    EXPECT_EQ(CellValue("150"), 150); // no range test: the lookup refuses it
    EXPECT_LT(CellValue("-5"), 0);
    EXPECT_EQ(CellValue(" 12.5"), 12.5);
}

TEST(SampleRowTexture, NamesJoinedOrFail) {
    const soiltex scheme = SchemeFromText(TwoZoneWithoutBorders());
    EXPECT_EQ(TextureText(scheme.PointLookup(20, 30, 50)), "Low / High");
    EXPECT_EQ(TextureText(scheme.PointLookup(60, 60, 60)), "{ fail }");
    EXPECT_EQ(TextureText(scheme.PointLookup(10, 10, 80)), "Low");
}

TEST(SampleRowPlotting, OnlyCompleteCompositionsOfHundred) {
    EXPECT_TRUE(IsPlottable({20, 30, 50}));
    EXPECT_TRUE(IsPlottable({20, 30, 50.0000005}));
    EXPECT_FALSE(IsPlottable({20, 30, 51}));
    EXPECT_FALSE(IsPlottable({70, 40, -10}));
}

} // namespace
