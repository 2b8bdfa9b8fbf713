#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

// The reason names the first check that fails, in the order of IsValidScheme; a valid scheme
// has none. A class of two vertices has no area: IsValidScheme throws, and the scheme is unusable.
TEST(SchemeValidity, NoOverlapAndAreasAddingUpTo5000) {
    const struct {
        const char* classes;
        const char* reason;
    } cases[] = {
        {"", "there are no texture classes"},
        {"All\n1\n0 0\n100 0\n0 100\n#\n", ""},
        {"All\n1\n0 0\n0 100\n100 0\n#\n", ""}, // clockwise
        {"A\n1\n0 0\n50 0\n0 50\n#\nB\n2\n50 0\n100 0\n0 100\n0 50\n#\n", ""},
        {"A\n1\n0 0\n60 0\n0 60\n#\nB\n2\n40 0\n100 0\n0 100\n0 40\n#\n",
         "A (1) and B (2) overlap"},
        {"A\n1\n0 0\n50 0\n0 50\n#\n", "the class areas add up to 1250, not 5000"},
        {"A\n1\n0 0\n100 0\n0 99.99999999\n#\n", ""}, // short by less than 1e-6
        {"A\n1\n0 0\n100 0\n0 99.9999\n#\n", "the class areas add up to"},
        // The overlap is found before the two-vertex class would throw.
        {"A\n1\n0 0\n100 0\n0 100\n#\nB\n2\n0 0\n10 0\n0 10\n#\nC\n3\n1 1\n2 2\n#\n",
         "A (1) and B (2) overlap"},
        {"Line\n7\n0 0\n100 0\n#\nAll\n1\n0 0\n100 0\n0 100\n#\n",
         "Line (7) has fewer than three vertices"},
    };
    for (const auto& c : cases) {
        const soiltex scheme = SchemeWithClasses(c.classes);
        const std::string reason = scheme.InvalidityReason();
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(reason.empty(), *c.reason == 0) << c.classes;
        if (reason.find("three vertices") == std::string::npos) {
            EXPECT_EQ(scheme.IsValidScheme(), reason.empty()) << c.classes;
        } else {
            EXPECT_THROW(scheme.IsValidScheme(), std::domain_error);
            EXPECT_FALSE(scheme.IsUsable());
        }
    }
}

// Coordinates the clipper cannot take make a scheme invalid before anything is clipped, so that
// no lookup on a scheme accepted by IsValidScheme can throw. Zero-area spikes add nothing to the
// area and overlap nothing, so only the range test can catch them.
TEST(SchemeValidity, SpikeToHugeCoordinateIsInvalid) {
    const std::string all = "All\n1\n0 0 100 0 0 100\n#\n";
    const struct {
        std::string classes;
        bool valid;
        const char* reason;
    } cases[] = {
        {all + "Spike\n2\n100 0 1e12 0 100 0\n#\n", false,
         "the vertex (1e+12, 0) of Spike (2) is out of range (beyond 400000000000)"},
        {"All\n1\n0 0 100 0 -1e12 0 100 0 0 100\n#\n", false, "of All (1) is out of range"},
        {all + "Spike\n2\n100 0 1e400 0 100 0\n#\n", false, "(inf, 0) of Spike (2)"},
        {all + "Spike\n2\n100 0 NaN 0 100 0\n#\n", false, "a vertex of Spike (2) is not a number"},
        // Within the range a spike is harmless: it encloses nothing and lookups can clip it.
        {all + "Spike\n2\n100 0 1e10 0 100 0\n#\n", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.classes);
        const soiltex scheme = SchemeWithClasses(c.classes);
        EXPECT_EQ(scheme.IsValidScheme(), c.valid);
        EXPECT_NE(scheme.InvalidityReason().find(c.reason), std::string::npos)
            << scheme.InvalidityReason();
        EXPECT_EQ(scheme.InvalidityReason().empty(), c.valid);
        EXPECT_NO_THROW(scheme.PointLookup(100, 0, 0));
        EXPECT_EQ(scheme.RangeLookup(0, 100, 0, 100, 0, 100).empty(), !c.valid);
        EXPECT_EQ(scheme.RangePolygon(90, 100, 0, 10, 0, 10).Size() > 0, c.valid);
    }
}

} // namespace
