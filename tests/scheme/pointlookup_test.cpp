#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// The two-zone scheme (Low below x + y = 50) with and without its rule giving the edge to High.
TEST(PointLookup, EdgesMissingValuesAndTheSumTolerance) {
    const soiltex withRule = SchemeFromText(kTwoZoneScheme);
    const soiltex withoutRule = SchemeFromText(TwoZoneWithoutBorders());
    const Strings none, high{"High"}, both{"Low", "High"};
    const struct {
        double x, y, z;
        Strings withRule, withoutRule;
    } cases[] = {
        {20, 30, 50, high, both},         // shared edge
        {50, 0, 50, high, both},          // shared vertex
        {100, 0, 0, high, high},          // corner of the triangle
        {-1, 30, 20, high, high},         // x missing: completed
        {-0.0000001, 10, 10, high, high}, // a tiny negative is missing too
        {-1, -1, 50, none, none},         // two missing
        {70, 40, -1, none, none},         // completed below 0
        {50, 30, 20.0000005, high, high}, // sum within 1e-6
        {50, 30, 20.00001, none, none},   // sum beyond it
        {100.5, -0.5, 0, none, none},     // above 100
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Names(withRule.PointLookup(c.x, c.y, c.z)), c.withRule) << c.x << " " << c.y;
        EXPECT_EQ(Names(withoutRule.PointLookup(c.x, c.y, c.z)), c.withoutRule)
            << c.x << " " << c.y;
    }
}

TEST(PointLookup, InvalidSchemeGivesNothing) {
    EXPECT_TRUE(SchemeWithClasses("A\n1\n0 0\n80 0\n0 80\n#\n").PointLookup(10, 10, 80).empty());
    EXPECT_TRUE(SchemeWithClasses("A\n1\n0 0\n100 0\n#\n").PointLookup(10, 10, 80).empty());
}

TEST(PointLookup, ClassOfTwoPolygonsIsReturnedTwiceOnItsInnerEdge) {
    const soiltex scheme =
        SchemeWithClasses("Split\n1\n0 0\n50 0\n0 50\n#\nSplit\n2\n50 0\n100 0\n0 100\n0 50\n#\n");
    EXPECT_EQ(Names(scheme.PointLookup(25, 25, 50)), (Strings{"Split", "Split"}));
}

// Three classes meeting at (25, 25): A left, B right, C above; (40, 10) is on the A-B edge.
TEST(BorderRules, ApplyOnlyToExactlyTheirCandidates) {
    const std::string classes = "A\n1\n0 0\n50 0\n25 25\n0 50\n#\n"
                                "B\n2\n50 0\n100 0\n75 25\n25 25\n#\n"
                                "C\n3\n0 50\n25 25\n75 25\n0 100\n#\n";
    const struct {
        const char* rules;
        double x, y;
        Strings expected;
    } cases[] = {
        {"1 2 3 = 3 #\n", 40, 10, {"A", "B"}}, // a three-class rule, two candidates
        {"1 2 3 = 3 #\n", 25, 25, {"C"}},
        {"2 1 = 1 #\n1 2 = 2 #\n", 40, 10, {"A"}}, // the first rule for the pair wins
        {"1 2 = #\n", 40, 10, {}},                 // an empty keep list removes every one
        {"1 1 = 1 #\n", 40, 10, {"A"}},            // each named id is looked up on its own
        {"1 3 = 1 #\n", 40, 10, {"A", "B"}},
    };
    for (const auto& c : cases) {
        const soiltex scheme = SchemeWithClasses(classes + "[border]\n" + c.rules);
        ASSERT_TRUE(scheme.IsValidScheme());
        EXPECT_EQ(Names(scheme.PointLookup(c.x, c.y, 100 - c.x - c.y)), c.expected) << c.rules;
    }
}

// Tenths of a percent hit edges and vertices often; some values are missing.
TEST(PointClassifierAgreement, SameAnswersAsPointLookupOnARandomGrid) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    PointClassifier classifier(scheme);
    ASSERT_TRUE(classifier.SchemeIsValid());
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> tenth(-10, 1010);
    for (int i = 0; i < 5000; ++i) {
        const int a = tenth(rng), b = tenth(rng);
        const double x = a / 10.0, y = b / 10.0;
        const double z = (i % 7 == 0) ? -1 : 100 - x - y;
        const std::vector<TextureClass> classes = scheme.PointLookup(x, y, z);
        // Every composition gets exactly one class, the edge going to High; the long side's too,
        // though most of its tenths are not exact in binary.
        if (a >= 0 && b >= 0 && a + b <= 1000) {
            ASSERT_EQ(Names(classes), Strings{a + b < 500 ? "Low" : "High"}) << x << " " << y;
        }
        const std::vector<int>& indices = classifier.Classify(x, y, z);
        ASSERT_EQ(indices.size(), classes.size()) << x << " " << y << " " << z;
        for (std::size_t k = 0; k < indices.size(); ++k)
            EXPECT_EQ(scheme.Classes()[std::size_t(indices[k])].id, classes[k].id);
    }
}

} // namespace
