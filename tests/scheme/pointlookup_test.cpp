#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const std::vector<TextureClass>& classes) {
    std::vector<std::string> names;
    for (const TextureClass& c : classes)
        names.push_back(c.name);
    return names;
}

using Strings = std::vector<std::string>;

struct LookupCase {
    const char* name;
    double x, y, z;
    Strings withRules;
    Strings withoutRules;
};

class PointLookupTwoZone : public ::testing::TestWithParam<LookupCase> {};

TEST_P(PointLookupTwoZone, ClassifiesWithAndWithoutBorderRules) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(Names(SchemeFromText(kTwoZoneScheme).PointLookup(c.x, c.y, c.z)), c.withRules);
    EXPECT_EQ(Names(SchemeFromText(TwoZoneWithoutBorders()).PointLookup(c.x, c.y, c.z)),
              c.withoutRules);
}

INSTANTIATE_TEST_SUITE_P(
    Compositions, PointLookupTwoZone,
    ::testing::Values(
        LookupCase{"LowInside", 10, 10, 80, {"Low"}, {"Low"}},
        LookupCase{"HighInside", 60, 30, 10, {"High"}, {"High"}},
        LookupCase{"SharedEdge", 20, 30, 50, {"High"}, {"Low", "High"}},
        LookupCase{"SharedVertex", 50, 0, 50, {"High"}, {"Low", "High"}},
        LookupCase{"TriangleCorner", 100, 0, 0, {"High"}, {"High"}},
        LookupCase{"XMissing", -1, 30, 20, {"High"}, {"High"}},
        LookupCase{"TinyNegativeIsMissing", -0.0000001, 10, 10, {"High"}, {"High"}},
        LookupCase{"TwoMissing", -1, -1, 50, {}, {}},
        LookupCase{"YAndZMissing", 50, -1, -1, {}, {}},
        LookupCase{"CompletedOutOfRange", 70, 40, -1, {}, {}},
        LookupCase{"SumWithinTolerance", 50, 30, 20.0000005, {"High"}, {"High"}},
        LookupCase{"SumBeyondTolerance", 50, 30, 20.00001, {}, {}},
        LookupCase{"AllSixty", 60, 60, 60, {}, {}},
        LookupCase{"AboveHundred", 100.5, -0.5, 0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointLookup, InvalidSchemeGivesNothing) {
    const soiltex gap = SchemeWithClasses("A\n1\n0 0\n80 0\n0 80\n#\n"); // area 3200
    EXPECT_TRUE(gap.PointLookup(10, 10, 80).empty());
    const soiltex degenerate = SchemeWithClasses("A\n1\n0 0\n100 0\n#\n");
    EXPECT_TRUE(degenerate.PointLookup(10, 10, 80).empty());
}

TEST(PointLookup, ClassOfTwoPolygonsIsReturnedTwiceOnItsInnerEdge) {
    const soiltex scheme = SchemeWithClasses(
        "Split\n1\n0 0\n50 0\n0 50\n#\nSplit\n2\n50 0\n100 0\n0 100\n0 50\n#\n");
    EXPECT_EQ(Names(scheme.PointLookup(25, 25, 50)), (Strings{"Split", "Split"}));
}

class BorderRules : public ::testing::Test {
protected:
    // Three classes meeting at (50, 0): A left, B right, C above.
    const std::string classes = "A\n1\n0 0\n50 0\n25 25\n0 50\n#\n"
                                "B\n2\n50 0\n100 0\n75 25\n25 25\n#\n"
                                "C\n3\n0 50\n25 25\n75 25\n0 100\n#\n";
    Strings Lookup(const std::string& rules, double x, double y) {
        const soiltex scheme = SchemeWithClasses(classes + "[border]\n" + rules);
        EXPECT_TRUE(scheme.IsValidScheme());
        return Names(scheme.PointLookup(x, y, 100 - x - y));
    }
};

TEST_F(BorderRules, ThreeClassRuleDoesNotApplyToTwoCandidates) {
    EXPECT_EQ(Lookup("1 2 3 = 3 #\n", 40, 10), (Strings{"A", "B"}));
    EXPECT_EQ(Lookup("1 2 3 = 3 #\n", 25, 25), (Strings{"C"}));
}

TEST_F(BorderRules, FirstRuleForTheSamePairWins) {
    EXPECT_EQ(Lookup("2 1 = 1 #\n1 2 = 2 #\n", 40, 10), (Strings{"A"}));
}

TEST_F(BorderRules, EmptyKeepListRemovesEveryCandidate) {
    EXPECT_EQ(Lookup("1 2 = #\n", 40, 10), Strings{});
}

TEST_F(BorderRules, EachNamedIdIsLookedUpOnItsOwn) {
    // "1 1" has two entries, each found among the two candidates, so the rule fires.
    EXPECT_EQ(Lookup("1 1 = 1 #\n", 40, 10), (Strings{"A"}));
    EXPECT_EQ(Lookup("1 3 = 1 #\n", 40, 10), (Strings{"A", "B"}));
}

TEST(AdjustForBorder, NullAndEmptyLists) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    try {
        scheme.AdjustForBorder(nullptr);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "soiltex::AdjustForBorder");
    }
    std::vector<TextureClass> none;
    scheme.AdjustForBorder(&none);
    EXPECT_TRUE(none.empty());
}

TEST(PointClassifierAgreement, SameAnswersAsPointLookup) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    PointClassifier classifier(scheme);
    ASSERT_TRUE(classifier.SchemeIsValid());
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> tenth(-10, 1010);
    for (int i = 0; i < 5000; ++i) {
        // Tenths of a percent hit edges and vertices often; some values are missing.
        const double x = tenth(rng) / 10.0, y = tenth(rng) / 10.0;
        const double z = (i % 7 == 0) ? -1 : 100 - x - y;
        std::string expected;
        const std::vector<TextureClass> classes = scheme.PointLookup(x, y, z);
        const std::vector<int>& indices = classifier.Classify(x, y, z);
        ASSERT_EQ(indices.size(), classes.size()) << x << " " << y << " " << z;
        for (std::size_t k = 0; k < indices.size(); ++k)
            EXPECT_EQ(scheme.Classes()[std::size_t(indices[k])].id, classes[k].id);
    }
    const soiltex invalid;
    PointClassifier refusing(invalid);
    EXPECT_FALSE(refusing.SchemeIsValid());
    EXPECT_TRUE(refusing.Classify(10, 10, 80).empty());
    std::string text;
    refusing.AppendTextureText(&text);
    EXPECT_EQ(text, "{ fail }");
}

} // namespace
