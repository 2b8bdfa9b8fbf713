#include "util/futil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Comparison {
    const char* name;
    bool (*compare)(double, double);
    double a;
    double b;
    bool expected;
};

class TolerantComparison : public ::testing::TestWithParam<Comparison> {};

TEST_P(TolerantComparison, AgreesWithinOneMillionth) {
    const Comparison& c = GetParam();
    EXPECT_EQ(c.compare(c.a, c.b), c.expected) << c.name << "(" << c.a << ", " << c.b << ")";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeOfTolerance, TolerantComparison,
    ::testing::Values(Comparison{"eq", futil::eq, 1.0, 1.0000005, true},
                      Comparison{"eq", futil::eq, 1.0, 1.000002, false},
                      Comparison{"eq", futil::eq, 0.0, -0.0000005, true},
                      Comparison{"ne", futil::ne, 1.0, 1.000002, true},
                      Comparison{"lt", futil::lt, 1.0, 1.0000005, false},
                      Comparison{"lt", futil::lt, 1.0, 1.000002, true},
                      Comparison{"lt", futil::lt, 2.0, 1.0, false},
                      Comparison{"le", futil::le, 1.0000005, 1.0, true},
                      Comparison{"le", futil::le, 1.000002, 1.0, false},
                      Comparison{"ge", futil::ge, 0.9999995, 1.0, true},
                      Comparison{"ge", futil::ge, 0.999998, 1.0, false}));

struct Rounding {
    double value;
    int decimals;
    double expected;
};

class FutilRound : public ::testing::TestWithParam<Rounding> {};

TEST_P(FutilRound, RoundsHalfAwayFromZero) {
    double v = GetParam().value;
    futil::round(v, GetParam().decimals);
    EXPECT_DOUBLE_EQ(v, GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, FutilRound,
                         ::testing::Values(Rounding{2.345, 2, 2.35}, Rounding{1.005, 2, 1.01},
                                           Rounding{-1.005, 2, -1.01}, Rounding{2.4999995, 0, 3},
                                           Rounding{2.499998, 0, 2}, Rounding{-2.5, 0, -3},
                                           Rounding{-2.4, 0, -2}, Rounding{0.0, 0, 0},
                                           Rounding{252.9, 1, 252.9}));

TEST(FutilRoundFailure, NegativeDecimalsThrowAndKeepTheValue) {
    double v = 1.5;
    try {
        futil::round(v, -1);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "futil::round");
    }
    EXPECT_EQ(v, 1.5);
}

} // namespace
