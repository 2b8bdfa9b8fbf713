#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

TEST(SchemeValidity, NoOverlapAndAreasAddingUpTo5000) {
    const struct {
        const char* classes;
        bool valid;
    } cases[] = {
        {"", false},
        {"All\n1\n0 0\n100 0\n0 100\n#\n", true},
        {"All\n1\n0 0\n0 100\n100 0\n#\n", true}, // clockwise
        {"A\n1\n0 0\n50 0\n0 50\n#\nB\n2\n50 0\n100 0\n0 100\n0 50\n#\n", true},
        {"A\n1\n0 0\n60 0\n0 60\n#\nB\n2\n40 0\n100 0\n0 100\n0 40\n#\n", false}, // overlap
        {"A\n1\n0 0\n50 0\n0 50\n#\n", false},                                    // a gap
        {"A\n1\n0 0\n100 0\n0 99.99999999\n#\n", true}, // short by less than 1e-6
        {"A\n1\n0 0\n100 0\n0 99.9999\n#\n", false},    // short by more
        {"A\n1\n0 0\n100 0\n0 100\n#\nB\n2\n0 0\n100 0\n0 100\n#\n", false},
        // The overlap is found before the two-vertex class would throw.
        {"A\n1\n0 0\n100 0\n0 100\n#\nB\n2\n0 0\n10 0\n0 10\n#\nC\n3\n1 1\n2 2\n#\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SchemeWithClasses(c.classes).IsValidScheme(), c.valid) << c.classes;
}

TEST(SchemeValidity, TwoVertexClassThrowsFromArea) {
    const soiltex scheme =
        SchemeWithClasses("Line\n1\n0 0\n100 0\n#\nAll\n1\n0 0\n100 0\n0 100\n#\n");
    try {
        scheme.IsValidScheme();
        FAIL() << "no exception";
    } catch (const std::domain_error& e) {
        EXPECT_STREQ(e.what(), "polygon::Area");
    }
    EXPECT_FALSE(scheme.IsUsable());
    EXPECT_THROW(scheme.GetClass(2), std::out_of_range);
    EXPECT_THROW(scheme.GetClass(-1), std::out_of_range);
}

TEST(SchemeValidity, ManySmallDisjointClassesAreCheckedQuickly) {
    // 5050 squares of 0.5 x 0.5 in a staircase: only neighbours share more than a side of their
    // bounding boxes, so the 12.7 million pairs take no noticeable time.
    std::string classes;
    int id = 0;
    for (int i = 0; i < 100; ++i) {
        for (int j = 0; j < 100 - i; ++j) {
            const std::string x0 = std::to_string(j * 0.5), x1 = std::to_string(j * 0.5 + 0.5);
            const std::string y0 = std::to_string(i * 0.5), y1 = std::to_string(i * 0.5 + 0.5);
            classes += "c\n" + std::to_string(++id) + "\n" + x0 + " " + y0 + " " + x1 + " " + y0 +
                       " " + x1 + " " + y1 + " " + x0 + " " + y1 + "\n#\n";
        }
    }
    const soiltex scheme = SchemeWithClasses(classes);
    ASSERT_EQ(scheme.GetClassCount(), 5050);
    EXPECT_FALSE(scheme.IsValidScheme()); // 1262.5, far from 5000
}

} // namespace
