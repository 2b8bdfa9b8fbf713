#include "scheme/samplelookup.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(SampleCellAcceptance, WholeNumberWithinZeroToHundred) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"", true},    {"100.0000005", true}, {"-0.0000005", true}, {"45 ", true},
        {"-5", false}, {"100.5", false},      {" ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidComposition(c.text), c.valid) << '"' << c.text << '"';
    EXPECT_EQ(CellValue("abc"), -1);
    EXPECT_EQ(CellValue("150"), 150); // no range test: the lookup refuses it
    EXPECT_EQ(CellValue(" 12.5"), 12.5);
}

TEST(SampleRowCompletion, OneMissingValueIsCompleted) {
    const std::optional<Composition> z = CompleteRow(40, 40, -1), x = CompleteRow(-1, 30, 20);
    ASSERT_TRUE(z && x);
    EXPECT_DOUBLE_EQ(z->z, 20);
    EXPECT_DOUBLE_EQ(x->x, 50);
    EXPECT_FALSE(CompleteRow(40, -1, -1));
    EXPECT_FALSE(CompleteRow(-1, -1, 40));
    const std::optional<Composition> all = CompleteRow(60, 60, 60);
    ASSERT_TRUE(all); // the sum is not tested here; the lookup fails it
    EXPECT_DOUBLE_EQ(all->x + all->y + all->z, 180);
}

TEST(SampleRowTexture, NamesJoinedOrFailAndOnlyCompositionsOfHundredPlotted) {
    const soiltex scheme = SchemeFromText(TwoZoneWithoutBorders());
    EXPECT_EQ(TextureText(scheme.PointLookup(20, 30, 50)), "Low / High");
    EXPECT_EQ(TextureText(scheme.PointLookup(60, 60, 60)), "{ fail }");
    EXPECT_TRUE(IsPlottable({20, 30, 50.0000005}));
    EXPECT_FALSE(IsPlottable({20, 30, 51}));
    EXPECT_FALSE(IsPlottable({70, 40, -10}));
}

} // namespace
