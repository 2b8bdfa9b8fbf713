#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
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
        {-1, 30, 20, high, high},         // x missing: completed
        {-0.0000001, 10, 10, high, high}, // a tiny negative is missing too
        {-1, -1, 50, none, none},         // two missing
        {70, 40, -1, none, none},         // completed below 0
        {50, 30, 20.0000005, high, high}, // sum within 1e-6
        {50, 30, 20.00001, none, none},   // sum beyond it
        {100.5, -0.5, 0, none, none},     // above 100
    };
    PointClassifier classifier(withRule);
    for (const auto& c : cases) {
        const std::vector<TextureClass> found = withRule.PointLookup(c.x, c.y, c.z);
        EXPECT_EQ(Names(found), c.withRule) << c.x << " " << c.y;
        // The batch classifier answers the same, missing values and sums included.
        const std::vector<int>& indices = classifier.Classify(c.x, c.y, c.z);
        ASSERT_EQ(indices.size(), found.size()) << c.x << " " << c.y;
        for (std::size_t k = 0; k < indices.size(); ++k)
            EXPECT_EQ(withRule.Classes()[std::size_t(indices[k])].id, found[k].id);
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

} // namespace
