#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const char* const kWholeTriangle = "All\n1\n0 0\n100 0\n0 100\n#\n";

TEST(SchemeModel, NewSchemeIsEmptyAndNotValid) {
    const soiltex scheme;
    EXPECT_EQ(scheme.GetName(), "");
    EXPECT_EQ(scheme.GetXName(), "x");
    EXPECT_EQ(scheme.GetYName(), "y");
    EXPECT_EQ(scheme.GetZName(), "z");
    EXPECT_EQ(scheme.GetClassCount(), 0);
    EXPECT_TRUE(scheme.Borders().empty());
    EXPECT_FALSE(scheme.IsValidScheme());
}

TEST(SchemeModel, CopiesAreIndependent) {
    soiltex source = SchemeFromText(kTwoZoneScheme);
    soiltex copy;
    copy = source;
    source.Clear();
    EXPECT_EQ(copy.GetClassCount(), 2);
    EXPECT_EQ(copy.GetName(), "Two-zone demonstration");
    EXPECT_TRUE(copy.IsValidScheme());
    soiltex& alias = copy;
    copy = alias;
    EXPECT_EQ(copy.GetClassCount(), 2);
}

TEST(SchemeModel, GetClassChecksItsIndex) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    EXPECT_EQ(scheme.GetClass(1).name, "High");
    for (int32_t bad : {-1, 2}) {
        try {
            scheme.GetClass(bad);
            FAIL() << bad;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
    }
}

struct ValidityCase {
    const char* name;
    const char* classes;
    bool valid;
};

class SchemeValidity : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(SchemeValidity, JudgesOverlapAndArea) {
    EXPECT_EQ(SchemeWithClasses(GetParam().classes).IsValidScheme(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchemeValidity,
    ::testing::Values(
        ValidityCase{"WholeTriangle", kWholeTriangle, true},
        ValidityCase{"WholeTriangleClockwise", "All\n1\n0 0\n0 100\n100 0\n#\n", true},
        ValidityCase{"SharedEdge", "A\n1\n0 0\n50 0\n0 50\n#\nB\n2\n50 0\n100 0\n0 100\n0 50\n#\n",
                     true},
        ValidityCase{"OverlapWithFullArea",
                     "A\n1\n0 0\n60 0\n0 60\n#\nB\n2\n40 0\n100 0\n0 100\n0 40\n#\n", false},
        ValidityCase{"Gap", "A\n1\n0 0\n50 0\n0 50\n#\n", false},
        ValidityCase{"AreaShortByLessThanTolerance", "A\n1\n0 0\n100 0\n0 99.99999999\n#\n", true},
        ValidityCase{"AreaShortByMoreThanTolerance", "A\n1\n0 0\n100 0\n0 99.9999\n#\n", false},
        ValidityCase{"IdenticalClasses", "A\n1\n0 0\n100 0\n0 100\n#\nB\n2\n0 0\n100 0\n0 100\n#\n",
                     false},
        ValidityCase{"OverlapFoundBeforeTwoVertexClass",
                     "A\n1\n0 0\n100 0\n0 100\n#\nB\n2\n0 0\n10 0\n0 10\n#\nC\n3\n1 1\n2 2\n#\n",
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SchemeValidity, TwoVertexClassThrowsFromArea) {
    const soiltex scheme = SchemeWithClasses("Line\n1\n0 0\n100 0\n#\n" + std::string(kWholeTriangle));
    try {
        scheme.IsValidScheme();
        FAIL() << "no exception";
    } catch (const std::domain_error& e) {
        EXPECT_STREQ(e.what(), "polygon::Area");
    }
    EXPECT_FALSE(scheme.IsUsable());
}

TEST(SchemeValidity, ManySmallDisjointClassesAreCheckedQuickly) {
    // 5050 squares of 0.5 x 0.5 in a staircase: only neighbours share more than a side of their
    // bounding boxes, so the 12.7 million pairs take no noticeable time.
    std::string classes;
    int id = 0;
    for (int i = 0; i < 100; ++i) {
        for (int j = 0; j < 100 - i; ++j) {
            const double x = j * 0.5, y = i * 0.5;
            classes += "c\n" + std::to_string(++id) + "\n" + std::to_string(x) + " " +
                       std::to_string(y) + " " + std::to_string(x + 0.5) + " " +
                       std::to_string(y) + " " + std::to_string(x + 0.5) + " " +
                       std::to_string(y + 0.5) + " " + std::to_string(x) + " " +
                       std::to_string(y + 0.5) + "\n#\n";
        }
    }
    const soiltex scheme = SchemeWithClasses(classes);
    ASSERT_EQ(scheme.GetClassCount(), 5050);
    EXPECT_FALSE(scheme.IsValidScheme()); // 1262.5, far from 5000
}

} // namespace
