#include "cli/checkcommand.h"
#include "cli/rangecommand.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The checks of IsValidScheme one by one, with the warnings that usually mean a mistake.
TEST(SchemeReportChecks, ReportAndStatus) {
    const struct {
        const char* file;
        int status;
        std::vector<const char*> parts;
    } cases[] = {
        {"twozone/twozone.dat",
         0,
         {"Axes: first, second, third\nClasses: 2\nBorder rules: 1\n"
          "Area: 5000.000000 of 5000 (difference 0.000000)\nOverlapping classes: none\n"
          "Classes with fewer than three vertices: none\nWarnings: none\nThe scheme is valid.\n"}},
        {"cli-schemes/overlap.dat",
         1,
         {"(difference 550.000000)", "  Low (1) and High (2): overlap area 550.000000\n",
          "The scheme is not valid.\n"}},
        {"cli-schemes/fewvertices.dat",
         1,
         {"Area: 3750.000000", "Classes with fewer than three vertices:\n  Low (1): 2 vertices\n",
          "was not looked up"}},
        // Strictly between x + y = 50 and 60 on the half-percent grid: 2109 compositions.
        {"cli-schemes/gaps.dat",
         1,
         {"vertex (101.000000, 0.000000) of High (2) is outside the triangle",
          "border rules name the id 9, which no class has",
          "2109 of 20301 compositions of the 0.5 % grid get no class:\n    (0.0, 50.5, 49.5)\n"}},
        // A valid scheme, but x + y = 50 at every half percent gets both classes.
        {"cli-schemes/noborder.dat",
         0,
         {"101 of 20301 compositions of the 0.5 % grid get more than one class:\n"
          "    (0.0, 50.0, 50.0) Low (1) / High (2)\n",
          "    ...\nThe scheme is valid.\n"}},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCheck(GRANUM_TEST_DATA_DIR "/" + std::string(c.file), out, err), c.status)
            << c.file;
        for (const char* part : c.parts)
            EXPECT_NE(out.str().find(part), std::string::npos) << part << "\n" << out.str();
    }
}

TEST(RangeArgument, MinColonMaxWithinZeroToHundred) {
    const struct {
        const char* text;
        bool ok;
        double min, max;
    } cases[] = {
        {"20:40", true, 20, 40},
        {"20:", true, 20, 100},
        {"50:40", true, 50, 40}, // the order is checked later, with the axis named
        {"-0.0000005:100.0000005", true, -0.0000005, 100.0000005},
        {"0:101", false, -1, -1},
        {"20:40:60", false, -1, -1},
        {"nan:50", false, -1, -1},
        {"20 :40", false, -1, -1},
    };
    for (const auto& c : cases) {
        AxisRange range{-1, -1};
        EXPECT_EQ(ParseAxisRange(c.text, &range), c.ok) << c.text;
        EXPECT_EQ(range.min, c.min) << c.text;
        EXPECT_EQ(range.max, c.max) << c.text;
    }
}

} // namespace
