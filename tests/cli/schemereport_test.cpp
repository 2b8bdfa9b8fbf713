#include "cli/checkcommand.h"
#include "cli/rangecommand.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The checks of IsValidScheme one by one, the errors that make compositions get no class or
// several although a scheme may pass that check, and the warnings. Exit status 0 only for a
// scheme without errors.
TEST(SchemeReportChecks, ReportAndStatus) {
    const struct {
        const char* file;
        int status;
        std::vector<const char*> parts;
    } cases[] = {
        {"twozone/twozone.dat", 0, {"Axes: first, second, third\nClasses: 2\n", "is valid.\n"}},
        {"cli-schemes/overlap.dat", 1, {"  Low (1) and High (2): overlap area 550.000000\n"}},
        {"cli-schemes/fewvertices.dat",
         1,
         {"vertices:\n  Low (1): 2 vertices\n", "was not looked up"}},
        // Strictly between x + y = 50 and 60 on the tenth-percent grid: 54549 compositions.
        {"cli-schemes/gaps.dat",
         1,
         {"  vertex (101.000000, 0.000000) of High (2) is outside the triangle\n"
          "  54549 of 501501 compositions of the 0.1 % grid get no class:\n    (0.0, 50.1, 49.9)\n",
          "Warnings:\n  border rules name the id 9, which no class has\n",
          "add up to 4500, not 5000.\n"}},
        // Each of these passes the validity check, and once passed for a good scheme.
        {"cli-schemes/noborder.dat",
         1,
         {"  501 of 501501 compositions of the 0.1 % grid get more than one class:\n"
          "    (0.0, 50.0, 50.0) Low (1) / High (2)\n",
          "not valid: the programs load it, but"}},
        {"cli-schemes/duplicateids.dat", 1, {"  Low (1) and High (1) have the same id\n"}},
        {"cli-schemes/balancedgap.dat", 1, {"Overlapping classes: none", "get no class:\n"}},
        {"cli-schemes/nanvertex.dat",
         1,
         {"  line 16: \"NaN\", a coordinate of High (2), is not a number\n"}},
        {"cli-schemes/spike.dat", 1, {"is out of range (beyond 400000000000)."}},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCheck(GRANUM_TEST_DATA_DIR "/" + std::string(c.file), out, err), c.status)
            << c.file;
        for (const char* part : c.parts)
            EXPECT_NE(out.str().find(part), std::string::npos) << part << "\n" << out.str();
        EXPECT_EQ(err.str(), "");
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
    };
    for (const auto& c : cases) {
        AxisRange range{-1, -1};
        EXPECT_EQ(ParseAxisRange(c.text, &range), c.ok) << c.text;
        EXPECT_EQ(range.min, c.min) << c.text;
        EXPECT_EQ(range.max, c.max) << c.text;
    }
}

} // namespace
