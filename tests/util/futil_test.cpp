#include "util/futil.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Each comparison on both sides of the 1e-6 tolerance.
TEST(TolerantComparison, AgreesWithinOneMillionth) {
    const struct {
        bool (*compare)(double, double);
        double a, b;
        bool expected;
    } cases[] = {
        {futil::eq, 1.0, 1.0000005, true}, {futil::eq, 1.0, 1.000002, false},
        {futil::ne, 1.0, 1.000002, true},  {futil::lt, 1.0, 1.0000005, false},
        {futil::lt, 1.0, 1.000002, true},  {futil::le, 1.0000005, 1.0, true},
        {futil::le, 1.000002, 1.0, false}, {futil::ge, 0.9999995, 1.0, true},
        {futil::ge, 0.999998, 1.0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.compare(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(FutilRound, RoundsHalfAwayFromZero) {
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {1.005, 2, 1.01},
        {-1.005, 2, -1.01},
        {2.4999995, 0, 3},
        {2.499998, 0, 2},
    };
    for (const auto& c : cases) {
        double v = c.value;
        futil::round(v, c.decimals);
        EXPECT_DOUBLE_EQ(v, c.expected) << c.value;
    }
    double v = 1.5;
    EXPECT_THROW(futil::round(v, -1), std::invalid_argument);
    EXPECT_EQ(v, 1.5);
}

} // namespace
